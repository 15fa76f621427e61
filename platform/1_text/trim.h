// Blanks off both ends of a piece of text: spaces, tabs, and the carriage returns and line
// feeds that lines read from files written on Windows keep. Not here: folding (fold.h).
#pragma once

#include <string_view>

namespace text {

constexpr std::string_view Trim(std::string_view s) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace text
