// TTable over one SQLite file per table: order keys, key search and ranges expressed as SQL
// comparisons on the order's fields (so they use the file's indexes), exclusive locking,
// writes, and table creation.
#include "platform/2_db/table.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/2_db/dataset_internal.h"
#include "platform/2_db/names.h"
#include "platform/2_db/session.h"

namespace db {
namespace {

std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    for (char ch : text + ";") {
        if (ch == ';' || ch == ',') {
            cur.erase(0, cur.find_first_not_of(' '));
            cur.erase(cur.find_last_not_of(' ') + 1);
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else {
            cur += ch;
        }
    }
    return out;
}

std::string TableOf(detail::Connection& conn) {
    detail::Statement st(conn, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid LIMIT 1");
    if (!st.Step()) throw EDatabaseError("El archivo " + conn.Name() + " no contiene una tabla", ErrorKind::NotFound);
    return st.Column(0).ToString();
}

// Exclusive open: the write lock taken with BEGIN EXCLUSIVE is kept until the connection
// closes (locking_mode=EXCLUSIVE), so no other process can read or write the file. SQLite
// holds no lock between statements, so an idle open table would not stop an exclusive
// open elsewhere; every open therefore also holds a flock on the file, shared or
// exclusive. flock is kept apart from SQLite's own fcntl locks by the kernel, and belongs
// to this open alone, so closing it never drops a lock SQLite holds.
constexpr int kExclusiveWaitMs = 500;

bool FlockWithin(int fd, int operation, int waitMs) {
    for (int waited = 0;; waited += 50) {
        if (::flock(fd, operation | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (waited >= waitMs) return false;
        ::usleep(50 * 1000);
    }
}

}  // namespace

void CreateTableFile(const std::string& path, const TableDef& def) {
    // O_EXCL makes the claim of the name atomic between processes; SQLite then takes the
    // empty file as a new database.
    int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0664);
    if (fd < 0) {
        if (errno == EEXIST) throw EDatabaseError("La tabla " + def.name + " ya existe", ErrorKind::General);
        throw EDatabaseError("No se puede crear la tabla " + def.name + ": " + std::strerror(errno));
    }
    ::close(fd);
    try {
        detail::Connection conn(path, false, 3000, def.name);
        conn.Exec("BEGIN");
        for (const auto& sql : CreateTableSql(def)) conn.Exec(sql);
        conn.Exec("COMMIT");
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        throw;
    }
}

TTable::TTable() = default;

TTable::~TTable() {
    try {
        Close();
    } catch (...) {
    }
}

std::string TTable::FileName() const {
    std::string folder;
    if (!DatabaseName.empty()) folder = DatabaseFolder(DatabaseName);
    return ResolveTableFile(folder, TableName);
}

bool TTable::Exists() const {
    std::error_code ec;
    return std::filesystem::is_regular_file(FileName(), ec);
}

std::string TTable::Quoted() const { return QuoteIdent(stem_); }

void TTable::ReadDefinition() {
    auto& conn = *Cursor().conn;
    stem_ = TableOf(conn);
    std::vector<FieldDef> defs;
    std::vector<std::pair<int, std::string>> pk;
    detail::Statement info(conn, "SELECT name, type, \"notnull\", pk FROM pragma_table_info(?)");
    info.Bind(1, Value(stem_));
    while (info.Step()) {
        FieldDef f = FieldFromDeclared(info.Column(0).ToString(), info.Column(1).ToString());
        f.required = info.Column(2).ToInteger() != 0;
        if (info.Column(3).ToInteger() > 0) pk.emplace_back(static_cast<int>(info.Column(3).ToInteger()), f.name);
        defs.push_back(f);
    }
    std::sort(pk.begin(), pk.end());
    fileIndexes_.clear();
    if (!pk.empty()) {
        IndexDef primary{"", {}, true, true};
        for (auto& [n, name] : pk) primary.fields.push_back(name);
        fileIndexes_.push_back(primary);
    }
    detail::Statement list(conn, "SELECT name, \"unique\", origin FROM pragma_index_list(?)");
    list.Bind(1, Value(stem_));
    while (list.Step()) {
        if (list.Column(2).ToString() == "pk") continue;
        IndexDef idx;
        idx.name = list.Column(0).ToString();
        idx.unique = list.Column(1).ToInteger() != 0;
        detail::Statement cols(conn, "SELECT name, \"desc\", coll FROM pragma_index_xinfo(?) WHERE key = 1 ORDER BY seqno");
        cols.Bind(1, Value(idx.name));
        while (cols.Step()) {
            idx.fields.push_back(cols.Column(0).ToString());
            if (cols.Column(1).ToInteger()) idx.descending = true;
            if (FoldName(cols.Column(2).ToString()) == "nocase") idx.caseInsensitive = true;
        }
        fileIndexes_.push_back(idx);
    }
    FieldDefs = defs;
    IndexDefs = fileIndexes_;
    SetFields(defs);
}

TableDef TTable::Definition() const { return TableDef{TableName, FieldDefs, IndexDefs}; }

void TTable::OpenSource() {
    const std::string path = FileName();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw EDatabaseError("No existe la tabla " + TableName, ErrorKind::NotFound);
    shareFd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (shareFd_ < 0) throw EDatabaseError("No se puede abrir la tabla " + TableName + ": " + std::strerror(errno));
    if (!FlockWithin(shareFd_, Exclusive ? LOCK_EX : LOCK_SH, Exclusive ? kExclusiveWaitMs : LockWaitMs)) {
        CloseSource();
        throw EDatabaseError("La tabla " + TableName + " está en uso", ErrorKind::Locked);
    }
    std::shared_ptr<detail::Connection> conn;
    try {
        conn = std::make_shared<detail::Connection>(path, false, Exclusive ? kExclusiveWaitMs : LockWaitMs, TableName);
    } catch (...) {
        CloseSource();
        throw;
    }
    Cursor().conn = conn;
    try {
        // A record post is one transaction; with the disk synced on each, posting costs
        // about 15 ms a record here, and a report filling a temporary table row by row would
        // crawl. The old engine never synced either. A killed process still leaves the file
        // whole (the journal rolls it back); only a power cut can cost the last posts, and
        // the table maintenance verifies and rebuilds a damaged file.
        conn->Exec("PRAGMA synchronous=OFF");
        if (Exclusive) {
            conn->Exec("PRAGMA locking_mode=EXCLUSIVE");
            conn->Exec("BEGIN EXCLUSIVE");
            conn->Exec("COMMIT");
        }
        ReadDefinition();
    } catch (...) {
        Cursor().conn.reset();
        CloseSource();
        throw;
    }
}

void TTable::CloseSource() {
    if (shareFd_ >= 0) ::close(shareFd_);
    shareFd_ = -1;
}

std::vector<TTable::OrderKey> TTable::OrderKeys() const {
    std::vector<OrderKey> keys;
    if (!indexFieldNames_.empty()) {
        for (const auto& n : SplitNames(indexFieldNames_)) keys.push_back({n});
    } else {
        const IndexDef* idx = nullptr;
        const bool primary = indexName_.empty() || FoldName(indexName_) == "primario";
        for (const auto& i : fileIndexes_)
            if (primary ? i.primary : (!i.primary && SameName(i.name, indexName_))) idx = &i;
        if (!idx && !primary) throw EDatabaseError("No existe el índice " + indexName_ + " en la tabla " + TableName, ErrorKind::NotFound);
        if (idx)
            for (const auto& f : idx->fields) keys.push_back({f, idx->descending, idx->caseInsensitive});
    }
    // Names as the file spells them, so messages and SQL agree.
    for (auto& k : keys) {
        auto it = std::find_if(FieldDefs.begin(), FieldDefs.end(), [&](const FieldDef& f) { return SameName(f.name, k.field); });
        if (it == FieldDefs.end()) throw EDatabaseError("No existe el campo " + k.field + " en la tabla " + TableName, ErrorKind::NotFound);
        k.field = it->name;
    }
    return keys;
}

std::vector<std::string> TTable::IndexFields() const {
    std::vector<std::string> out;
    for (const auto& k : OrderKeys()) out.push_back(k.field);
    return out;
}

namespace {

struct KeyCmp {
    std::string sql;
    std::vector<Value> binds;
};

// The record's key comes before (less) or after (!less) `values` in the order of `keys`,
// or equals it when orEqual; only as many leading keys as values take part. NULL sorts
// first in an ascending key, as SQLite orders it.
template <class Key>
KeyCmp Compare(const std::vector<Key>& keys, const std::vector<Value>& values, bool less, bool orEqual) {
    KeyCmp out;
    const size_t n = std::min(keys.size(), values.size());
    auto col = [&](size_t i) {
        return QuoteIdent(keys[i].field) + (keys[i].nocase ? " COLLATE NOCASE" : "");
    };
    std::vector<std::string> terms;
    for (size_t i = 0; i <= n; ++i) {
        if (i == n && !orEqual) break;
        std::string term;
        std::vector<Value> b;
        for (size_t j = 0; j < i; ++j) {
            if (!term.empty()) term += " AND ";
            if (values[j].IsNull()) {
                term += QuoteIdent(keys[j].field) + " IS NULL";
            } else {
                term += "(" + QuoteIdent(keys[j].field) + " IS NOT NULL AND " + col(j) + " = ?)";
                b.push_back(values[j]);
            }
        }
        if (i < n) {
            // Strictly before or after on key i.
            const bool smaller = (less != keys[i].desc);  // the column value must be smaller
            std::string cmp;
            if (values[i].IsNull()) {
                cmp = smaller ? "0" : QuoteIdent(keys[i].field) + " IS NOT NULL";
            } else {
                cmp = smaller ? "(" + QuoteIdent(keys[i].field) + " IS NULL OR " + col(i) + " < ?)"
                              : "(" + QuoteIdent(keys[i].field) + " IS NOT NULL AND " + col(i) + " > ?)";
                b.push_back(values[i]);
            }
            term += (term.empty() ? "" : " AND ") + cmp;
        }
        if (term.empty()) term = "1";
        terms.push_back("(" + term + ")");
        out.binds.insert(out.binds.end(), b.begin(), b.end());
    }
    if (terms.empty()) {
        out.sql = "0";
        return out;
    }
    out.sql = "(";
    for (size_t i = 0; i < terms.size(); ++i) out.sql += (i ? " OR " : "") + terms[i];
    out.sql += ")";
    return out;
}

}  // namespace

void TTable::BuildCursorSql(detail::CursorSql& out, const std::string& filterSql, const std::vector<Value>& filterBinds) {
    std::string cols;
    for (const auto& f : FieldDefs) cols += QuoteIdent(f.name) + ", ";
    std::string where;
    std::vector<Value> binds;
    if (ranged_) {
        const auto keys = OrderKeys();
        KeyCmp lo = Compare(keys, rangeStart_, true, false);  // before start
        KeyCmp hi = Compare(keys, rangeEnd_, false, false);   // after end
        where = "NOT " + lo.sql + " AND NOT " + hi.sql;
        binds = lo.binds;
        binds.insert(binds.end(), hi.binds.begin(), hi.binds.end());
    }
    if (!filterSql.empty()) {
        where += (where.empty() ? "" : " AND ") + ("(" + filterSql + ")");
        binds.insert(binds.end(), filterBinds.begin(), filterBinds.end());
    }
    std::string order;
    for (const auto& k : OrderKeys())
        order += QuoteIdent(k.field) + (k.nocase ? " COLLATE NOCASE" : "") + (k.desc ? " DESC" : "") + ", ";
    order += "rowid";
    const std::string from = " FROM " + Quoted() + (where.empty() ? "" : " WHERE " + where);
    out.sql = "SELECT " + cols + "rowid" + from + " ORDER BY " + order;
    out.countSql = "SELECT COUNT(*)" + from;
    out.binds = binds;
    out.hasRowid = true;
    out.offsetable = true;
}

std::vector<Value> TTable::KeyValues(const std::vector<OrderKey>& keys, const std::vector<Value>& values) const {
    std::vector<Value> out;
    for (size_t i = 0; i < values.size(); ++i) {
        auto it = i < keys.size() ? std::find_if(FieldDefs.begin(), FieldDefs.end(),
                                                 [&](const FieldDef& f) { return f.name == keys[i].field; })
                                  : FieldDefs.end();
        out.push_back(it == FieldDefs.end() ? values[i] : ConvertForField(*it, values[i]));
    }
    return out;
}

long TTable::CountBefore(const std::vector<OrderKey>& keys, const std::vector<Value>& values, bool orEqual) {
    auto& c = Cursor();
    KeyCmp cmp = Compare(keys, values, true, orEqual);
    // The cursor's own WHERE (range and filter) applies: positions count visible rows only.
    std::string sql = c.q.countSql;
    sql += (sql.find(" WHERE ") == std::string::npos ? " WHERE " : " AND ") + cmp.sql;
    detail::Statement st(*c.conn, sql);
    st.BindAll(c.q.binds);
    st.BindAll(cmp.binds, static_cast<int>(c.q.binds.size()) + 1);
    return st.Step() ? static_cast<long>(st.Column(0).ToInteger()) : 0;
}

long TTable::PositionOfRowid(std::int64_t rowid) {
    auto keys = OrderKeys();
    std::string cols;
    for (const auto& k : keys) cols += QuoteIdent(k.field) + ", ";
    detail::Statement st(*Cursor().conn, "SELECT " + cols + "rowid FROM " + Quoted() + " WHERE rowid = ?");
    st.Bind(1, Value(static_cast<long long>(rowid)));
    if (!st.Step()) return -1;
    std::vector<Value> values;
    for (size_t k = 0; k <= keys.size(); ++k) values.push_back(st.Column(static_cast<int>(k)));
    st = detail::Statement();
    keys.push_back({"rowid"});
    return CountBefore(keys, values, false);
}

bool TTable::FetchRowid(std::int64_t rowid, detail::Row& out) {
    std::string cols;
    for (const auto& f : FieldDefs) cols += QuoteIdent(f.name) + ", ";
    detail::Statement st(*Cursor().conn, "SELECT " + cols + "rowid FROM " + Quoted() + " WHERE rowid = ?");
    st.Bind(1, Value(static_cast<long long>(rowid)));
    if (!st.Step()) return false;
    out.values.clear();
    for (size_t k = 0; k < FieldDefs.size(); ++k) out.values.push_back(st.Column(static_cast<int>(k)));
    out.rowid = rowid;
    return true;
}

bool TTable::FindKey(const std::vector<Value>& keyValues) {
    CheckBrowseMode();
    const auto keys = OrderKeys();
    const auto key = KeyValues(keys, keyValues);
    if (key.empty() || key.size() > keys.size())
        throw EDatabaseError("FindKey: la llave no corresponde al índice de la tabla " + TableName);
    auto& c = Cursor();
    std::string cond;
    std::vector<Value> binds = c.q.binds;
    for (size_t i = 0; i < key.size(); ++i) {
        cond += (i ? " AND " : "") + QuoteIdent(keys[i].field) + (keys[i].nocase ? " COLLATE NOCASE" : "");
        if (key[i].IsNull()) {
            cond += " IS NULL";
        } else {
            cond += " = ?";
            binds.push_back(key[i]);
        }
    }
    const std::string from = c.q.countSql.substr(std::string("SELECT COUNT(*)").size());
    std::string order = c.q.sql.substr(c.q.sql.rfind(" ORDER BY "));
    std::string sql = "SELECT rowid" + from + (from.find(" WHERE ") == std::string::npos ? " WHERE " : " AND ") + cond + order + " LIMIT 1";
    detail::Statement st(*c.conn, sql);
    st.BindAll(binds);
    if (!st.Step()) return false;
    const std::int64_t rowid = st.Column(0).ToInteger();
    st = detail::Statement();
    GotoPosition(PositionOfRowid(rowid));
    return true;
}

void TTable::FindNearest(const std::vector<Value>& key) {
    CheckBrowseMode();
    const auto keys = OrderKeys();
    GotoPosition(CountBefore(keys, KeyValues(keys, key), false));
}

void TTable::SetRange(const std::vector<Value>& start, const std::vector<Value>& end) {
    CheckBrowseMode();
    const auto keys = OrderKeys();
    rangeStart_ = KeyValues(keys, start);
    rangeEnd_ = KeyValues(keys, end);
    ranged_ = true;
    Reopen(0);
}

void TTable::CancelRange() {
    if (!ranged_) return;
    ranged_ = false;
    rangeStart_.clear();
    rangeEnd_.clear();
    if (Active()) Reopen(0);
}

void TTable::SetIndexName(const std::string& name) {
    const std::string oldName = indexName_, oldFields = indexFieldNames_;
    indexName_ = name;
    indexFieldNames_.clear();
    try {
        if (Active()) Refresh();
    } catch (...) {
        // An unknown index leaves the table in the order it had.
        indexName_ = oldName;
        indexFieldNames_ = oldFields;
        throw;
    }
}

void TTable::SetIndexFieldNames(const std::string& names) {
    const std::string old = indexFieldNames_;
    indexFieldNames_ = names;
    try {
        if (Active()) Refresh();
    } catch (...) {
        indexFieldNames_ = old;
        throw;
    }
}

std::int64_t TTable::InsertRecord(const std::vector<Value>& row) {
    if (ReadOnly) throw EDatabaseError("La tabla " + TableName + " es de sólo lectura");
    auto& c = Cursor();
    c.Invalidate();
    std::string cols, vals;
    std::vector<Value> binds;
    for (size_t k = 0; k < FieldDefs.size(); ++k) {
        cols += (k ? ", " : "") + QuoteIdent(FieldDefs[k].name);
        if (FieldDefs[k].type == FieldType::AutoInc && row[k].IsNull()) {
            vals += std::string(k ? ", " : "") + "(SELECT COALESCE(MAX(" + QuoteIdent(FieldDefs[k].name) + "), 0) + 1 FROM " + Quoted() + ")";
        } else {
            vals += k ? ", ?" : "?";
            binds.push_back(row[k]);
        }
    }
    detail::Statement st(*c.conn, "INSERT INTO " + Quoted() + " (" + cols + ") VALUES (" + vals + ")");
    st.BindAll(binds);
    st.Step();
    return sqlite3_last_insert_rowid(c.conn->Handle());
}

void TTable::UpdateRecord(std::int64_t rowid, const std::vector<Value>& row) {
    if (ReadOnly) throw EDatabaseError("La tabla " + TableName + " es de sólo lectura");
    auto& c = Cursor();
    c.Invalidate();
    std::string set;
    for (size_t k = 0; k < FieldDefs.size(); ++k) set += (k ? ", " : "") + QuoteIdent(FieldDefs[k].name) + " = ?";
    detail::Statement st(*c.conn, "UPDATE " + Quoted() + " SET " + set + " WHERE rowid = ?");
    st.BindAll(row);
    st.Bind(static_cast<int>(row.size()) + 1, Value(static_cast<long long>(rowid)));
    st.Step();
}

void TTable::DeleteRecord(std::int64_t rowid) {
    if (ReadOnly) throw EDatabaseError("La tabla " + TableName + " es de sólo lectura");
    auto& c = Cursor();
    c.Invalidate();
    detail::Statement st(*c.conn, "DELETE FROM " + Quoted() + " WHERE rowid = ?");
    st.Bind(1, Value(static_cast<long long>(rowid)));
    st.Step();
}

void TTable::FlushBuffers() {}

void TTable::EmptyTable() {
    if (Active()) {
        Cancel();
        Cursor().Invalidate();
        Cursor().conn->Exec("DELETE FROM " + Quoted());
        Reopen(0);
        return;
    }
    detail::Connection conn(FileName(), false, 3000, TableName);
    conn.Exec("DELETE FROM " + QuoteIdent(TableOf(conn)));
}

void TTable::CreateTable() {
    Close();
    const std::string path = FileName();
    std::error_code ec;
    std::filesystem::remove(path, ec);
    std::filesystem::remove(path + "-journal", ec);
    CreateTableFile(path, TableDef{TableName, FieldDefs, IndexDefs});
}

void TTable::DeleteTable() {
    Close();
    const std::string path = FileName();
    std::error_code ec;
    if (!std::filesystem::remove(path, ec))
        throw EDatabaseError("No existe la tabla " + TableName, ErrorKind::NotFound);
    std::filesystem::remove(path + "-journal", ec);
}

}  // namespace db
