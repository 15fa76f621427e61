// Parser of filter expressions into SQL conditions. Recursive descent over a small lexer:
//   expr := and ("or" and)* ; and := not ("and" not)* ; not := "not" not | "(" expr ")" | cmp
//   cmp  := operand op operand | operand "is" ["not"] "null"
// An operand is a field of the dataset, a quoted value, a number or an unquoted value.
#include "platform/2_db/filter.h"
#include "platform/1_text/gcc12_restrict.h"

#include <cctype>
#include <cstdlib>

#include "platform/2_db/error.h"
#include "platform/2_db/names.h"
#include "platform/2_db/translate.h"

namespace db {
namespace {

struct Tok {
    enum Kind { Word, Quoted, Op, End } kind;
    std::string text;
};

class Parser {
public:
    Parser(const std::string& filter, const std::vector<FieldDef>& fields, bool ci)
        : src_(filter), fields_(fields), ci_(ci) {
        Lex();
    }

    SqlCondition Parse() {
        SqlCondition out;
        if (toks_.size() == 1) return out;  // blank
        out.sql = Or();
        if (Peek().kind != Tok::End) Fail();
        out.binds = std::move(binds_);
        return out;
    }

private:
    struct Operand {
        const FieldDef* field = nullptr;
        std::string text;
        bool quoted = false;
    };

    [[noreturn]] void Fail(const std::string& why = "") const {
        throw EDatabaseError("Error de sintaxis en el filtro: " + src_ + (why.empty() ? "" : " (" + why + ")"),
                             ErrorKind::Syntax);
    }

