// Temporary tables of a report: the first free name among base, base2, base3, ... (or base,
// base1, base2, ... when numbered from 1), claimed atomically across processes by creating
// the file exclusively, and deleted when its owner lets go of it.
// Not here: filling or reading the table (table.h, batch.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/2_db/schema.h"

namespace db {

class TTempTable {
public:
    TTempTable(std::string file, std::string name) : file_(std::move(file)), name_(std::move(name)) {}
    ~TTempTable();  // deletes the table file
    TTempTable(const TTempTable&) = delete;
    TTempTable& operator=(const TTempTable&) = delete;

    const std::string& TableName() const { return name_; }  // "tblTemp2": for TTable::TableName
    const std::string& FileName() const { return file_; }
    void Delete();  // deletes now; the destructor then does nothing

private:
    std::string file_, name_;
    bool deleted_ = false;
};

// Claims and creates the table in the folder of `database` (alias, database name or folder).
// startAt 0 tries base, base2, base3, ...; startAt 1 tries base, base1, base2, ...: the base
// name itself comes first either way.
std::unique_ptr<TTempTable> CreateTempTable(const std::string& database, const std::string& base,
                                            const std::vector<FieldDef>& fieldDefs, int startAt = 0,
                                            const std::vector<IndexDef>& indexDefs = {});

// What a dialog holds: its temporary tables, deleted with it (or on DeleteAll, after printing).
class TTempTableOwner {
public:
    TTempTable& Create(const std::string& database, const std::string& base, const std::vector<FieldDef>& fieldDefs,
                       int startAt = 0, const std::vector<IndexDef>& indexDefs = {});
    void DeleteAll() { tables_.clear(); }
    int Count() const { return static_cast<int>(tables_.size()); }

private:
    std::vector<std::unique_ptr<TTempTable>> tables_;
};

}  // namespace db
