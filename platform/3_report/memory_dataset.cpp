// In-memory cursor, dataset and factory.
#include "platform/3_report/memory_dataset.h"

#include <numeric>

#include "platform/3_report/names.h"

namespace report {

void MemoryCursor::Reset(std::shared_ptr<const MemoryTable> table) {
    table_ = std::move(table);
    rows_.resize(table_ ? table_->rows.size() : 0);
    std::iota(rows_.begin(), rows_.end(), std::size_t{0});
    pos_ = 0;
}

void MemoryCursor::Restrict(std::vector<std::size_t> visible) {
    rows_ = std::move(visible);
    pos_ = 0;
}

int MemoryCursor::FieldCount() const { return table_ ? static_cast<int>(table_->columns.size()) : 0; }

std::string MemoryCursor::FieldName(int index) const {
    if (!table_ || index < 0 || index >= FieldCount()) return {};
    return table_->columns[static_cast<std::size_t>(index)];
}

int MemoryCursor::FieldIndex(std::string_view name) const {
    for (int i = 0; i < FieldCount(); ++i)
        if (SameName(table_->columns[static_cast<std::size_t>(i)], name)) return i;
    return -1;
}

Value MemoryCursor::Get(int index) const {
    if (Eof() || index < 0 || index >= FieldCount()) return {};
    const auto& row = table_->rows[rows_[pos_]];
    return static_cast<std::size_t>(index) < row.size() ? row[static_cast<std::size_t>(index)] : Value{};
}

MemoryDataset::MemoryDataset(const DatasetDef& def, RowProvider provider)
    : Dataset(def), provider_(std::move(provider)) {}

void MemoryDataset::DoOpen() {
    all_ = std::make_shared<const MemoryTable>(provider_ ? provider_(*this) : MemoryTable{});
    linkIndex_.clear();
    for (const FieldLink& link : Links()) {
        int idx = -1;
        for (std::size_t i = 0; i < all_->columns.size(); ++i)
            if (SameName(all_->columns[i], link.detailField)) idx = static_cast<int>(i);
        if (idx < 0) throw DatasetError(Name() + ": no existe el campo \"" + link.detailField + "\"");
        linkIndex_.push_back(idx);
    }
    cursor_.Reset(all_);
}

void MemoryDataset::DoClose() {
    cursor_.Reset(nullptr);
    all_.reset();
}

void MemoryDataset::DoOpenForMaster(const std::vector<Value>& masterValues) {
    if (!all_) DoOpen();
    std::vector<std::size_t> keep;
    for (std::size_t r = 0; r < all_->rows.size(); ++r) {
        bool match = true;
        for (std::size_t k = 0; k < linkIndex_.size() && match; ++k) {
            const auto& row = all_->rows[r];
            std::size_t col = static_cast<std::size_t>(linkIndex_[k]);
            Value v = col < row.size() ? row[col] : Value{};
            const Value& m = k < masterValues.size() ? masterValues[k] : Value{};
            if (IsNumber(v) && IsNumber(m)) match = ToNumber(v) == ToNumber(m);
            else match = ToText(v) == ToText(m);
        }
        if (match) keep.push_back(r);
    }
    cursor_.Reset(all_);
    cursor_.Restrict(std::move(keep));
}

void MemoryDatasetFactory::Provide(std::string datasetName, RowProvider provider) {
    providers_.emplace_back(std::move(datasetName), std::move(provider));
}

void MemoryDatasetFactory::Provide(std::string datasetName, MemoryTable fixedRows) {
    auto shared = std::make_shared<MemoryTable>(std::move(fixedRows));
    Provide(std::move(datasetName), [shared](const Dataset&) { return *shared; });
}

std::unique_ptr<Dataset> MemoryDatasetFactory::Create(const DatasetDef& def) {
    for (auto& [name, provider] : providers_)
        if (SameName(name, def.name)) return std::make_unique<MemoryDataset>(def, provider);
    return std::make_unique<MemoryDataset>(def, fallback_);
}

}  // namespace report
