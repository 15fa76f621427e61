// A table file as a dataset: ordering by the primary or a named index, key search, ranges,
// exclusive open, editing, and creating, emptying and deleting the table itself.
// Not here: the cursor and filters (dataset.h), bulk loading (batch.h).
#pragma once

#include <string>
#include <vector>

#include "platform/2_db/dataset.h"
#include "platform/2_db/schema.h"

namespace db {

class TTable : public TDataSet {
public:
    TTable();
    ~TTable() override;

    std::string TableName;  // a name in the database's folder, or a path
    // Keeps every other open of the table out (other processes and other tables of this
    // one) while open; refused with "La tabla <name> está en uso" while another has it.
    bool Exclusive = false;
    bool ReadOnly = false;
    std::vector<FieldDef> FieldDefs;  // for CreateTable; filled from the file on open
    std::vector<IndexDef> IndexDefs;

    // Order of the records: IndexFieldNames ("Tienda;Caja") wins over IndexName; neither
    // means the primary index. Changing either on an open table re-reads it.
    void SetIndexName(const std::string& name);
    const std::string& IndexName() const { return indexName_; }
    void SetIndexFieldNames(const std::string& names);
    const std::string& IndexFieldNames() const { return indexFieldNames_; }
    std::vector<std::string> IndexFields() const;  // fields of the current order

    // Searches on the current order's leading fields; false leaves the cursor in place.
    bool FindKey(const std::vector<Value>& key);
    // The first record at or after the key (the last record when none is).
    void FindNearest(const std::vector<Value>& key);
    // Limits the records to keys from start to end (inclusive) on the current order; a
    // shorter key compares on its leading fields only.
    void SetRange(const std::vector<Value>& start, const std::vector<Value>& end);
    void CancelRange();

    void FlushBuffers();  // every Post is already committed; kept for callers
    void EmptyTable();
    // Creates the table file from FieldDefs and IndexDefs, replacing an existing one.
    void CreateTable();
    void DeleteTable();
    bool Exists() const;
    std::string FileName() const;  // the resolved file, which need not exist
    TableDef Definition() const;   // fields and indexes as the file declares them

protected:
    void OpenSource() override;
    void CloseSource() override;
    void BuildCursorSql(detail::CursorSql& out, const std::string& filterSql,
                        const std::vector<Value>& filterBinds) override;
    std::int64_t InsertRecord(const std::vector<Value>& row) override;
    void UpdateRecord(std::int64_t rowid, const std::vector<Value>& row) override;
    void DeleteRecord(std::int64_t rowid) override;
    long PositionOfRowid(std::int64_t rowid) override;
    bool FetchRowid(std::int64_t rowid, detail::Row& out) override;

private:
    struct OrderKey {
        std::string field;
        bool desc = false;
        bool nocase = false;
    };
    std::vector<OrderKey> OrderKeys() const;
    std::string Quoted() const;
    void ReadDefinition();
    // Key values as the order's fields store them (a TDateTime meets ISO text).
    std::vector<Value> KeyValues(const std::vector<OrderKey>& keys, const std::vector<Value>& values) const;
    long CountBefore(const std::vector<OrderKey>& keys, const std::vector<Value>& values, bool orEqual);

    std::string indexName_, indexFieldNames_;
    std::string stem_;  // the table's name inside its file
    std::vector<IndexDef> fileIndexes_;
    std::vector<Value> rangeStart_, rangeEnd_;
    bool ranged_ = false;
    int shareFd_ = -1;  // holds the flock that tells shared opens from exclusive ones
};

// Creates a table file (replacing none: fails when it exists) holding `def`.
void CreateTableFile(const std::string& path, const TableDef& def);

}  // namespace db
