// UTF-8 walking and case folding shared by the component model's own files: name matching,
// accelerator letters, typed characters and edit lengths counted in code points.
// Not here: locale-aware text handling for the product's reports (platform/1_text).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/1_text/utf8.h"

namespace vcl::detail {

// Decodes the code point at `i` and moves `i` past it. A malformed byte is taken as U+FFFD
// alone, so a damaged name or caption never stops a walk.
inline char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    const int extra = (b0 >> 5) == 0x6 ? 1 : (b0 >> 4) == 0xE ? 2 : (b0 >> 3) == 0x1E ? 3 : 0;
    if (extra == 0 || i + extra >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += extra + 1;
    return cp;
}

inline void AppendUtf8(std::string& out, char32_t cp) { text::Utf8Append(out, cp); }

inline std::size_t CodePointCount(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++n) NextCodePoint(s, i);
    return n;
}

// Lower case for ASCII and the Latin-1 letters Spanish uses ("Ñ" to "ñ", "Á" to "á"); accents
// are kept, so "año" and "ano" stay different names.
inline char32_t FoldCase(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return c;
}

}  // namespace vcl::detail
