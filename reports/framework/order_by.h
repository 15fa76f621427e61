// Placing a report's sort order in its query text: the ORDER BY clause the user chose
// replaces the one the layout's SQL ends with, or is appended when it has none, wherever
// the layout's lines break. Not here: which clause a report offers (its dialog).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace reportes {

// `sql` are the query's lines. The last ORDER BY outside quotes and parentheses, and what
// follows it to the end of the text, gives way to `clausula` ("Order by Caja") on a line of
// its own; without one the clause is added as the last line.
void PonOrderBy(std::vector<std::string>& sql, std::string_view clausula);

}  // namespace reportes
