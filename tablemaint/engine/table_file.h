// Internal to the engine: one table file on disk (an SQLite database holding one table) and
// the file-name rules shared by creation, verification and rebuilding.
// Not here: what is checked (verify.*), how damaged pages are read (salvage.*).
#pragma once

#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace shell {
class ArchivoAtomico;
}

namespace tablemaint {

// "/datos/VENTAS.db" -> "/datos/", "VENTAS.db", "VENTAS", ".db".
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);
std::string StemOf(const std::string& path);
std::string ExtensionOf(const std::string& path);
// Folder with exactly one trailing "/" ("" stays "").
std::string WithSlash(std::string folder);
// Paths written with "\" (as the dialog's texts do) work as well as "/".
std::string RutaLocal(std::string path);
bool EqualsIgnoringCase(const std::string& a, const std::string& b);
std::string Upper(std::string s);

// The file of table `name` in `folder` as the data layer resolves it: ignoring case (Spanish
// letters included), ".DB" added to a name without extension; when none exists, folder + name.
std::string ResolveIgnoringCase(const std::string& folder, const std::string& name);
// The same for a full path.
std::string ResolvePath(const std::string& path);
bool FileExists(const std::string& path);
// A folder that may hold a data folder's tables: not empty and not the file system's root
// (an empty setting once became "/" and tables went there).
bool CarpetaDeDatosValida(const std::string& folder);
bool FolderExists(const std::string& path);
// `path` when no file holds that name (in any case); otherwise the first free "STEM-N.EXT"
// from N = 2, so earlier backups and side tables are never overwritten and the highest
// number is the newest.
std::string RutaSinUsar(const std::string& path);
// Copies bytes through a temporary name and a rename, so `to` is whole or absent.
bool CopyFileAtomically(const std::string& from, const std::string& to, std::string* error);
// Puts the file written at nuevo.Temporal() in the place of its destination, keeping the old
// file's permissions; false (with the reason) leaves the destination as it was.
bool ConfirmaReemplazo(shell::ArchivoAtomico& nuevo, std::string* error);

// Why a file operation failed, in Spanish, from SQLite's result code (its own English text
// only for codes without a translation); from errno: text::MotivoSistema.
std::string MotivoSqlite(int rc, const char* detalle);

// One SQLite connection, closed on destruction.
class Connection {
public:
    // Opens an existing file (create=false) or creates it; nullptr with a reason on failure.
    static std::unique_ptr<Connection> Open(const std::string& path, bool create, std::string* error);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* get() const { return db_; }
    bool Exec(const std::string& sql, std::string* error = nullptr);
    // The message of the last failure of this connection.
    std::string LastError() const;
    // Takes the write lock so that no other process reads or writes until Commit/Rollback.
    bool LockExclusive(std::string* error);

private:
    explicit Connection(sqlite3* db) : db_(db) {}
    sqlite3* db_;
};

// Name of the user table in the file (the first one that is not SQLite's own); "" when none.
std::string TableInFile(sqlite3* db);
// CREATE statements of the table and its indexes as stored in the file.
std::vector<std::string> SchemaSqlInFile(sqlite3* db);

}  // namespace tablemaint
