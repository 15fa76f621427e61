// Code-page tables: CP1252's upper half is written out here (it is Latin-1 apart from 0x80-0x9F);
// the OEM pages are read once from the C library's iconv, byte by byte.
#include "platform/1_text/codepage.h"

#include "platform/1_text/utf8.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <unordered_map>

namespace text {
namespace {

using Upper = std::array<char32_t, 128>;  // characters of the bytes 0x80..0xFF

constexpr char32_t kCp1252Controls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

Upper Cp1252() {
    Upper t{};
    for (int i = 0; i < 32; ++i) t[i] = kCp1252Controls[i];
    for (int i = 32; i < 128; ++i) t[i] = 0x80 + i;
    return t;
}

Upper FromIconv(const char* name) {
    Upper t{};
    iconv_t cd = iconv_open("UTF-32LE", name);
    for (int i = 0; i < 128; ++i) {
        char in = static_cast<char>(0x80 + i);
        unsigned char out[4] = {};
        char* ip = &in;
        char* op = reinterpret_cast<char*>(out);
        size_t il = 1, ol = 4;
        if (cd != reinterpret_cast<iconv_t>(-1) && iconv(cd, &ip, &il, &op, &ol) != size_t(-1) &&
            ol == 0)
            t[i] = out[0] | out[1] << 8 | out[2] << 16 | char32_t(out[3]) << 24;
        else
            t[i] = 0xFFFD;
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return t;
}

struct Table {
    Upper upper;
    std::unordered_map<char32_t, unsigned char> reverse;
    explicit Table(Upper u) : upper(u) {
        for (int i = 0; i < 128; ++i)
            if (u[i] != 0xFFFD) reverse.emplace(u[i], static_cast<unsigned char>(0x80 + i));
    }
};

const Table& TableOf(CodePage page) {
    static const Table cp850(FromIconv("CP850"));
    static const Table cp437(FromIconv("CP437"));
    static const Table cp858 = [] {
        // CP858 is CP850 with the euro sign in place of the dotless i.
        Upper u = FromIconv("CP850");
        u[0xD5 - 0x80] = 0x20AC;
        return Table(u);
    }();
    static const Table cp1252(Cp1252());
    switch (page) {
        case CodePage::CP437: return cp437;
        case CodePage::CP858: return cp858;
        case CodePage::CP1252: return cp1252;
        case CodePage::CP850: break;
    }
    return cp850;
}

// The next code point of s from i, advancing i; nothing for a malformed sequence (i then
// moves past the bad lead byte only).
std::optional<char32_t> NextCodePoint(std::string_view s, size_t& i) {
    unsigned char c = s[i++];
    if (c < 0x80) return c;
    int extra = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
    if (c >= 0xF5 || extra < 0) return std::nullopt;
    char32_t cp = c & (0x3F >> extra);
    size_t j = i;
    for (int k = 0; k < extra; ++k, ++j) {
        if (j >= s.size() || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80) return std::nullopt;
        cp = cp << 6 | (s[j] & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF) return std::nullopt;
    i = j;
    return cp;
}


}  // namespace

std::optional<CodePage> CodePageByName(std::string_view name) {
    std::string n;
    for (char c : name) n += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (std::string_view prefix : {"CP", "IBM", "WINDOWS-"})
        if (n.starts_with(prefix)) n.erase(0, prefix.size());
    if (n == "850") return CodePage::CP850;
    if (n == "437") return CodePage::CP437;
    if (n == "858") return CodePage::CP858;
    if (n == "1252") return CodePage::CP1252;
    return std::nullopt;
}

std::string_view CodePageName(CodePage page) {
    switch (page) {
        case CodePage::CP437: return "CP437";
        case CodePage::CP858: return "CP858";
        case CodePage::CP1252: return "CP1252";
        case CodePage::CP850: break;
    }
    return "CP850";
}

std::string FromUtf8(std::string_view utf8, CodePage page) {
    const Table& t = TableOf(page);
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        auto cp = NextCodePoint(utf8, i);
        if (!cp) {
            out += '?';
        } else if (*cp < 0x80) {
            out += static_cast<char>(*cp);
        } else if (auto it = t.reverse.find(*cp); it != t.reverse.end()) {
            out += static_cast<char>(it->second);
        } else {
            out += '?';
        }
    }
    return out;
}

std::string ToUtf8(std::string_view bytes, CodePage page) {
    const Table& t = TableOf(page);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (unsigned char b : bytes) {
        if (b < 0x80)
            out += static_cast<char>(b);
        else
            text::Utf8Append(out, t.upper[b - 0x80]);
    }
    return out;
}

}  // namespace text
