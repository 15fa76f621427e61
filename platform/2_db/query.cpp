// TQuery: attaches the files its SQL names to a scratch connection (one schema per file),
// translates the old dialect and binds parameters, taking missing ones from the master.
//
// SQLite attaches at most 10 files per connection in this build (SQLITE_MAX_ATTACHED is a
// compile-time limit of the system library). A statement naming more tables attaches the
// first nine and copies each further table into a temporary table of the scratch
// connection, so it still runs; such copies are read-only snapshots, which is all the
// reports need from a statement that wide.
#include "platform/2_db/query.h"
#include "platform/1_text/gcc12_restrict.h"

#include <filesystem>

#include "platform/2_db/dataset_internal.h"
#include "platform/2_db/names.h"
#include "platform/2_db/session.h"
#include "platform/2_db/translate.h"

namespace db {
namespace {

constexpr int kAttachDirect = 9;

// The file of a table as a statement names it; ":Alias:Tabla" names the alias's folder.
std::string TableFile(const std::string& folder, const std::string& written) {
    if (written.size() > 1 && written[0] == ':') {
        const auto second = written.find(':', 1);
        if (second != std::string::npos)
            return ResolveTableFile(DatabaseFolder(written.substr(1, second - 1)), written.substr(second + 1));
    }
    return ResolveTableFile(folder, written);
}

}  // namespace

void TSqlLines::Add(const std::string& line) {
    lines_.push_back(line);
    Changed();
}

void TSqlLines::Insert(int index, const std::string& line) {
    if (index < 0 || index > Count()) throw EDatabaseError("Índice de línea fuera de rango: " + std::to_string(index));
    lines_.insert(lines_.begin() + index, line);
    Changed();
}

void TSqlLines::Delete(int index) {
    if (index < 0 || index >= Count()) throw EDatabaseError("Índice de línea fuera de rango: " + std::to_string(index));
    lines_.erase(lines_.begin() + index);
    Changed();
}

void TSqlLines::Clear() {
    lines_.clear();
    Changed();
}

const std::string& TSqlLines::Strings(int index) const {
    if (index < 0 || index >= Count()) throw EDatabaseError("Índice de línea fuera de rango: " + std::to_string(index));
    return lines_[static_cast<size_t>(index)];
}

void TSqlLines::SetStrings(int index, const std::string& line) {
    if (index == Count()) {
        Add(line);
        return;
    }
    if (index < 0 || index > Count()) throw EDatabaseError("Índice de línea fuera de rango: " + std::to_string(index));
    lines_[static_cast<size_t>(index)] = line;
    Changed();
}

std::string TSqlLines::Text() const {
    std::string out;
    for (const auto& l : lines_) out += l + "\n";
    return out;
}

void TSqlLines::SetText(const std::string& text) {
    lines_.clear();
    std::string cur;
    for (char ch : text) {
        if (ch == '\n') {
            if (!cur.empty() && cur.back() == '\r') cur.pop_back();
            lines_.push_back(cur);
            cur.clear();
        } else {
            cur += ch;
        }
    }
    if (!cur.empty()) lines_.push_back(cur);
    Changed();
}

void TSqlLines::Assign(const std::vector<std::string>& lines) {
    lines_ = lines;
    Changed();
}

TQuery::TQuery() {
    SQL.OnChange = [this] {
        Close();
        try {
            Params.Ensure(ParameterNames(SQL.Text()));
        } catch (const EDatabaseError&) {
            // An unfinished text (an open quote while lines are still being added) is
            // reported when the query runs.
        }
    };
}

TQuery::~TQuery() {
    try {
        Close();
    } catch (...) {
    }
    if (master_) {
        master_->RemoveListener(this);
        master_ = nullptr;
    }
}

GCC12_FALSE_RESTRICT_BEGIN
void TQuery::Prepare() {
    const std::string text = SQL.Text();
    const std::string folder = DatabaseName.empty() ? std::string() : DatabaseFolder(DatabaseName);
    const std::vector<std::string> written = ReferencedTables(text);
    // Messages name the tables: a lock reads "La tabla V012905H.DB está en uso".
    std::string subject;
    for (const auto& w : written) subject += (subject.empty() ? "" : ", ") + w;
    auto conn = std::make_shared<detail::Connection>(":memory:", true, LockWaitMs, subject.empty() ? Name : subject);

    std::map<std::string, TableTarget> targets;  // by folded name as written
    std::map<std::string, std::set<std::string>> tableColumns;
    std::map<std::string, TableTarget> byFile;
    std::map<std::string, FieldType> types;
    std::map<std::string, std::set<std::string>> byFileColumns;  // by path
    int attached = 0, copied = 0;
    for (const auto& table : written) {
        const std::string path = TableFile(folder, table);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            throw EDatabaseError("No existe la tabla " + table, ErrorKind::NotFound);
        TableTarget target;
        if (auto it = byFile.find(path); it != byFile.end()) {
            target = it->second;
        } else {
            const std::string schema = "t" + std::to_string(attached + copied);
            detail::Statement att(*conn, "ATTACH DATABASE ? AS " + QuoteIdent(schema));
            att.Bind(1, Value(path));
            att.Step();
            detail::Statement name(*conn, "SELECT name FROM " + QuoteIdent(schema) +
                                              ".sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid LIMIT 1");
            if (!name.Step()) throw EDatabaseError("El archivo de " + table + " no contiene una tabla", ErrorKind::NotFound);
            target = {schema, name.Column(0).ToString()};
            name = detail::Statement();
            detail::Statement info(*conn, "SELECT name, type FROM pragma_table_info(?, ?)");
            info.Bind(1, Value(target.table));
            info.Bind(2, Value(schema));
            while (info.Step()) {
                const std::string column = FoldName(info.Column(0).ToString());
                types.emplace(column, FieldFromDeclared("", info.Column(1).ToString()).type);
                byFileColumns[path].insert(column);
            }
            info = detail::Statement();
            if (attached < kAttachDirect) {
                ++attached;
            } else {
                const std::string copy = "c" + std::to_string(copied++);
                conn->Exec("CREATE TEMP TABLE " + QuoteIdent(copy) + " AS SELECT * FROM " + QuoteIdent(schema) + "." + QuoteIdent(target.table));
                conn->Exec("DETACH DATABASE " + QuoteIdent(schema));
                target = {"temp", copy};
            }
            byFile[path] = target;
        }
        targets[FoldName(table)] = target;
        tableColumns[FoldName(table)] = byFileColumns[path];
    }

    TranslateContext ctx;
    ctx.resolve = [&](const std::string& name) {
        auto it = targets.find(FoldName(name));
        if (it == targets.end()) return TableTarget{"main", TableStem(name)};
        return it->second;
    };
    ctx.columnTypes = types;
    ctx.tableColumns = tableColumns;
    Translation tr = TranslateSql(text, ctx);
    translated_ = tr.sql;

    Params.Ensure(tr.params);
    paramNames_ = tr.params;
    paramColumns_ = tr.paramColumns;
    BindParams();
    Cursor().conn = conn;
}
GCC12_FALSE_RESTRICT_END

void TQuery::BindParams() {
    binds_.clear();
    TDataSet* master = DataSource ? DataSource->DataSet : nullptr;
    for (size_t k = 0; k < paramNames_.size(); ++k) {
        TParam& p = Params.ParamByName(paramNames_[k]);
        const bool known = paramColumns_[k].has_value();
        const FieldType column = known ? *paramColumns_[k] : FieldType::String;
        if (p.Bound()) {
            binds_.push_back(p.ForSql(column, known));
        } else if (master) {
            TField* f = master->Active() ? master->FindField(p.Name()) : nullptr;
            binds_.push_back(f ? f->AsValue() : Value());
        } else {
            throw EDatabaseError("Falta el valor del parámetro " + p.Name(), ErrorKind::NotFound);
        }
    }
}

void TQuery::OpenSource() {
    Prepare();
    if (DataSource && DataSource->DataSet && DataSource->DataSet != this && master_ != DataSource->DataSet) {
        if (master_) master_->RemoveListener(this);
        master_ = DataSource->DataSet;
        master_->AddListener(this);
    }
    // Fields from the statement's columns; an expression column takes its type from the
    // first row's value.
    auto& conn = *Cursor().conn;
    detail::Statement st(conn, translated_);
    if (st.ColumnCount() == 0) {
        Cursor().conn.reset();
        throw EDatabaseError("La consulta no devuelve registros; use ExecSQL", ErrorKind::Syntax);
    }
    st.BindAll(binds_);
    const bool row = st.Step();
    std::vector<FieldDef> defs;
    for (int k = 0; k < st.ColumnCount(); ++k) {
        const std::string decl = st.ColumnDeclType(k);
        FieldDef f = FieldFromDeclared(st.ColumnName(k), decl);
        if (decl.empty()) {
            f.size = 0;
            const Value v = row ? st.Column(k) : Value();
            f.type = v.kind == Value::Kind::Integer ? FieldType::Integer
                     : v.kind == Value::Kind::Text  ? FieldType::String
                     : v.kind == Value::Kind::Blob  ? FieldType::Blob
                                                    : FieldType::Float;
            if (f.type == FieldType::String) f.size = 255;
        }
        defs.push_back(f);
    }
    SetFields(defs);
    if (row) primed_ = std::make_unique<detail::Statement>(std::move(st));
}

bool TQuery::TakePrimed(detail::Statement& out) {
    // Only the unfiltered statement is the one that was stepped.
    if (!primed_ || Filtered()) {
        primed_.reset();
        return false;
    }
    out = std::move(*primed_);
    primed_.reset();
    return true;
}

void TQuery::CloseSource() { primed_.reset(); }

void TQuery::BuildCursorSql(detail::CursorSql& out, const std::string& filterSql, const std::vector<Value>& filterBinds) {
    out.binds = binds_;
    if (filterSql.empty()) {
        out.sql = translated_;
        out.countSql = "SELECT COUNT(*) FROM (" + translated_ + ")";
    } else {
        out.sql = "SELECT * FROM (" + translated_ + ") WHERE " + filterSql;
        out.countSql = "SELECT COUNT(*) FROM (" + translated_ + ") WHERE " + filterSql;
        out.binds.insert(out.binds.end(), filterBinds.begin(), filterBinds.end());
    }
    out.hasRowid = false;
    out.offsetable = false;
}

long TQuery::ExecSQL() {
    Close();
    Prepare();
    auto conn = Cursor().conn;
    Cursor().conn.reset();
    detail::Statement st(*conn, translated_);
    st.BindAll(binds_);
    while (st.Step()) {
    }
    return sqlite3_changes(conn->Handle());
}

void TQuery::MasterScrolled(TDataSet& master) {
    if (!Active() || &master != master_) return;
    if (!master.Active()) {
        Close();
        return;
    }
    // The master moved: the same statement runs again with the new master values; the
    // files stay attached, so following a long master costs one query per record.
    BindParams();
    Reopen(0);
}

}  // namespace db
