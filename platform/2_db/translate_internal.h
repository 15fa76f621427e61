// Tokens of the old local-SQL dialect, shared by the lexer (translate_lex.cpp) and the
// rewriter (translate_rewrite.cpp).
#pragma once

#include <string>
#include <vector>

namespace db::detail {

enum class Tok {
    Word,     // identifier or keyword, as written
    Number,   // 12, 3.5, 1e3
    String,   // '...' (text holds the value, quotes undone)
    DQuoted,  // "..." (text holds the content)
    Param,    // :Name (text holds Name)
    Op,       // ( ) , . * + - / || = <> != < > <= >= ; and other single characters
};

struct Token {
    Tok kind;
    std::string text;
    size_t offset;  // in the source, for messages
};

// Raises EDatabaseError (Syntax) on an unterminated literal or comment.
std::vector<Token> Lex(const std::string& sql);

std::string Upper(const std::string& s);
bool IsWord(const Token& t, const char* upperWord);
bool IsOp(const Token& t, const char* op);

}  // namespace db::detail
