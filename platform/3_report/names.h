// Case-insensitive matching of the names a layout and its handlers share: components,
// datasets, fields, parameters and layout file names. ASCII letters and the accented
// Spanish letters of UTF-8 fold alike (text::FoldCase), because layouts are written by hand.
#pragma once

#include <string>
#include <string_view>

namespace report {

bool SameName(std::string_view a, std::string_view b);
std::string FoldName(std::string_view name);

}  // namespace report
