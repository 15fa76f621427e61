// Lexer of the old local-SQL dialect: words, numbers, both kinds of quoted text, :params,
// operators; comments dropped. Tokens may touch ("'01'And"). Not here: any rewriting.
#include <cctype>

#include "platform/2_db/error.h"
#include "platform/2_db/translate_internal.h"

namespace db::detail {
namespace {

bool WordStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool WordChar(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c == '#' || c >= 0x80; }

[[noreturn]] void Fail(const std::string& what, const std::string& sql) {
    throw EDatabaseError(what + " en la instrucción SQL:\n" + sql, ErrorKind::Syntax);
}

}  // namespace

std::string Upper(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool IsWord(const Token& t, const char* upperWord) { return t.kind == Tok::Word && Upper(t.text) == upperWord; }
bool IsOp(const Token& t, const char* op) { return t.kind == Tok::Op && t.text == op; }

std::vector<Token> Lex(const std::string& sql) {
    std::vector<Token> out;
    size_t i = 0;
    const size_t n = sql.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (std::isspace(c)) {
            ++i;
            continue;
        }
        if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            while (i < n && sql[i] != '\n') ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const size_t end = sql.find("*/", i + 2);
            if (end == std::string::npos) Fail("Comentario sin cerrar", sql);
            i = end + 2;
            continue;
        }
        const size_t start = i;
        if (c == '\'' || c == '"') {
            std::string value;
            ++i;
            for (;;) {
                if (i >= n) Fail(c == '\'' ? "Texto sin comilla de cierre" : "Nombre sin comilla de cierre", sql);
                if (static_cast<unsigned char>(sql[i]) == c) {
                    if (i + 1 < n && static_cast<unsigned char>(sql[i + 1]) == c) {
                        value += sql[i];
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += sql[i++];
            }
            out.push_back({c == '\'' ? Tok::String : Tok::DQuoted, value, start});
            continue;
        }
        if (std::isdigit(c) || (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])) &&
                                (out.empty() || out.back().kind == Tok::Op))) {
            while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
            if (i < n && sql[i] == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1]))) {
                ++i;
                while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
            }
            if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
                size_t j = i + 1;
                if (j < n && (sql[j] == '+' || sql[j] == '-')) ++j;
                if (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) {
                    i = j;
                    while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
                }
            }
            // Digits running into letters are a name ("01ABC"), not a number.
            if (i < n && WordStart(static_cast<unsigned char>(sql[i]))) {
                while (i < n && WordChar(static_cast<unsigned char>(sql[i]))) ++i;
                out.push_back({Tok::Word, sql.substr(start, i - start), start});
            } else {
                out.push_back({Tok::Number, sql.substr(start, i - start), start});
            }
            continue;
        }
        if (WordStart(c)) {
            while (i < n && WordChar(static_cast<unsigned char>(sql[i]))) ++i;
            out.push_back({Tok::Word, sql.substr(start, i - start), start});
            continue;
        }
        if (c == ':' && i + 1 < n && WordChar(static_cast<unsigned char>(sql[i + 1]))) {
            ++i;
            while (i < n && WordChar(static_cast<unsigned char>(sql[i]))) ++i;
            out.push_back({Tok::Param, sql.substr(start + 1, i - start - 1), start});
            continue;
        }
        if (c == '?') Fail("Parámetro sin nombre '?'", sql);
        static const char* kTwo[] = {"||", "<>", "!=", "<=", ">=", "=="};
        bool two = false;
        for (const char* op : kTwo)
            if (sql.compare(i, 2, op) == 0) {
                out.push_back({Tok::Op, op, start});
                i += 2;
                two = true;
                break;
            }
        if (two) continue;
        out.push_back({Tok::Op, std::string(1, static_cast<char>(c)), start});
        ++i;
    }
    return out;
}

}  // namespace db::detail
