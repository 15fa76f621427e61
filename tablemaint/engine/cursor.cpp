// Index work on one table file opened exclusively: adding an index (a primary key included,
// which needs the table written anew inside the same lock) and regenerating one.
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>

#include "platform/2_shell/atomic_file.h"
#include "tablemaint/engine/busy.h"
#include "tablemaint/engine/engine_internal.h"
#include "tablemaint/engine/index_names.h"

namespace tablemaint {
namespace {

// A file name as an SQL string literal.
std::string Literal(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

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

// Writes the table into a new file with `createTable` and the file's other CREATE statements,
// copying the rows (by rowid when `keepRowid`) through the table's own tree, so damaged
// indexes are never read; the new file replaces the old one only when it checks out. The lock
// on the old file is kept until then.
bool CopyInto(TCursor& cur, const std::string& createTable, bool keepRowid, std::string* error) {
    sqlite3* db = cur.con->get();
    std::string cols;
    sqlite3_stmt* st = nullptr;
    std::string q = "PRAGMA table_info(" + ::db::QuoteIdent(cur.tabla) + ")";
    if (sqlite3_prepare_v2(db, q.c_str(), -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            cols += (cols.empty() ? "" : ", ") +
                    ::db::QuoteIdent(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    sqlite3_finalize(st);
    shell::ArchivoAtomico nuevo(cur.ruta);
    const std::string tmp = nuevo.Temporal().string();
    // The connection may not create files; an empty file is an empty database to SQLite.
    std::fclose(std::fopen(tmp.c_str(), "wb"));
    auto schema = SchemaSqlInFile(db);
    bool ok = cur.con->Exec("ATTACH " + Literal(tmp) + " AS vlmnueva", error);
    if (ok) {
        const std::string t = ::db::QuoteIdent(cur.tabla);
        std::string sql = "BEGIN;" + InSchema(createTable, "vlmnueva") + ";";
        for (const auto& s : schema)
            if (Upper(s).rfind("CREATE TABLE", 0) != 0) sql += InSchema(s, "vlmnueva") + ";";
        // "WHERE 1" keeps SQLite from copying index pages as they are.
        sql += "INSERT INTO vlmnueva." + t + " (" + (keepRowid ? "rowid, " : "") + cols + ") SELECT " +
               (keepRowid ? "rowid, " : "") + cols + " FROM main." + t + " WHERE 1; COMMIT;";
        ok = cur.con->Exec(sql, error);
        if (!ok) cur.con->Exec("ROLLBACK");
    }
    cur.con->Exec("DETACH vlmnueva");
    if (ok) {
        auto check = Connection::Open(tmp, false, error);
        sqlite3_stmt* chk = nullptr;
        ok = check && sqlite3_prepare_v2(check->get(), "PRAGMA integrity_check", -1, &chk, nullptr) == SQLITE_OK &&
             sqlite3_step(chk) == SQLITE_ROW &&
             std::string(reinterpret_cast<const char*>(sqlite3_column_text(chk, 0))) == "ok";
        sqlite3_finalize(chk);
        if (!ok && error) *error = "la copia de la tabla no pasó la verificación";
    }
    if (ok) {
        ok = ConfirmaReemplazo(nuevo, error);
    }
    return ok;
}

// The table anew with a primary key on `fields`, keeping its rows and other indexes.
bool NewPrimaryKey(TCursor& cur, const std::vector<std::string>& fields, std::string* error) {
    std::string cols;
    sqlite3_stmt* st = nullptr;
    std::string q = "PRAGMA table_info(" + ::db::QuoteIdent(cur.tabla) + ")";
    if (sqlite3_prepare_v2(cur.con->get(), q.c_str(), -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            cols += (cols.empty() ? "" : ", ") +
                    ::db::QuoteIdent(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))) + " " +
                    reinterpret_cast<const char*>(sqlite3_column_text(st, 2));
    sqlite3_finalize(st);
    std::string key;
    for (const auto& f : fields) key += (key.empty() ? "" : ", ") + ::db::QuoteIdent(f);
    return CopyInto(cur, "CREATE TABLE " + ::db::QuoteIdent(cur.tabla) + " (" + cols + ", PRIMARY KEY (" + key + "))",
                    false, error);
}

// The table anew with its own definition: every index is built again from the rows.
bool CopyAnew(TCursor& cur, std::string* error) {
    std::string create;
    for (const auto& s : SchemaSqlInFile(cur.con->get()))
        if (Upper(s).rfind("CREATE TABLE", 0) == 0 && create.empty()) create = s;
    bool alias = false;
    for (const auto& i : IndicesEnArchivo(cur.con->get(), cur.tabla)) alias = alias || (i.primario && i.sqliteName.empty());
    return !create.empty() && CopyInto(cur, create, !alias, error);
}

}  // namespace

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
        if (i.sqliteName.empty() || cur.con->Exec("REINDEX " + ::db::QuoteIdent(i.sqliteName), error)) return true;
        // A damaged index cannot even be emptied; a copy of the file builds every index anew
        // from the table's rows, and replaces the file only when it checks out.
        return CopyAnew(cur, error);
    }
    if (error) *error = "la tabla no tiene el índice " + indice;
    return false;
}

}  // namespace tablemaint
