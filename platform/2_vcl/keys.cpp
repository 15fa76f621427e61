// Accelerator letters of captions. A caption's "&" marks the letter that Alt plus that letter
// presses; the letter may be a Spanish one ("&Ñ"), so the walk is by code point.
#include "platform/2_vcl/keys.h"

#include "platform/2_vcl/utf8_internal.h"

namespace vcl {

char32_t AcceleratorOf(std::string_view caption) {
    std::size_t i = 0;
    while (i < caption.size()) {
        const char32_t c = detail::NextCodePoint(caption, i);
        if (c != '&' || i >= caption.size()) continue;
        const char32_t next = detail::NextCodePoint(caption, i);
        if (next != '&') return detail::FoldCase(next);
    }
    return 0;
}

std::string StripAccelerator(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

}  // namespace vcl
