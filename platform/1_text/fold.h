// Case-insensitive handling of names in Spanish: "JOSÉ" and "José" are the same text, "Jose"
// is not (accents are letters of their own, as the product always compared them).
// Works on UTF-8; letters outside Latin-1 keep their case. Character counting is in utf8.h.
#pragma once

#include <string>
#include <string_view>

#include "platform/1_text/utf8.h"

namespace text {

// Lower case of ASCII and Latin-1 letters (Á É Í Ó Ú Ü Ñ and the rest), for comparisons.
std::string FoldCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 comparing folded texts code point by code point.
int CompareText(std::string_view a, std::string_view b);

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);

}  // namespace text
