// Maps field definitions to SQLite declared types and CREATE statements, and back.
#include "platform/2_db/schema.h"

#include "platform/1_text/fold.h"

#include <algorithm>

namespace db {
namespace {

std::string TableStem(std::string name) {
    auto slash = name.find_last_of('/');
    if (slash != std::string::npos) name = name.substr(slash + 1);
    auto dot = name.find_last_of('.');
    if (dot != std::string::npos) name = name.substr(0, dot);
    return name;
}

}  // namespace

std::string DeclaredType(const FieldDef& field) {
    switch (field.type) {
    case FieldType::String: return "VARCHAR(" + std::to_string(field.size > 0 ? field.size : 255) + ")";
    case FieldType::SmallInt: return "SMALLINT";
    case FieldType::Integer: return "INTEGER";
    case FieldType::AutoInc: return "INTEGER AUTOINC";
    case FieldType::Float: return "FLOAT";
    case FieldType::Currency: return "CURRENCY FLOAT";
    case FieldType::Boolean: return "BOOLEAN";
    case FieldType::Date: return "DATE";
    case FieldType::Time: return "TIME";
    case FieldType::DateTime: return "TIMESTAMP";
    case FieldType::Memo: return "TEXT";
    case FieldType::Blob: return "BLOB";
    }
    return "TEXT";
}

FieldDef FieldFromDeclared(const std::string& name, const std::string& declared) {
    const std::string t = text::UpperCase(declared);
    FieldDef f{name, FieldType::String, 255, false};
    auto starts = [&](const char* p) { return t.rfind(p, 0) == 0; };
    if (starts("VARCHAR") || starts("CHAR")) {
        auto open = t.find('(');
        if (open != std::string::npos) f.size = std::atoi(t.c_str() + open + 1);
    } else if (t == "SMALLINT") f.type = FieldType::SmallInt;
    else if (t == "INTEGER AUTOINC") f.type = FieldType::AutoInc;
    else if (t == "INTEGER" || t == "INT") f.type = FieldType::Integer;
    else if (t == "FLOAT" || t == "REAL" || t == "DOUBLE") f.type = FieldType::Float;
    else if (t == "CURRENCY FLOAT") f.type = FieldType::Currency;
    else if (t == "BOOLEAN") f.type = FieldType::Boolean;
    else if (t == "DATE") f.type = FieldType::Date;
    else if (t == "TIME") f.type = FieldType::Time;
    else if (t == "TIMESTAMP" || t == "DATETIME") f.type = FieldType::DateTime;
    else if (t == "TEXT") f.type = FieldType::Memo;
    else if (t == "BLOB") f.type = FieldType::Blob;
    if (f.type != FieldType::String) f.size = 0;
    return f;
}

std::string QuoteIdent(const std::string& ident) {
    std::string out = "\"";
    for (char c : ident) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::vector<std::string> CreateTableSql(const TableDef& def, const std::string& schema) {
    const std::string table = TableStem(def.name);
    std::string create = "CREATE TABLE " + QuoteIdent(schema) + "." + QuoteIdent(table) + " (";
    for (size_t i = 0; i < def.fields.size(); ++i) {
        const auto& f = def.fields[i];
        if (i) create += ", ";
        create += QuoteIdent(f.name) + " " + DeclaredType(f);
        if (f.required) create += " NOT NULL";
    }
    std::vector<std::string> out;
    std::vector<const IndexDef*> secondary;
    for (const auto& idx : def.indexes) {
        if (idx.primary || text::SameText(idx.name, "PRIMARIO")) {
            create += ", PRIMARY KEY (";
            for (size_t i = 0; i < idx.fields.size(); ++i)
                create += (i ? ", " : "") + QuoteIdent(idx.fields[i]);
            create += ")";
        } else {
            secondary.push_back(&idx);
        }
    }
    create += ")";
    out.push_back(create);
    for (size_t n = 0; n < secondary.size(); ++n) {
        const IndexDef* idx = secondary[n];
        // SQLite needs a name; an unnamed secondary index gets one from its table.
        const std::string name = idx->name.empty() ? table + "_X" + std::to_string(n + 1) : idx->name;
        std::string sql = std::string("CREATE ") + (idx->unique ? "UNIQUE " : "") + "INDEX " +
                          QuoteIdent(schema) + "." + QuoteIdent(name) + " ON " +
                          QuoteIdent(table) + " (";
        for (size_t i = 0; i < idx->fields.size(); ++i) {
            sql += (i ? ", " : "") + QuoteIdent(idx->fields[i]);
            if (idx->caseInsensitive) sql += " COLLATE NOCASE";
            if (idx->descending) sql += " DESC";
        }
        out.push_back(sql + ")");
    }
    return out;
}

}  // namespace db
