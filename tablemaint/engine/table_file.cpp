// File-name rules of the table files and a thin SQLite connection used by the engine.
#include "tablemaint/engine/table_file.h"

#include "platform/1_text/system_reason.h"

#include <dirent.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/2_db/names.h"
#include "platform/2_shell/atomic_file.h"

namespace tablemaint {

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StemOf(const std::string& path) {
    std::string name = FileNameOf(path);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtensionOf(const std::string& path) {
    std::string name = FileNameOf(path);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string WithSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string RutaLocal(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) { return db::SameName(a, b); }

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool CarpetaDeDatosValida(const std::string& folder) {
    const std::string f = RutaLocal(folder);
    if (f.find_first_not_of(" \t") == std::string::npos) return false;
    std::error_code ec;
    const auto canonical = std::filesystem::weakly_canonical(f, ec);
    return !(ec ? f.find_first_not_of('/') == std::string::npos : canonical == canonical.root_path());
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ResolveIgnoringCase(const std::string& folder, const std::string& name) {
    if (name.empty()) return WithSlash(folder);
    // One resolution for the whole system: the data layer's, which folds Spanish letters too,
    // so the engine and the programs that read the tables always pick the same file.
    std::string path = db::ResolveTableFile(folder, name);
    if (path.rfind("./", 0) == 0 && folder.empty()) path.erase(0, 2);
    return path;
}

std::string ResolvePath(const std::string& path) {
    return ResolveIgnoringCase(FolderOf(path), FileNameOf(path));
}

std::string RutaSinUsar(const std::string& path) {
    auto taken = [](const std::string& p) {
        struct stat st {};
        return lstat(p.c_str(), &st) == 0 || FileExists(ResolvePath(p));
    };
    if (!taken(path)) return path;
    const std::string folder = FolderOf(path), stem = StemOf(path), ext = ExtensionOf(path);
    for (int n = 2;; ++n) {
        const std::string candidate = folder + stem + "-" + std::to_string(n) + ext;
        if (!taken(candidate)) return candidate;
    }
}

bool CopyFileAtomically(const std::string& from, const std::string& to, std::string* error) try {
    shell::ArchivoAtomico out(to);
    std::error_code ec;
    std::filesystem::copy_file(from, out.Temporal(), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        if (error) *error = "no se pudo copiar " + from + " a " + to + ": " + text::MotivoSistema(ec.value());
        return false;
    }
    out.Confirma();
    return true;
} catch (const std::exception& e) {
    if (error) *error = e.what();
    return false;
}

bool ConfirmaReemplazo(shell::ArchivoAtomico& nuevo, std::string* error) try {
    struct stat st {};
    if (stat(nuevo.Destino().c_str(), &st) == 0) chmod(nuevo.Temporal().c_str(), st.st_mode & 07777);
    nuevo.Confirma();
    return true;
} catch (const std::exception& e) {
    if (error) *error = e.what();
    return false;
}

std::string MotivoSqlite(int rc, const char* detalle) {
    switch (rc & 0xff) {
    case SQLITE_FULL: return "el disco está lleno";
    case SQLITE_IOERR: return "no se pudo leer o escribir en el disco (puede estar lleno)";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return "no hay permiso para escribir en la carpeta o el archivo";
    case SQLITE_CANTOPEN: return "no se pudo abrir el archivo (no existe o no hay permiso)";
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "otro programa está usando el archivo";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return "el archivo está dañado";
    case SQLITE_NOMEM: return "sin memoria";
    default: return detalle && *detalle ? detalle : sqlite3_errstr(rc);
    }
}


std::unique_ptr<Connection> Connection::Open(const std::string& path, bool create, std::string* error) {
    sqlite3* db = nullptr;
    int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        if (error) *error = db ? MotivoSqlite(sqlite3_extended_errcode(db), sqlite3_errmsg(db)) : "sin memoria";
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 200);
    return std::unique_ptr<Connection>(new Connection(db));
}

Connection::~Connection() { sqlite3_close_v2(db_); }

bool Connection::Exec(const std::string& sql, std::string* error) {
    char* msg = nullptr;
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        if (error) *error = MotivoSqlite(rc, msg);
        sqlite3_free(msg);
        return false;
    }
    return true;
}

std::string Connection::LastError() const { return MotivoSqlite(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_)); }

bool Connection::LockExclusive(std::string* error) {
    // The rollback journal mode (the data layer's choice) makes this one lock on one file.
    return Exec("BEGIN EXCLUSIVE", error);
}

std::string TableInFile(sqlite3* db) {
    sqlite3_stmt* st = nullptr;
    std::string name;
    if (sqlite3_prepare_v2(db,
                           "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                           "'sqlite\\_%' ESCAPE '\\' ORDER BY rowid LIMIT 1",
                           -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
        name = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    }
    sqlite3_finalize(st);
    return name;
}

std::vector<std::string> SchemaSqlInFile(sqlite3* db) {
    std::vector<std::string> out;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE "
                           "'sqlite\\_%' ESCAPE '\\' ORDER BY type='index', rowid",
                           -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW)
            out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    return out;
}

}  // namespace tablemaint
