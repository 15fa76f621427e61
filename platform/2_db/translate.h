// Translates the old desktop engine's local SQL, as report dialogs and users' own layouts
// write it, into SQLite SQL over attached table files. This is the interface; the lexer is
// translate_lex.cpp and the rewriter translate_rewrite.cpp.
//
// Accepted dialect, beyond what SQLite reads as it is:
// - table names as files: bare (Tiendas, V012905H.DB), quoted ('V012905H.DB', "Usuarios.DB",
//   "C:\Datos\X.DB", ":RazirWin10:Tiendas"), with or without an alias ("From MovProd Mov");
//   the table's own name stays usable as a qualifier behind its alias (MovProd.Fecha);
// - date literals "M/D/YYYY" and "MM/DD/YYYY", with "HH:MM[:SS]" after them, in single or
//   double quotes, become ISO-8601 text ('5/29/2002' -> '2002-05-29'); a date without time
//   compared with a TIMESTAMP column becomes that day at 00:00:00;
// - EXTRACT(YEAR|MONTH|DAY|HOUR|MINUTE|SECOND FROM x) over ISO text, CAST(x AS INTEGER |
//   SMALLINT | FLOAT | NUMERIC | CHAR(n) | VARCHAR(n) | DATE | TIME | TIMESTAMP),
//   SUBSTRING(x FROM n [FOR m]), TRIM([BOTH|LEADING|TRAILING] [c] FROM x), UPPER, LOWER, ||;
// - LIKE is case-sensitive, as the old engine's was (each connection sets case_sensitive_like);
// - an aggregate without a name in the select list is named as the old engine named it:
//   SUM(D.TotImp1) -> "SUM OF TOTIMP1", COUNT(*) -> "COUNT OF *";
// - :Name parameters (any case), double-quoted values that are no column name read as text,
//   TRUE and FALSE as 1 and 0, keywords glued to literals ('01'And);
// - "column = ''" also takes null, since the old tables kept a blank as null;
// - an unqualified column that several tables of one SELECT have is taken from the first
//   table of its FROM list that has it.
// Literals of the statement are quoted again as they are written out, so none can break out
// of its quotes; values typed by users reach a statement as parameters or through quote.h.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/2_db/schema.h"

namespace db {

// Where a table named in the SQL lives once attached: schema and table name.
struct TableTarget {
    std::string schema;
    std::string table;
};

struct TranslateContext {
    // From a table as written ("V012905H.DB", "Usuarios") to its attached target.
    std::function<TableTarget(const std::string& written)> resolve;
    // Declared types of the columns of the tables involved, by folded column name; used to
    // give date literals and parameters the form of the column they meet.
    std::map<std::string, FieldType> columnTypes;
    // Columns of each table, by folded name as written and folded column name. With it, an
    // unqualified column that two tables of one SELECT both have is read from the first of
    // them, as the old engine resolved it, instead of failing as ambiguous.
    std::map<std::string, std::set<std::string>> tableColumns;
};

struct Translation {
    std::string sql;                  // SQLite text; parameters as ?1, ?2, ...
    std::vector<std::string> params;  // name of ?1, ?2, ...
    std::vector<std::optional<FieldType>> paramColumns;  // type of the column each meets
};

// Tables the statement names, as written, in order of first appearance, without repeats
// (ignoring case). Raises EDatabaseError (Syntax) on an unterminated literal.
std::vector<std::string> ReferencedTables(const std::string& sql);
// Parameter names (":Name") in order of first appearance, without repeats.
std::vector<std::string> ParameterNames(const std::string& sql);

// Raises EDatabaseError (Syntax) naming the construct it cannot read.
Translation TranslateSql(const std::string& sql, const TranslateContext& context);

// "M/D/YYYY[ HH:MM[:SS]]" as ISO-8601 text; nullopt when the text is no such date.
std::optional<std::string> OldDateToIso(const std::string& text, bool withTime);

}  // namespace db
