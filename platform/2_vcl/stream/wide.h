// UTF-16 text of wide-string values to UTF-8 and back. Unpaired surrogates are kept as their
// own three-byte sequences, so any stored wide string comes back unit for unit.
// Internal to the stream reader and writer.
#pragma once

#include <string>

namespace vcl::stream {

std::string WideToUtf8(const std::u16string& wide);
std::u16string Utf8ToWide(const std::string& utf8);  // malformed bytes become U+FFFD

}  // namespace vcl::stream
