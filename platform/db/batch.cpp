// BatchWriter: a prepared INSERT reused for every row inside one transaction, with the
// journal kept off the disk's sync path until commit.
#include "platform/db/batch.h"

#include <filesystem>

#include "platform/db/sqlite_internal.h"
#include "platform/db/table.h"

namespace db {
namespace {

Value Normalize(FieldType t, const Value& v) {
    if (v.IsNull()) return v;
    switch (t) {
    case FieldType::Date:
        if (v.kind == Value::Kind::Float || v.kind == Value::Kind::Integer) return Value(text::ToIsoDate(v.ToFloat()));
        return v;
    case FieldType::DateTime:
        if (v.kind == Value::Kind::Float || v.kind == Value::Kind::Integer) return Value(text::ToIsoDateTime(v.ToFloat()));
        if (v.kind == Value::Kind::Text && v.s.size() == 10) return Value(v.s + " 00:00:00");
        return v;
    case FieldType::Time:
        if (v.kind == Value::Kind::Float || v.kind == Value::Kind::Integer) {
            std::string full = text::ToIsoDateTime(v.ToFloat());
            return Value(full.substr(full.find(' ') + 1));
        }
        return v;
    case FieldType::String:
    case FieldType::Memo:
        if (v.kind == Value::Kind::Text && v.s.empty()) return Value();
        if (v.kind != Value::Kind::Text) return Value(v.ToString());
        return v;
    case FieldType::Boolean:
        return Value(v.ToInteger() != 0);
    default:
        return v;
    }
}

}  // namespace

BatchWriter::BatchWriter(const std::string& path, const TableDef& def) : def_(def) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) CreateTableFile(path, def);
    conn_ = std::make_unique<detail::Connection>(path, false, 3000, def.name);
    // Index pages of a large load stay in memory instead of being written and read again.
    conn_->Exec("PRAGMA cache_size=-65536");
    // No disk sync at each commit: loading thousands of small per-day files otherwise waits
    // on the disk for most of its time. A killed load still rolls back through the journal.
    conn_->Exec("PRAGMA synchronous=OFF");
    detail::Statement name(*conn_, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid LIMIT 1");
    if (!name.Step()) throw EDatabaseError("El archivo " + path + " no contiene una tabla", ErrorKind::NotFound);
    const std::string table = name.Column(0).ToString();
    name = detail::Statement();
    std::string cols, vals;
    for (size_t k = 0; k < def.fields.size(); ++k) {
        cols += (k ? ", " : "") + QuoteIdent(def.fields[k].name);
        vals += k ? ", ?" : "?";
    }
    insert_ = std::make_unique<detail::Statement>(*conn_, "INSERT INTO " + QuoteIdent(table) + " (" + cols + ") VALUES (" + vals + ")");
}

BatchWriter::~BatchWriter() {
    try {
        Commit();
    } catch (...) {
    }
    insert_.reset();
}

void BatchWriter::Append(const Row& row) {
    if (row.size() != def_.fields.size())
        throw EDatabaseError("El registro no tiene los campos de la tabla " + def_.name);
    if (!open_) {
        conn_->Exec("BEGIN IMMEDIATE");
        open_ = true;
    }
    for (size_t k = 0; k < row.size(); ++k) insert_->Bind(static_cast<int>(k) + 1, Normalize(def_.fields[k].type, row[k]));
    insert_->Step();
    insert_->Reset();
    ++count_;
}

void BatchWriter::Commit() {
    if (!open_) return;
    open_ = false;
    conn_->Exec("COMMIT");
}

void BatchWriter::Rollback() {
    if (!open_) return;
    open_ = false;
    conn_->Exec("ROLLBACK");
}

}  // namespace db
