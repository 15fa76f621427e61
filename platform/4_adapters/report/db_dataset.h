// Layout datasets over platform/2_db: a query becomes a db::TQuery, a table a db::TTable, so the
// dialogs' handlers can work on the real data-layer objects (database name, SQL lines,
// ParamByName) as well as through report::Dataset. Whichever side a handler changes wins:
// the report-side properties are read from the db object before the events and written back
// at open only where the handler changed them.
// Not here: SQL translation or files (platform/2_db).
#pragma once

#include <memory>

#include "platform/2_db/query.h"
#include "platform/2_db/table.h"
#include "platform/3_report/dataset.h"

namespace report {

class DbCursor : public Cursor {
public:
    explicit DbCursor(db::TDataSet& ds) : ds_(ds) {}
    void First() override { ds_.First(); }
    void Next() override { ds_.Next(); }
    void Prior() override { ds_.Prior(); }
    bool Eof() const override { return ds_.Eof(); }
    bool Bof() const override { return ds_.Bof(); }
    int FieldCount() const override { return ds_.FieldCount(); }
    std::string FieldName(int index) const override;
    int FieldIndex(std::string_view name) const override;
    Value Get(int index) const override;
    bool DisplayText(int index, std::string& text) const override;

private:
    db::TDataSet& ds_;
};

class DbDataset : public Dataset {
public:
    explicit DbDataset(const DatasetDef& def);
    ~DbDataset() override;

    db::TDataSet& Native() { return *native_; }
    db::TQuery* Query() { return query_; }  // nullptr for a table
    db::TTable* Table() { return table_; }  // nullptr for a query
    Cursor& Rows() override { return cursor_; }
    void PrepareForEvents() override;

protected:
    void DoOpen() override;
    void DoClose() override;
    void DoOpenForMaster(const std::vector<Value>& masterValues) override;

private:
    struct Seen;  // the properties as the events were raised
    void PushChanges();
    void OpenNative();

    std::unique_ptr<db::TDataSet> native_;
    db::TQuery* query_ = nullptr;
    db::TTable* table_ = nullptr;
    DbCursor cursor_;
    std::unique_ptr<Seen> seen_;
};

class DbDatasetFactory : public DatasetFactory {
public:
    std::unique_ptr<Dataset> Create(const DatasetDef& def) override { return std::make_unique<DbDataset>(def); }
};

// The data-layer object behind a layout dataset, or nullptr when it is not one of ours.
db::TQuery* AsQuery(Dataset& ds);
db::TTable* AsTable(Dataset& ds);

}  // namespace report
