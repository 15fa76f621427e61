// Code-point walking of UTF-8 text. Overlong forms, surrogates and truncated sequences are
// stray bytes, one character each, so lengths and cuts stay defined for any input.
#include "platform/1_text/utf8.h"

namespace text {

std::size_t Utf8CharSize(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c >= 0xE0 && c <= 0xEF) n = 3;
    else if (c >= 0xF0 && c <= 0xF4) n = 4;
    else return 1;
    if (i + n > s.size()) return 1;
    for (std::size_t k = 1; k < n; ++k)
        if ((b(i + k) & 0xC0) != 0x80) return 1;
    // Overlong three- and four-byte forms, surrogates and code points past U+10FFFF.
    if (n == 3 && c == 0xE0 && b(i + 1) < 0xA0) return 1;
    if (n == 3 && c == 0xED && b(i + 1) >= 0xA0) return 1;
    if (n == 4 && c == 0xF0 && b(i + 1) < 0x90) return 1;
    if (n == 4 && c == 0xF4 && b(i + 1) >= 0x90) return 1;
    return n;
}

char32_t Utf8Decode(std::string_view s, std::size_t i) {
    const std::size_t n = Utf8CharSize(s, i);
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[k])); };
    switch (n) {
    case 2: return (b(i) & 0x1F) << 6 | (b(i + 1) & 0x3F);
    case 3: return (b(i) & 0x0F) << 12 | (b(i + 1) & 0x3F) << 6 | (b(i + 2) & 0x3F);
    case 4:
        return (b(i) & 0x07) << 18 | (b(i + 1) & 0x3F) << 12 | (b(i + 2) & 0x3F) << 6 |
               (b(i + 3) & 0x3F);
    default: return b(i);
    }
}

void Utf8Append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

namespace {

// Byte offset of the character numbered `chars` (0-based), or s.size().
std::size_t OffsetOf(std::string_view s, std::size_t chars) {
    std::size_t i = 0;
    while (chars > 0 && i < s.size()) {
        i += Utf8CharSize(s, i);
        --chars;
    }
    return i;
}

}  // namespace

std::size_t Utf8Length(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += Utf8CharSize(s, i)) ++n;
    return n;
}

std::string Utf8Left(std::string_view s, std::size_t n) {
    return std::string(s.substr(0, OffsetOf(s, n)));
}

std::string Utf8Mid(std::string_view s, std::size_t start, std::size_t n) {
    if (start < 1) start = 1;
    const std::size_t from = OffsetOf(s, start - 1);
    const std::string_view rest = s.substr(from);
    return std::string(n == std::string::npos ? rest : rest.substr(0, OffsetOf(rest, n)));
}

std::string PadRight(std::string_view s, std::size_t width, char fill) {
    std::string out(s);
    const std::size_t len = Utf8Length(s);
    if (len < width) out.append(width - len, fill);
    return out;
}

std::string PadLeft(std::string_view s, std::size_t width, char fill) {
    const std::size_t len = Utf8Length(s);
    std::string out = len < width ? std::string(width - len, fill) : std::string();
    out += s;
    return out;
}

}  // namespace text
