// Field and index definitions of a table, and the SQLite text that creates such a table.
// Every creator of tables (temporary tables, the demo generator, creation from the data
// dictionary) describes them with these types, so the declared column types (and with them
// SQLite's type affinity) are decided in one place.
#pragma once

#include <string>
#include <vector>

namespace db {

enum class FieldType {
    String,    // fixed maximum size in characters
    SmallInt,
    Integer,
    AutoInc,
    Float,
    Currency,
    Boolean,   // stored as 0/1
    Date,      // ISO-8601 text "YYYY-MM-DD"
    Time,      // ISO-8601 text "HH:MM:SS"
    DateTime,  // ISO-8601 text "YYYY-MM-DD HH:MM:SS"
    Memo,
    Blob,
};

struct FieldDef {
    std::string name;
    FieldType type = FieldType::String;
    int size = 0;  // characters, for String only
    bool required = false;
};

struct IndexDef {
    std::string name;                 // "" or "PRIMARIO" for the primary index
    std::vector<std::string> fields;  // key fields in order
    bool primary = false;
    bool unique = false;
    bool descending = false;
    bool caseInsensitive = false;
};

struct TableDef {
    std::string name;  // as the system names the table, with or without ".DB"
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;
};

// The declared SQLite type of a field: VARCHAR(n), SMALLINT, INTEGER, FLOAT, CURRENCY FLOAT,
// BOOLEAN, DATE, TIME, TIMESTAMP, TEXT, BLOB. Text types keep codes such as "01" as text;
// numeric ones keep numbers as numbers.
std::string DeclaredType(const FieldDef& field);
// The reverse, for a table file made elsewhere; an unknown declared type reads as String.
FieldDef FieldFromDeclared(const std::string& name, const std::string& declared);

// Quotes an identifier for SQLite ("Descripcio" -> "\"Descripcio\"").
std::string QuoteIdent(const std::string& ident);

// CREATE TABLE for the table's single table in its own file (schema "main" unless given),
// with the primary index as PRIMARY KEY, then one CREATE INDEX per secondary index.
std::vector<std::string> CreateTableSql(const TableDef& def, const std::string& schema = "main");

}  // namespace db
