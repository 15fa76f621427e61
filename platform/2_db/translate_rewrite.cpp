// Rewriter of the old local-SQL dialect into SQLite SQL. Two passes over the tokens: the
// first finds the tables (and their aliases) in FROM, JOIN, INTO and UPDATE positions, the
// second writes the statement, replacing table names by attached targets, qualifiers by
// aliases, old literals and functions by SQLite ones, and naming unnamed aggregates.
// Not here: tokens (translate_lex.cpp), attaching files (query.cpp).
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

#include "platform/1_text/datetime.h"

#include "platform/2_db/error.h"
#include "platform/2_db/names.h"
#include "platform/2_db/translate.h"
#include "platform/2_db/translate_internal.h"

namespace db {
using namespace detail;

namespace {

const std::set<std::string> kKeywords = {
    "WHERE", "GROUP", "ORDER", "HAVING", "UNION", "INNER", "LEFT", "RIGHT", "FULL", "OUTER",
    "CROSS", "JOIN", "NATURAL", "ON", "USING", "LIMIT", "SET", "VALUES", "SELECT", "INTERSECT",
    "EXCEPT", "AS", "FROM", "INTO", "AND", "OR", "NOT", "BY", "DISTINCT", "ALL", "BETWEEN",
    "LIKE", "IN", "IS", "NULL", "ASC", "DESC", "CASE", "WHEN", "THEN", "ELSE", "END", "ESCAPE",
    "EXISTS", "PLAN"};
const std::set<std::string> kAggregates = {"SUM", "COUNT", "AVG", "MIN", "MAX"};

[[noreturn]] void Fail(const std::string& what, const std::string& sql) {
    throw EDatabaseError(what + " en la instrucción SQL:\n" + sql, ErrorKind::Syntax);
}

std::string SqlString(const std::string& v) {
    std::string out = "'";
    for (char c : v) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

// A table as the FROM list writes it, found by the first pass.
struct TableUse {
    size_t begin = 0, end = 0;  // tokens of the name
    std::string written;        // "V012905H.DB", "Usuarios"
    std::string alias;          // explicit alias, or ""
    size_t aliasEnd = 0;        // first token after the alias (== end without one)
    bool allowAlias = true;     // false for INSERT INTO / UPDATE targets
    int scope = 0;              // the SELECT whose FROM names it
};

// The SELECT each token belongs to: a SELECT opens a scope at its parenthesis depth, and a
// parenthesis without one belongs to the enclosing scope.
std::vector<int> Scopes(const std::vector<Token>& t) {
    std::vector<int> out(t.size(), 0);
    std::vector<int> stack{0};
    int next = 1;
    for (size_t i = 0; i < t.size(); ++i) {
        if (IsOp(t[i], "(")) {
            out[i] = stack.back();
            stack.push_back(stack.back());
            continue;
        }
        if (IsOp(t[i], ")")) {
            if (stack.size() > 1) stack.pop_back();
            out[i] = stack.back();
            continue;
        }
        if (IsWord(t[i], "SELECT")) stack.back() = next++;
        out[i] = stack.back();
    }
    return out;
}

bool IsKeyword(const Token& t) { return t.kind == Tok::Word && kKeywords.count(Upper(t.text)); }

size_t MatchParen(const std::vector<Token>& t, size_t open, const std::string& sql) {
    int depth = 0;
    for (size_t i = open; i < t.size(); ++i) {
        if (IsOp(t[i], "(")) ++depth;
        if (IsOp(t[i], ")") && --depth == 0) return i;
    }
    Fail("Paréntesis sin cerrar", sql);
}

// Reads one table name at i; returns false when the token cannot name a table.
bool ReadTable(const std::vector<Token>& t, size_t i, TableUse& use) {
    if (i >= t.size()) return false;
    if (t[i].kind == Tok::String || t[i].kind == Tok::DQuoted) {
        use = TableUse{};
        use.begin = i;
        use.end = i + 1;
        use.written = t[i].text;
        return true;
    }
    if (t[i].kind != Tok::Word || IsKeyword(t[i])) return false;
    use = TableUse{};
    use.begin = i;
    use.end = i + 1;
    use.written = t[i].text;
    // Bare file names with their extension: V012905H.DB
    if (i + 2 < t.size() && IsOp(t[i + 1], ".") && t[i + 2].kind == Tok::Word && Upper(t[i + 2].text) == "DB") {
        use.written = t[i].text + "." + t[i + 2].text;
        use.end = i + 3;
    }
    return true;
}

std::vector<TableUse> FindTables(const std::vector<Token>& t) {
    std::vector<TableUse> uses;
    const std::vector<int> scopes = Scopes(t);
    for (size_t i = 0; i < t.size(); ++i) {
        // FROM inside these functions introduces an argument, not a table.
        if ((IsWord(t[i], "EXTRACT") || IsWord(t[i], "SUBSTRING") || IsWord(t[i], "TRIM")) && i + 1 < t.size() &&
            IsOp(t[i + 1], "(")) {
            int depth = 0;
            size_t k = i + 1;
            for (; k < t.size(); ++k) {
                if (IsOp(t[k], "(")) ++depth;
                if (IsOp(t[k], ")") && --depth == 0) break;
            }
            i = k;
            continue;
        }
        const bool from = IsWord(t[i], "FROM") || IsWord(t[i], "JOIN");
        const bool target = IsWord(t[i], "INTO") || (IsWord(t[i], "UPDATE") && i == 0);
        if (!from && !target) continue;
        size_t j = i + 1;
        for (;;) {
            TableUse use;
            if (j < t.size() && IsOp(t[j], "(")) break;  // a derived table: its own FROM is found later
            if (!ReadTable(t, j, use)) break;
            use.allowAlias = from;
            use.aliasEnd = use.end;
            use.scope = scopes[i];
            size_t k = use.end;
            if (from) {
                if (k < t.size() && IsWord(t[k], "AS")) ++k;
                if (k < t.size() && t[k].kind == Tok::Word && !IsKeyword(t[k])) {
                    use.alias = t[k].text;
                    use.aliasEnd = k + 1;
                }
            }
            uses.push_back(use);
            j = use.aliasEnd;
            if (from && j < t.size() && IsOp(t[j], ",")) {
                ++j;
                continue;
            }
            break;
        }
    }
    return uses;
}

class Rewriter {
public:
    Rewriter(const std::string& sql, const std::vector<Token>& tokens, const TranslateContext& ctx, Translation& out)
        : sql_(sql), t_(tokens), ctx_(ctx), out_(out) {
        uses_ = FindTables(t_);
        scopes_ = Scopes(t_);
        for (const auto& u : uses_) {
            const std::string stem = FoldName(TableStem(u.written));
            if (!u.alias.empty()) {
                qualifier_[stem] = u.alias;
                names_.insert(FoldName(u.alias));
            }
            names_.insert(stem);
        }
        for (size_t i = 0; i + 1 < t_.size(); ++i)
            if (IsWord(t_[i], "AS") && (t_[i + 1].kind == Tok::Word || t_[i + 1].kind == Tok::DQuoted))
                names_.insert(FoldName(t_[i + 1].text));
    }

    std::string Run(size_t begin, size_t end) {
        std::string text;
        Frame frame;
        std::vector<Frame> stack;
        std::string lastColumn, betweenColumn;
        bool betweenPending = false;
        std::string prev;  // previous significant token, upper-cased
        // Where the last column reference stands in `text`, so "column = ''" can become a
        // test that also takes null: the old tables kept a blank as null.
        size_t colStart = 0, colEnd = 0;
        bool columnThenOp = false;
        auto markColumn = [&](size_t before) {
            colStart = before < text.size() && text[before] == ' ' ? before + 1 : before;
            colEnd = text.size();
        };
        for (size_t i = begin; i < end;) {
            const Token& tok = t_[i];
            const std::string up = tok.kind == Tok::Word ? Upper(tok.text) : tok.text;

            // Table names found by the first pass.
            if (auto u = UseAt(i)) {
                TableTarget target = ctx_.resolve(u->written);
                std::string piece = QuoteIdent(target.schema) + "." + QuoteIdent(target.table);
                if (u->allowAlias) piece += " AS " + QuoteIdent(u->alias.empty() ? TableStem(u->written) : u->alias);
                Emit(text, piece);
                i = u->aliasEnd;
                prev = "TABLE";
                continue;
            }

            // Select-list bookkeeping for unnamed aggregates.
            if (tok.kind == Tok::Word && up == "SELECT") {
                Emit(text, "SELECT");
                ++i;
                while (i < end && (IsWord(t_[i], "DISTINCT") || IsWord(t_[i], "ALL"))) Emit(text, Upper(t_[i++].text));
                frame.inSelect = true;
                frame.itemStart = i;
                prev = "SELECT";
                continue;
            }
            if (frame.inSelect && (IsOp(tok, ",") || IsWord(tok, "FROM") || IsWord(tok, "INTO"))) {
                NameAggregate(text, frame.itemStart, i);
                if (IsOp(tok, ",")) frame.itemStart = i + 1;
                else frame.inSelect = false;
            }

            if (IsOp(tok, "(")) {
                stack.push_back(frame);
                frame = Frame{};
                Emit(text, "(");
                ++i;
                prev = "(";
                continue;
            }
            if (IsOp(tok, ")")) {
                if (frame.inSelect) NameAggregate(text, frame.itemStart, i);
                if (!stack.empty()) {
                    frame = stack.back();
                    stack.pop_back();
                }
                Emit(text, ")");
                ++i;
                prev = ")";
                continue;
            }

            if (tok.kind == Tok::Word && i + 1 < end && IsOp(t_[i + 1], "(")) {
                if (up == "EXTRACT" || up == "CAST" || up == "SUBSTRING" || up == "TRIM") {
                    const size_t close = MatchParen(t_, i + 1, sql_);
                    if (close >= end) Fail("Paréntesis sin cerrar", sql_);
                    Emit(text, Special(up, i + 2, close));
                    i = close + 1;
                    prev = ")";
                    lastColumn.clear();
                    continue;
                }
            }

            switch (tok.kind) {
            case Tok::Word: {
                if (i + 2 < end && IsOp(t_[i + 1], ".") && !IsKeyword(tok)) {
                    // qualifier.column: the table's own name behind an alias means the alias.
                    auto q = qualifier_.find(FoldName(tok.text));
                    const size_t before = text.size();
                    Emit(text, q != qualifier_.end() ? QuoteIdent(q->second) : tok.text);
                    Emit(text, ".");
                    i += 2;
                    if (t_[i].kind == Tok::Word || t_[i].kind == Tok::DQuoted) {
                        lastColumn = FoldName(t_[i].text);
                        Emit(text, t_[i].kind == Tok::DQuoted ? QuoteIdent(t_[i].text) : t_[i].text);
                        ++i;
                    }
                    markColumn(before);
                    prev = "COLUMN";
                    continue;
                }
                const size_t before = text.size();
                if ((up == "TRUE" || up == "FALSE") && !(i + 1 < end && IsOp(t_[i + 1], "("))) {
                    Emit(text, up == "TRUE" ? "1" : "0");
                } else if (const std::string q = Disambiguate(i, end); !q.empty()) {
                    Emit(text, q + "." + tok.text);
                } else {
                    Emit(text, tok.text);
                }
                if (up == "BETWEEN") {
                    betweenColumn = lastColumn;
                    betweenPending = true;
                } else if (up == "AND" && betweenPending) {
                    betweenPending = false;
                    prev = "BETWEEN";  // the second bound meets the same column
                    lastColumn = betweenColumn;
                    ++i;
                    continue;
                } else if (!IsKeyword(tok) && !(i + 1 < end && IsOp(t_[i + 1], "("))) {
                    lastColumn = FoldName(tok.text);
                    markColumn(before);
                }
                prev = IsKeyword(tok) ? up : "COLUMN";
                ++i;
                continue;
            }
            case Tok::String:
            case Tok::DQuoted: {
                const bool dq = tok.kind == Tok::DQuoted;
                const bool ident = dq && (IsNextOp(i, end, ".") || prev == "." || names_.count(FoldName(tok.text)) ||
                                          ctx_.columnTypes.count(FoldName(tok.text)));
                if (ident) {
                    const size_t before = text.size();
                    Emit(text, QuoteIdent(tok.text));
                    lastColumn = FoldName(tok.text);
                    markColumn(before);
                    prev = "COLUMN";
                } else if (tok.text.empty() && columnThenOp && (prev == "=" || prev == "<>")) {
                    const std::string column = text.substr(colStart, colEnd - colStart);
                    text = text.substr(0, colStart) + "COALESCE(" + column + ", '') " + prev + " ''";
                    prev = "LITERAL";
                } else {
                    Emit(text, SqlString(Literal(tok.text, ComparedColumn(prev, lastColumn))));
                    prev = "LITERAL";
                }
                ++i;
                continue;
            }
            case Tok::Param: {
                const std::string folded = FoldName(tok.text);
                size_t index = 0;
                while (index < out_.params.size() && FoldName(out_.params[index]) != folded) ++index;
                if (index == out_.params.size()) {
                    out_.params.push_back(tok.text);
                    out_.paramColumns.push_back(std::nullopt);
                }
                const std::string column = ComparedColumn(prev, lastColumn);
                if (!column.empty() && !out_.paramColumns[index]) {
                    auto it = ctx_.columnTypes.find(column);
                    if (it != ctx_.columnTypes.end()) out_.paramColumns[index] = it->second;
                }
                Emit(text, "?" + std::to_string(index + 1));
                prev = "LITERAL";
                ++i;
                continue;
            }
            case Tok::Number:
                Emit(text, tok.text);
                prev = "LITERAL";
                ++i;
                continue;
            case Tok::Op:
                columnThenOp = prev == "COLUMN" && (tok.text == "=" || tok.text == "==" || tok.text == "<>" || tok.text == "!=");
                Emit(text, tok.text == "==" ? "=" : tok.text);
                if (tok.text == ",") lastColumn.clear();
                prev = tok.text == "==" ? "=" : tok.text == "!=" ? "<>" : tok.text;
                ++i;
                continue;
            }
        }
        if (frame.inSelect) NameAggregate(text, frame.itemStart, end);
        return text;
    }

private:
    struct Frame {
        bool inSelect = false;
        size_t itemStart = 0;
    };

    const TableUse* UseAt(size_t i) const {
        for (const auto& u : uses_)
            if (u.begin == i) return &u;
        return nullptr;
    }

    // The qualifier for an unqualified column that two or more tables of its SELECT have.
    std::string Disambiguate(size_t i, size_t end) const {
        const Token& tok = t_[i];
        if (ctx_.tableColumns.empty() || IsKeyword(tok) || (i + 1 < end && IsOp(t_[i + 1], "(")) ||
            (i > 0 && IsOp(t_[i - 1], ".")) || names_.count(FoldName(tok.text)))
            return "";
        const std::string column = FoldName(tok.text);
        const TableUse* first = nullptr;
        int holders = 0;
        for (const auto& u : uses_) {
            if (u.scope != scopes_[i] || !u.allowAlias) continue;
            auto it = ctx_.tableColumns.find(FoldName(u.written));
            if (it == ctx_.tableColumns.end() || !it->second.count(column)) continue;
            if (!first) first = &u;
            ++holders;
        }
        if (holders < 2) return "";
        return QuoteIdent(first->alias.empty() ? TableStem(first->written) : first->alias);
    }

    bool IsNextOp(size_t i, size_t end, const char* op) const { return i + 1 < end && IsOp(t_[i + 1], op); }

    // The column a literal or parameter is compared with, when the comparison reads
    // "column op value" or "column BETWEEN value AND value".
    static std::string ComparedColumn(const std::string& prev, const std::string& lastColumn) {
        static const std::set<std::string> ops = {"=", "<>", "!=", "<", ">", "<=", ">=", "BETWEEN", "LIKE"};
        return ops.count(prev) ? lastColumn : std::string();
    }

    std::string Literal(const std::string& value, const std::string& column) const {
        auto iso = OldDateToIso(value, true);
        if (!iso) return value;
        auto it = ctx_.columnTypes.find(column);
        if (it != ctx_.columnTypes.end()) {
            if (it->second == FieldType::DateTime && iso->size() == 10) return *iso + " 00:00:00";
            if (it->second == FieldType::Date && iso->size() > 10 && iso->substr(10) == " 00:00:00") return iso->substr(0, 10);
        }
        return *iso;
    }

    static void Emit(std::string& text, const std::string& piece) {
        if (piece.empty()) return;
        const char first = piece.front();
        const bool glueLeft = first == ')' || first == ',' || first == '.';
        const bool glued = !text.empty() && (text.back() == '(' || text.back() == '.');
        if (!text.empty() && !glueLeft && !glued) text += ' ';
        text += piece;
    }

    // Names a select item that is a bare aggregate, as the old engine did.
    void NameAggregate(std::string& text, size_t s, size_t e) const {
        if (e < s + 3 || t_[s].kind != Tok::Word || !kAggregates.count(Upper(t_[s].text)) || !IsOp(t_[s + 1], "("))
            return;
        size_t close = s + 1;
        int depth = 0;
        for (size_t k = s + 1; k < e; ++k) {
            if (IsOp(t_[k], "(")) ++depth;
            if (IsOp(t_[k], ")") && --depth == 0) {
                close = k;
                break;
            }
        }
        if (close != e - 1) return;
        std::string inner;
        for (size_t k = s + 2; k < close; ++k) {
            // Qualifiers drop out of the name: SUM(D.TOTIMP1) is "SUM OF TOTIMP1".
            if (t_[k].kind == Tok::Word && k + 1 < close && IsOp(t_[k + 1], ".")) {
                ++k;
                continue;
            }
            const std::string piece = t_[k].kind == Tok::String ? SqlString(t_[k].text) : t_[k].text;
            // Words stay apart ("COUNT OF DISTINCT PRODUCTO"); operators close up ("PRECIO*2").
            if (!inner.empty() && std::isalnum(static_cast<unsigned char>(inner.back())) &&
                std::isalnum(static_cast<unsigned char>(piece.front())))
                inner += ' ';
            inner += piece;
        }
        text += " AS " + QuoteIdent(Upper(t_[s].text) + " OF " + Upper(inner));
    }

    std::string Sub(size_t b, size_t e) { return Run(b, e); }

    size_t FindWord(size_t b, size_t e, const char* word) const {
        int depth = 0;
        for (size_t k = b; k < e; ++k) {
            if (IsOp(t_[k], "(")) ++depth;
            if (IsOp(t_[k], ")")) --depth;
            if (depth == 0 && IsWord(t_[k], word)) return k;
        }
        return e;
    }

    // EXTRACT, CAST, SUBSTRING and TRIM: arguments in [b, e), e being the closing parenthesis.
    std::string Special(const std::string& fn, size_t b, size_t e) {
        if (fn == "EXTRACT") {
            const size_t from = FindWord(b, e, "FROM");
            if (from != b + 1 || t_[b].kind != Tok::Word) Fail("EXTRACT mal formado", sql_);
            static const std::pair<const char*, const char*> parts[] = {
                {"YEAR", "%Y"}, {"MONTH", "%m"}, {"DAY", "%d"}, {"HOUR", "%H"}, {"MINUTE", "%M"}, {"SECOND", "%S"}};
            const std::string part = Upper(t_[b].text);
            for (auto& [name, fmt] : parts)
                if (part == name) return "CAST(strftime('" + std::string(fmt) + "', " + Sub(from + 1, e) + ") AS INTEGER)";
            Fail("EXTRACT de " + t_[b].text + " no reconocido", sql_);
        }
        if (fn == "CAST") {
            const size_t as = FindWord(b, e, "AS");
            if (as == e || as + 1 >= e || t_[as + 1].kind != Tok::Word) Fail("CAST mal formado", sql_);
            const std::string expr = Sub(b, as);
            const std::string type = Upper(t_[as + 1].text);
            std::string size;
            if (as + 3 < e && IsOp(t_[as + 2], "(") && t_[as + 3].kind == Tok::Number) size = t_[as + 3].text;
            if (type == "INTEGER" || type == "INT" || type == "SMALLINT" || type == "BOOLEAN")
                return "CAST(" + expr + " AS INTEGER)";
            if (type == "FLOAT" || type == "NUMERIC" || type == "DECIMAL" || type == "DOUBLE" || type == "MONEY" || type == "REAL")
                return "CAST(" + expr + " AS REAL)";
            if (type == "CHAR" || type == "VARCHAR" || type == "CHARACTER")
                return size.empty() ? "CAST(" + expr + " AS TEXT)" : "SUBSTR(CAST(" + expr + " AS TEXT), 1, " + size + ")";
            if (type == "DATE") return "DATE(" + expr + ")";
            if (type == "TIME") return "TIME(" + expr + ")";
            if (type == "TIMESTAMP" || type == "DATETIME") return "DATETIME(" + expr + ")";
            Fail("CAST a un tipo no reconocido: " + t_[as + 1].text, sql_);
        }
        if (fn == "SUBSTRING") {
            const size_t from = FindWord(b, e, "FROM");
            if (from == e) return "SUBSTR(" + Sub(b, e) + ")";
            const size_t forw = FindWord(from + 1, e, "FOR");
            std::string s = "SUBSTR(" + Sub(b, from) + ", " + Sub(from + 1, forw);
            if (forw != e) s += ", " + Sub(forw + 1, e);
            return s + ")";
        }
        // TRIM([BOTH|LEADING|TRAILING] [chars] FROM x) or TRIM(x)
        const size_t from = FindWord(b, e, "FROM");
        if (from == e) return "TRIM(" + Sub(b, e) + ")";
        std::string f = "TRIM";
        size_t k = b;
        if (k < from && (IsWord(t_[k], "BOTH") || IsWord(t_[k], "LEADING") || IsWord(t_[k], "TRAILING"))) {
            if (IsWord(t_[k], "LEADING")) f = "LTRIM";
            if (IsWord(t_[k], "TRAILING")) f = "RTRIM";
            ++k;
        }
        std::string s = f + "(" + Sub(from + 1, e);
        if (k < from) s += ", " + Sub(k, from);
        return s + ")";
    }

    const std::string& sql_;
    const std::vector<Token>& t_;
    const TranslateContext& ctx_;
    Translation& out_;
    std::vector<TableUse> uses_;
    std::vector<int> scopes_;
    std::map<std::string, std::string> qualifier_;  // folded stem -> alias
    std::set<std::string> names_;                   // aliases and names given with AS
};

}  // namespace

std::optional<std::string> OldDateToIso(const std::string& src, bool withTime) {
    size_t i = 0;
    auto number = [&](int minDigits, int maxDigits, int& out) {
        size_t start = i;
        while (i < src.size() && std::isdigit(static_cast<unsigned char>(src[i])) && i - start < static_cast<size_t>(maxDigits)) ++i;
        if (i - start < static_cast<size_t>(minDigits)) return false;
        out = std::stoi(src.substr(start, i - start));
        return true;
    };
    auto expect = [&](char c) {
        if (i < src.size() && src[i] == c) {
            ++i;
            return true;
        }
        return false;
    };
    int m, d, y, hh = 0, mm = 0, ss = 0;
    if (!number(1, 2, m) || !expect('/') || !number(1, 2, d) || !expect('/') || !number(4, 4, y)) return std::nullopt;
    bool time = false;
    if (withTime && i < src.size() && src[i] == ' ') {
        ++i;
        if (!number(1, 2, hh) || !expect(':') || !number(2, 2, mm)) return std::nullopt;
        if (expect(':') && !number(2, 2, ss)) return std::nullopt;
        time = true;
    }
    if (i != src.size() || !::text::IsValidDate(y, m, d) || hh > 23 || mm > 59 || ss > 59) return std::nullopt;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    std::string out = buf;
    if (time) {
        std::snprintf(buf, sizeof buf, " %02d:%02d:%02d", hh, mm, ss);
        out += buf;
    }
    return out;
}

std::vector<std::string> ReferencedTables(const std::string& sql) {
    const auto tokens = Lex(sql);
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const auto& u : FindTables(tokens))
        if (seen.insert(FoldName(u.written)).second) out.push_back(u.written);
    return out;
}

std::vector<std::string> ParameterNames(const std::string& sql) {
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const auto& t : Lex(sql))
        if (t.kind == Tok::Param && seen.insert(FoldName(t.text)).second) out.push_back(t.text);
    return out;
}

Translation TranslateSql(const std::string& sql, const TranslateContext& context) {
    const auto tokens = Lex(sql);
    Translation out;
    TranslateContext ctx = context;
    if (!ctx.resolve) ctx.resolve = [](const std::string& w) { return TableTarget{"main", TableStem(w)}; };
    Rewriter r(sql, tokens, ctx, out);
    out.sql = r.Run(0, tokens.size());
    return out;
}

}  // namespace db