    void Lex() {
        size_t i = 0;
        while (i < src_.size()) {
            const unsigned char c = static_cast<unsigned char>(src_[i]);
            if (std::isspace(c)) {
                ++i;
                continue;
            }
            if (c == '\'' || c == '"') {
                std::string v;
                ++i;
                for (;;) {
                    if (i >= src_.size()) Fail("falta una comilla de cierre");
                    if (static_cast<unsigned char>(src_[i]) == c) {
                        if (i + 1 < src_.size() && static_cast<unsigned char>(src_[i + 1]) == c) {
                            v += src_[i];
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    v += src_[i++];
                }
                toks_.push_back({Tok::Quoted, v});
                continue;
            }
            if (c == '[') {
                const size_t end = src_.find(']', i);
                if (end == std::string::npos) Fail("falta ']'");
                toks_.push_back({Tok::Word, src_.substr(i + 1, end - i - 1)});
                i = end + 1;
                continue;
            }
            if (c == '<' || c == '>' || c == '=' || c == '!') {
                std::string op(1, static_cast<char>(c));
                if (i + 1 < src_.size() && (src_[i + 1] == '=' || (c == '<' && src_[i + 1] == '>'))) op += src_[i + 1];
                if (op == "!") Fail();
                toks_.push_back({Tok::Op, op == "!=" ? "<>" : op});
                i += op.size();
                continue;
            }
            if (c == '(' || c == ')') {
                toks_.push_back({Tok::Op, std::string(1, static_cast<char>(c))});
                ++i;
                continue;
            }
            // Unquoted words and values: letters, digits and the punctuation codes and
            // dates carry ("01", "015", "A-1", "5/29/2002", "3.5").
            size_t start = i;
            while (i < src_.size()) {
                const unsigned char d = static_cast<unsigned char>(src_[i]);
                if (std::isspace(d) || d == '\'' || d == '"' || d == '(' || d == ')' || d == '<' || d == '>' ||
                    d == '=' || d == '!' || d == '[')
                    break;
                ++i;
            }
            toks_.push_back({Tok::Word, src_.substr(start, i - start)});
        }
        toks_.push_back({Tok::End, ""});
    }

    const Tok& Peek() const { return toks_[pos_]; }
    bool IsKw(const char* kw) const { return Peek().kind == Tok::Word && FoldName(Peek().text) == kw; }

    std::string Or() {
        std::string s = And();
        while (IsKw("or")) {
            ++pos_;
            s = s + " OR " + And();
        }
        return s;
    }

    std::string And() {
        std::string s = Not();
        while (IsKw("and")) {
            ++pos_;
            s = s + " AND " + Not();
        }
        return s;
    }

    std::string Not() {
        if (IsKw("not")) {
            ++pos_;
            return "NOT (" + Not() + ")";
        }
        if (Peek().kind == Tok::Op && Peek().text == "(") {
            ++pos_;
            std::string s = Or();
            if (!(Peek().kind == Tok::Op && Peek().text == ")")) Fail("falta ')'");
            ++pos_;
            return "(" + s + ")";
        }
        return Comparison();
    }

    const FieldDef* FindField(const std::string& name) const {
        for (const auto& f : fields_)
            if (SameName(f.name, name)) return &f;
        return nullptr;
    }

    Operand ReadOperand() {
        const Tok& t = Peek();
        Operand o;
        if (t.kind == Tok::Quoted) {
            o.text = t.text;
            o.quoted = true;
        } else if (t.kind == Tok::Word && !IsKw("and") && !IsKw("or") && !IsKw("not")) {
            o.text = t.text;
            o.field = FindField(t.text);
        } else {
            Fail();
        }
        ++pos_;
        return o;
    }

    static bool IsText(FieldType t) { return t == FieldType::String || t == FieldType::Memo; }
    static bool IsDate(FieldType t) { return t == FieldType::Date || t == FieldType::Time || t == FieldType::DateTime; }

    std::string Column(const FieldDef& f) const { return QuoteIdent(f.name) + (ci_ && IsText(f.type) ? " COLLATE NOCASE" : ""); }

    // The operand's value as the field compares it.
    Value ValueFor(const FieldDef* f, const std::string& text) const {
        if (!f || IsText(f->type)) return Value(text);
        if (IsDate(f->type)) {
            std::string iso = OldDateToIso(text, true).value_or(text);
            if (f->type == FieldType::DateTime && iso.size() == 10) iso += " 00:00:00";
            return Value(iso);
        }
        if (f->type == FieldType::Boolean) {
            const std::string t = FoldName(text);
            if (t == "true" || t == "t" || t == "1") return Value(true);
            if (t == "false" || t == "f" || t == "0") return Value(false);
            Fail("valor lógico no válido: " + text);
        }
        char* end = nullptr;
        const double d = std::strtod(text.c_str(), &end);
        if (text.empty() || *end) Fail("valor numérico no válido: " + text);
        if (f->type == FieldType::Float || f->type == FieldType::Currency) return Value(d);
        if (d == static_cast<double>(static_cast<long long>(d))) return Value(static_cast<long long>(d));
        return Value(d);
    }

    std::string Comparison() {
        Operand left = ReadOperand();
        if (!left.quoted && !left.field && !IsValueWord(left.text)) Fail("campo desconocido: " + left.text);
        if (IsKw("is")) {
            ++pos_;
            bool negate = false;
            if (IsKw("not")) {
                ++pos_;
                negate = true;
            }
            if (!IsKw("null") || !left.field) Fail();
            ++pos_;
            return QuoteIdent(left.field->name) + (negate ? " IS NOT NULL" : " IS NULL");
        }
        if (Peek().kind != Tok::Op || Peek().text == "(" || Peek().text == ")") Fail("falta un operador");
        const std::string op = Peek().text;
        ++pos_;
        Operand right = ReadOperand();
        if (!left.field && right.field) {
            std::swap(left, right);
            return Build(left, Mirror(op), right);
        }
        if (!left.field) Fail("la comparación no nombra un campo");
        return Build(left, op, right);
    }

    static bool IsValueWord(const std::string& w) {
        return !w.empty() && (std::isdigit(static_cast<unsigned char>(w[0])) || w[0] == '-' || w[0] == '.');
    }

    static std::string Mirror(const std::string& op) {
        if (op == "<") return ">";
        if (op == ">") return "<";
        if (op == "<=") return ">=";
        if (op == ">=") return "<=";
        return op;
    }

    GCC12_FALSE_RESTRICT_BEGIN
    std::string Build(const Operand& left, const std::string& op, const Operand& right) {
        const FieldDef& f = *left.field;
        if (right.field && !right.quoted) return Column(f) + " " + op + " " + QuoteIdent(right.field->name);
        std::string text = right.text;
        const bool unquotedNull = !right.quoted && FoldName(text) == "null";
        if (unquotedNull || (text.empty() && IsText(f.type))) {
            // Blank and null are one thing in the old tables.
            if (op == "=") return "(" + QuoteIdent(f.name) + " IS NULL" + (unquotedNull ? "" : " OR " + QuoteIdent(f.name) + " = ''") + ")";
            if (op == "<>") return "(" + QuoteIdent(f.name) + " IS NOT NULL" + (unquotedNull ? "" : " AND " + QuoteIdent(f.name) + " <> ''") + ")";
        }
        if (right.quoted && IsText(f.type) && (op == "=" || op == "<>") && !text.empty() && text.back() == '*') {
            if (text.size() >= 2 && text[text.size() - 2] == '*') {
                text.pop_back();  // "**" at the end: a literal star
            } else {
                text.pop_back();
                std::string pattern;
                for (char c : text) {
                    if (c == '%' || c == '_' || c == '\\') pattern += '\\';
                    pattern += c;
                }
                binds_.push_back(Value(pattern + "%"));
                const std::string col = ci_ ? "LOWER(" + QuoteIdent(f.name) + ")" : QuoteIdent(f.name);
                const std::string pat = ci_ ? "LOWER(?)" : "?";
                return std::string(op == "<>" ? "NOT " : "") + col + " LIKE " + pat + " ESCAPE '\\'";
            }
        }
        binds_.push_back(ValueFor(&f, text));
        return Column(f) + " " + op + " ?";
    }
    GCC12_FALSE_RESTRICT_END

    std::string src_;
    const std::vector<FieldDef>& fields_;
    bool ci_;
    std::vector<Tok> toks_;
    size_t pos_ = 0;
    std::vector<Value> binds_;
};

}  // namespace

SqlCondition FilterToSql(const std::string& filter, const std::vector<FieldDef>& fields, bool caseInsensitive) {
    return Parser(filter, fields, caseInsensitive).Parse();
}

}  // namespace db
