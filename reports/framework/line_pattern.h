// The product line criterion: what the user types in the line edit ("?????", "AB???", "A?B")
// and the LIKE pattern a query matches it with. "?" stands for any one character; a
// five-character code ending in "?" matches any tail, so "?????" is every line.
// Not here: looking the code up in Lineas (the dialog's Exit handler does that).
#pragma once

#include <string>
#include <string_view>

namespace reportes {

// The LIKE pattern for a typed line code, with "\" as its escape character: "%", "_" and "\"
// typed by the user stay literal. An empty (or blank) code gives an empty pattern: no line
// condition at all. Pure: converting the same text twice gives the same pattern.
std::string LineaPattern(std::string_view typed);

// True when the typed code is a pattern rather than one line's key.
bool LineaIsPattern(std::string_view typed);

}  // namespace reportes
