// Case mapping over UTF-8 for ASCII and the Latin-1 letters (U+00C0..U+00FE): the letters a
// Spanish name can hold. Stray bytes pass through untouched.
#include "platform/1_text/fold.h"

namespace text {
namespace {

char32_t ToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return c;
}

char32_t ToUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    return c;
}

template <typename Map>
std::string MapCase(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8CharSize(s, i);
        if (n == 1 && static_cast<unsigned char>(s[i]) >= 0x80) {
            out += s[i];  // stray byte: keep it as it was
        } else {
            Utf8Append(out, map(Utf8Decode(s, i)));
        }
        i += n;
    }
    return out;
}

}  // namespace

std::string FoldCase(std::string_view s) { return MapCase(s, ToLower); }
std::string LowerCase(std::string_view s) { return MapCase(s, ToLower); }
std::string UpperCase(std::string_view s) { return MapCase(s, ToUpper); }

int CompareText(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = ToLower(Utf8Decode(a, i));
        const char32_t y = ToLower(Utf8Decode(b, j));
        if (x != y) return x < y ? -1 : 1;
        i += Utf8CharSize(a, i);
        j += Utf8CharSize(b, j);
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

}  // namespace text
