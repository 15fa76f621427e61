// The process-wide registry of aliases and open databases.
#include "platform/2_db/session.h"

#include <filesystem>
#include <map>
#include <mutex>

#include "platform/2_db/error.h"
#include "platform/2_db/names.h"

namespace db {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::string> aliases;    // folded name -> folder
    std::map<std::string, std::string> databases;  // folded name -> folder
};

Registry& Reg() {
    static Registry r;
    return r;
}

}  // namespace

void RegisterAlias(const std::string& alias, const std::string& folder) {
    std::lock_guard lock(Reg().mutex);
    Reg().aliases[FoldName(alias)] = folder;
}

void UnregisterAlias(const std::string& alias) {
    std::lock_guard lock(Reg().mutex);
    Reg().aliases.erase(FoldName(alias));
}

bool AliasExists(const std::string& alias) {
    std::lock_guard lock(Reg().mutex);
    return Reg().aliases.count(FoldName(alias)) > 0;
}

std::string DatabaseFolder(const std::string& databaseName) {
    {
        std::lock_guard lock(Reg().mutex);
        const std::string key = FoldName(databaseName);
        if (auto it = Reg().databases.find(key); it != Reg().databases.end()) return it->second;
        if (auto it = Reg().aliases.find(key); it != Reg().aliases.end()) return it->second;
    }
    std::error_code ec;
    if (!databaseName.empty() && std::filesystem::is_directory(databaseName, ec)) return databaseName;
    if (databaseName.empty())
        throw EDatabaseError("No se indicó la base de datos", ErrorKind::NotFound);
    throw EDatabaseError("No existe el alias " + databaseName, ErrorKind::NotFound);
}

std::string TSession::NetDir() const {
    if (!NetFileDir.empty()) return NetFileDir;
    try {
        return DatabaseFolder("RazirWin10");
    } catch (const EDatabaseError&) {
        return "";
    }
}

TSession& TSession::Default() {
    static TSession session;
    return session;
}

TDatabase::TDatabase(std::string databaseName, std::string aliasOrFolder)
    : DatabaseName(std::move(databaseName)), AliasName(std::move(aliasOrFolder)) {}

TDatabase::~TDatabase() { Close(); }

std::string TDatabase::Directory() const { return DatabaseFolder(AliasName); }

void TDatabase::Open() {
    const std::string folder = Directory();
    std::lock_guard lock(Reg().mutex);
    Reg().databases[FoldName(DatabaseName)] = folder;
    connected_ = true;
}

void TDatabase::Close() {
    if (!connected_) return;
    std::lock_guard lock(Reg().mutex);
    Reg().databases.erase(FoldName(DatabaseName));
    connected_ = false;
}

}  // namespace db
