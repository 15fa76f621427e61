// RAII over the SQLite C API: connections with the layer's pragmas, statements, values.
// Not here: naming of tables and files (names.cpp) or cursors (dataset.cpp).
#include "platform/2_db/sqlite_internal.h"

namespace db::detail {

[[noreturn]] void Raise(int rc, sqlite3* db, const std::string& subject) {
    const int primary = rc & 0xff;
    const std::string detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        throw EDatabaseError("La tabla " + subject + " está en uso", ErrorKind::Locked);
    if (primary == SQLITE_CONSTRAINT &&
        (rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE))
        throw EDatabaseError("Llave duplicada en la tabla " + subject, ErrorKind::KeyViolation);
    if (rc == SQLITE_CONSTRAINT_NOTNULL)
        throw EDatabaseError("Falta un valor requerido en la tabla " + subject + ": " + detail);
    if (primary == SQLITE_CANTOPEN)
        throw EDatabaseError("No se puede abrir " + subject, ErrorKind::NotFound);
    throw EDatabaseError("Error de base de datos en " + subject + ": " + detail);
}

Connection::Connection(const std::string& path, bool create, int busyMs, std::string name)
    : path_(path), name_(name.empty() ? path : std::move(name)) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (create) flags |= SQLITE_OPEN_CREATE;
    int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        Raise(rc, nullptr, name_);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyMs);
    // A table is one file: the rollback journal keeps it so, and an exclusive open then
    // keeps every other process out. The old engine's LIKE told case apart.
    Exec("PRAGMA journal_mode=DELETE");
    Exec("PRAGMA case_sensitive_like=ON");
}

Connection::~Connection() {
    if (db_) sqlite3_close_v2(db_);
}

void Connection::Exec(const std::string& sql) {
    char* err = nullptr;
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err);
    if (err) sqlite3_free(err);
    if (rc != SQLITE_OK) Raise(rc, db_, name_);
}

Statement::Statement(Connection& conn, const std::string& sql) : conn_(&conn) {
    int rc = sqlite3_prepare_v2(conn.Handle(), sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        const int primary = rc & 0xff;
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) Raise(rc, conn.Handle(), conn.Name());
        throw EDatabaseError("Error en la instrucción SQL: " + std::string(sqlite3_errmsg(conn.Handle())) +
                                 "\n" + sql,
                             ErrorKind::Syntax);
    }
}

Statement::~Statement() {
    if (stmt_) sqlite3_finalize(stmt_);
}

Statement& Statement::operator=(Statement&& o) noexcept {
    if (this != &o) {
        if (stmt_) sqlite3_finalize(stmt_);
        stmt_ = o.stmt_;
        conn_ = o.conn_;
        o.stmt_ = nullptr;
    }
    return *this;
}

void Statement::Bind(int index, const Value& v) {
    int rc = SQLITE_OK;
    switch (v.kind) {
    case Value::Kind::Null: rc = sqlite3_bind_null(stmt_, index); break;
    case Value::Kind::Integer: rc = sqlite3_bind_int64(stmt_, index, v.i); break;
    case Value::Kind::Float: rc = sqlite3_bind_double(stmt_, index, v.f); break;
    case Value::Kind::Text:
        rc = sqlite3_bind_text(stmt_, index, v.s.data(), static_cast<int>(v.s.size()), SQLITE_TRANSIENT);
        break;
    case Value::Kind::Blob:
        rc = sqlite3_bind_blob(stmt_, index, v.s.data(), static_cast<int>(v.s.size()), SQLITE_TRANSIENT);
        break;
    }
    if (rc != SQLITE_OK) Raise(rc, conn_->Handle(), conn_->Name());
}

void Statement::BindAll(const std::vector<Value>& values, int first) {
    for (size_t k = 0; k < values.size(); ++k) Bind(first + static_cast<int>(k), values[k]);
}

bool Statement::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    Raise(rc, conn_->Handle(), conn_->Name());
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string Statement::ColumnName(int i) const {
    const char* n = sqlite3_column_name(stmt_, i);
    return n ? n : "";
}

std::string Statement::ColumnDeclType(int i) const {
    const char* t = sqlite3_column_decltype(stmt_, i);
    return t ? t : "";
}

Value Statement::Column(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER: return Value(static_cast<long long>(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT: return Value(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return Value(std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, i))));
    }
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
        return Value::Blob(std::string(p ? p : "", static_cast<size_t>(sqlite3_column_bytes(stmt_, i))));
    }
    default: return Value();
    }
}

}  // namespace db::detail
