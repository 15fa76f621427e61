// Parameters and the open/close protocol shared by every kind of dataset.
#include "platform/3_report/dataset.h"

#include "platform/3_report/names.h"

namespace report {

Param* Params::FindParam(std::string_view name) {
    for (Param& p : list_)
        if (SameName(p.name, name)) return &p;
    return nullptr;
}

const Param* Params::FindParam(std::string_view name) const {
    return const_cast<Params*>(this)->FindParam(name);
}

bool Params::Set(std::string_view name, Value value) {
    Param* p = FindParam(name);
    if (!p) return false;
    p->SetValue(std::move(value));
    return true;
}

Dataset::Dataset(const DatasetDef& def)
    : Component(def.name),
      DatabaseName(def.databaseName),
      SessionName(def.sessionName),
      TableName(def.tableName),
      IndexName(def.indexName),
      SQL(def.sql),
      kind_(def.kind),
      master_(def.master),
      links_(def.links) {
    for (const Param& p : def.params) params_.Add(p);
}

std::string Dataset::SqlText() const {
    std::string out;
    for (std::size_t i = 0; i < SQL.size(); ++i) {
        if (i) out += '\n';
        out += SQL[i];
    }
    return out;
}

void Dataset::Open() {
    if (active_) Close();
    try {
        DoOpen();
    } catch (const DatasetError&) {
        throw;
    } catch (const std::exception& e) {
        throw DatasetError(Name() + ": " + e.what());
    }
    active_ = true;
}

void Dataset::Close() {
    if (!active_) return;
    DoClose();
    active_ = false;
}

void Dataset::OpenForMaster(const std::vector<Value>& masterValues) {
    try {
        DoOpenForMaster(masterValues);
    } catch (const DatasetError&) {
        throw;
    } catch (const std::exception& e) {
        throw DatasetError(Name() + ": " + e.what());
    }
    active_ = true;
}

}  // namespace report
