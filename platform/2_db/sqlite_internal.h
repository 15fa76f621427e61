// RAII over the SQLite C API for the data layer's own .cpp files: a connection, a prepared
// statement, binding and reading db::Value. Nothing outside platform/2_db includes this file,
// so sqlite3.h never reaches the rest of the tree.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/2_db/error.h"
#include "platform/2_db/value.h"

namespace db::detail {

class Connection {
public:
    // Opens (creating when asked) one table file with the journal and LIKE settings every
    // connection of the layer uses; ":memory:" for a query's scratch connection.
    // `name` is the table as messages name it.
    Connection(const std::string& path, bool create, int busyMs = 3000, std::string name = "");
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* Handle() const { return db_; }
    // Runs statements that return no rows; raises EDatabaseError naming the table.
    void Exec(const std::string& sql);
    std::string LastError() const { return sqlite3_errmsg(db_); }
    const std::string& Path() const { return path_; }
    const std::string& Name() const { return name_; }

private:
    sqlite3* db_ = nullptr;
    std::string path_;
    std::string name_;
};

class Statement {
public:
    Statement() = default;
    Statement(Connection& conn, const std::string& sql);
    ~Statement();
    Statement(Statement&& o) noexcept : stmt_(o.stmt_), conn_(o.conn_) { o.stmt_ = nullptr; }
    Statement& operator=(Statement&& o) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Valid() const { return stmt_ != nullptr; }
    sqlite3_stmt* Handle() const { return stmt_; }
    void Bind(int index, const Value& v);  // 1-based
    void BindAll(const std::vector<Value>& values, int first = 1);
    // Steps once: true with a row, false when done; raises on error.
    bool Step();
    void Reset();
    int ColumnCount() const { return sqlite3_column_count(stmt_); }
    std::string ColumnName(int i) const;
    std::string ColumnDeclType(int i) const;
    Value Column(int i) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
    Connection* conn_ = nullptr;
};

// Maps an SQLite result code to the layer's error; `subject` names the table in Spanish text.
[[noreturn]] void Raise(int rc, sqlite3* db, const std::string& subject);

}  // namespace db::detail
