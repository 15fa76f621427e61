// Folding of names for case-insensitive lookups (ASCII and Latin-1 letters in UTF-8).
#include "platform/report/names.h"

namespace report {

std::string FoldName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < name.size()) {
            unsigned char d = static_cast<unsigned char>(name[i + 1]);
            // U+00C0..U+00DE (but U+00D7, the multiplication sign) fold to U+00E0..U+00FE.
            if (d >= 0x80 && d <= 0x9E && d != 0x97) d = static_cast<unsigned char>(d + 0x20);
            out += static_cast<char>(c);
            out += static_cast<char>(d);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    return FoldName(a) == FoldName(b);
}

}  // namespace report
