// Datasets over rows held in memory: used by tests, benchmarks and by callers that compute
// their rows themselves. The rows of a dataset come from a provider called at each open, so a
// provider can read the SQL lines and parameters the handlers set, or fail as a database would.
// Not here: anything that reads files or SQL (db_dataset.h).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/3_report/dataset.h"

namespace report {

struct MemoryTable {
    std::vector<std::string> columns;
    std::vector<std::vector<Value>> rows;
};

class MemoryCursor : public Cursor {
public:
    MemoryCursor() = default;
    // Shows all rows of the table, or those listed in `visible` (indices into its rows).
    void Reset(std::shared_ptr<const MemoryTable> table);
    void Restrict(std::vector<std::size_t> visible);

    void First() override { pos_ = 0; }
    void Next() override { if (pos_ < rows_.size()) ++pos_; }
    void Prior() override { if (pos_ > 0) --pos_; }
    bool Eof() const override { return pos_ >= rows_.size(); }
    bool Bof() const override { return pos_ == 0; }
    int FieldCount() const override;
    std::string FieldName(int index) const override;
    int FieldIndex(std::string_view name) const override;
    Value Get(int index) const override;

    const MemoryTable* Table() const { return table_.get(); }

private:
    std::shared_ptr<const MemoryTable> table_;
    std::vector<std::size_t> rows_;
    std::size_t pos_ = 0;
};

// Called at every open with the dataset about to open; returns its rows or throws.
using RowProvider = std::function<MemoryTable(const Dataset&)>;

class MemoryDataset : public Dataset {
public:
    MemoryDataset(const DatasetDef& def, RowProvider provider);
    Cursor& Rows() override { return cursor_; }

protected:
    void DoOpen() override;
    void DoClose() override;
    void DoOpenForMaster(const std::vector<Value>& masterValues) override;

private:
    RowProvider provider_;
    std::shared_ptr<const MemoryTable> all_;
    std::vector<int> linkIndex_;
    MemoryCursor cursor_;
};

// Builds MemoryDatasets; the provider is looked up by dataset name (ignoring case), with a
// fallback for names not registered.
class MemoryDatasetFactory : public DatasetFactory {
public:
    void Provide(std::string datasetName, RowProvider provider);
    void Provide(std::string datasetName, MemoryTable fixedRows);
    void Fallback(RowProvider provider) { fallback_ = std::move(provider); }
    std::unique_ptr<Dataset> Create(const DatasetDef& def) override;

private:
    std::vector<std::pair<std::string, RowProvider>> providers_;
    RowProvider fallback_;
};

}  // namespace report
