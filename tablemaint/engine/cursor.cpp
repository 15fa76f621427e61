// Index work on one table file opened exclusively: adding an index (a primary key included,
// which needs the table written anew inside the same lock) and regenerating one.
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>

#include "tablemaint/engine/busy.h"
#include "tablemaint/engine/engine_internal.h"
#include "tablemaint/engine/index_names.h"

namespace tablemaint {
namespace {

bool SameFields(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!EqualsIgnoringCase(a[i], b[i])) return false;
    return true;
}

// "CREATE TABLE ..." -> "CREATE TABLE n. ..." so the statement runs in the attached file.
std::string InSchema(const std::string& sql, const std::string& schema) {
    for (const char* prefix : {"CREATE TABLE ", "CREATE UNIQUE INDEX ", "CREATE INDEX "})
        if (Upper(sql).rfind(prefix, 0) == 0) return sql.substr(0, std::string(prefix).size()) + schema + "." +
                                                      sql.substr(std::string(prefix).size());
    return sql;
}

// Writes the table anew with a primary key on `fields`, keeping its rows and other indexes.
bool NewPrimaryKey(TCursor& cur, const std::vector<std::string>& fields, std::string* error) {
    sqlite3* db = cur.con->get();
    std::string cols;
    sqlite3_stmt* st = nullptr;
    std::string q = "PRAGMA table_info(" + ::db::QuoteIdent(cur.tabla) + ")";
    if (sqlite3_prepare_v2(db, q.c_str(), -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            cols += (cols.empty() ? "" : ", ") +
                    ::db::QuoteIdent(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))) + " " +
                    reinterpret_cast<const char*>(sqlite3_column_text(st, 2));
    sqlite3_finalize(st);
    std::string key;
    for (const auto& f : fields) key += (key.empty() ? "" : ", ") + ::db::QuoteIdent(f);
    const std::string tmp = cur.ruta + ".vlmllave";
    std::remove(tmp.c_str());
    auto schema = SchemaSqlInFile(db);
    std::string sql = "ATTACH " + ::db::QuoteIdent(tmp) + " AS vlmnueva;";
    bool ok = cur.con->Exec(sql, error);
    if (ok) {
        sql = "CREATE TABLE vlmnueva." + ::db::QuoteIdent(cur.tabla) + " (" + cols + ", PRIMARY KEY (" + key + "));";
        sql += "INSERT INTO vlmnueva." + ::db::QuoteIdent(cur.tabla) + " SELECT * FROM main." + ::db::QuoteIdent(cur.tabla) + ";";
        for (const auto& s : schema)
            if (Upper(s).rfind("CREATE TABLE", 0) != 0) sql += InSchema(s, "vlmnueva") + ";";
        ok = cur.con->Exec(sql, error);
    }
    cur.con->Exec("DETACH vlmnueva");
    if (ok) {
        // The rows are copied; the lock on the old file is kept until the new one is in place.
        ok = SyncFile(tmp) && std::rename(tmp.c_str(), cur.ruta.c_str()) == 0;
        if (!ok && error) *error = "no se pudo reemplazar " + cur.ruta;
    }
    if (!ok) std::remove(tmp.c_str());
    return ok;
}

}  // namespace

std::string RutaLocal(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::unique_ptr<TCursor> AbreCursorExclusivo(const std::string& path, bool* ocupado, std::string* error) {
    *ocupado = false;
    if (!FileExists(path)) {
        if (error) *error = "no existe " + path;
        return nullptr;
    }
    if (ArchivoOcupado(path)) {
        *ocupado = true;
        if (error) *error = "otro programa está usando " + path;
        return nullptr;
    }
    auto cur = std::make_unique<TCursor>();
    cur->ruta = path;
    cur->con = Connection::Open(path, false, error);
    if (!cur->con) return nullptr;
    // In exclusive locking mode the lock taken by the first transaction is kept until the
    // connection closes, so statements (and ATTACH) can follow outside a transaction.
    if (!cur->con->Exec("PRAGMA locking_mode=EXCLUSIVE", error) || !cur->con->LockExclusive(error)) {
        *ocupado = sqlite3_errcode(cur->con->get()) == SQLITE_BUSY;
        return nullptr;
    }
    cur->con->Exec("COMMIT");
    cur->tabla = TableInFile(cur->con->get());
    if (cur->tabla.empty()) {
        if (error) *error = path + " no contiene una tabla legible";
        return nullptr;
    }
    return cur;
}

bool AgregaIndice(TCursor& cur, const db::IndexDef& idx, std::string* error) {
    auto existing = IndicesEnArchivo(cur.con->get(), cur.tabla);
    if (idx.primary) {
        for (const auto& i : existing)
            if (i.primario && SameFields(i.campos, idx.fields))
                // Already the table's key: bring its index up to date.
                return i.sqliteName.empty() || cur.con->Exec("REINDEX " + ::db::QuoteIdent(i.sqliteName), error);
        return NewPrimaryKey(cur, idx.fields, error);
    }
    db::TableDef only{cur.tabla, {}, {idx}};
    std::string sql = db::CreateTableSql(only).back();
    for (const auto& i : existing)
        if (EqualsIgnoringCase(i.nombre, idx.name) && !i.sqliteName.empty())
            sql = "DROP INDEX " + ::db::QuoteIdent(i.sqliteName) + "; " + sql;
    if (!cur.con->Exec("BEGIN; " + sql + "; COMMIT", error)) {
        cur.con->Exec("ROLLBACK");
        return false;
    }
    return true;
}

bool RegeneraIndice(TCursor& cur, const std::string& indice, std::string* error) {
    for (const auto& i : IndicesEnArchivo(cur.con->get(), cur.tabla)) {
        if (!EqualsIgnoringCase(i.nombre, indice)) continue;
        // A rowid key is the table itself and is never out of date. REINDEX is one statement:
        // the old index stays until the new one is complete.
        return i.sqliteName.empty() || cur.con->Exec("REINDEX " + ::db::QuoteIdent(i.sqliteName), error);
    }
    if (error) *error = "la tabla no tiene el índice " + indice;
    return false;
}

}  // namespace tablemaint
