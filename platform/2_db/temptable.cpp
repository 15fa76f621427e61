// First-free-name claiming of temporary tables and their deletion.
#include "platform/2_db/temptable.h"

#include <filesystem>

#include "platform/2_db/error.h"
#include "platform/2_db/names.h"
#include "platform/2_db/session.h"
#include "platform/2_db/table.h"

namespace db {

TTempTable::~TTempTable() {
    try {
        Delete();
    } catch (...) {
    }
}

void TTempTable::Delete() {
    if (deleted_) return;
    deleted_ = true;
    std::error_code ec;
    std::filesystem::remove(file_, ec);
    std::filesystem::remove(file_ + "-journal", ec);
}

std::unique_ptr<TTempTable> CreateTempTable(const std::string& database, const std::string& base,
                                            const std::vector<FieldDef>& fieldDefs, int startAt,
                                            const std::vector<IndexDef>& indexDefs) {
    const std::string folder = DatabaseFolder(database);
    // A bound keeps a folder that cannot be written from turning this into an endless loop.
    constexpr int kMaxTries = 10000;
    for (int n = 0; n < kMaxTries; ++n) {
        if (n == 1 && startAt != 1) continue;  // base, then base2
        const std::string name = n == 0 ? base : base + std::to_string(n);
        const std::string path = ResolveTableFile(folder, name);
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) continue;
        try {
            CreateTableFile(path, TableDef{name, fieldDefs, indexDefs});
        } catch (const EDatabaseError& e) {
            if (std::filesystem::exists(path, ec)) continue;  // another station won the name
            throw;
        }
        return std::make_unique<TTempTable>(path, name);
    }
    throw EDatabaseError("No se pudo crear una tabla temporal " + base + " en " + folder);
}

TTempTable& TTempTableOwner::Create(const std::string& database, const std::string& base,
                                    const std::vector<FieldDef>& fieldDefs, int startAt,
                                    const std::vector<IndexDef>& indexDefs) {
    tables_.push_back(CreateTempTable(database, base, fieldDefs, startAt, indexDefs));
    return *tables_.back();
}

}  // namespace db
