// Lengths, cuts and padding of UTF-8 text counted in characters (code points), never bytes:
// report columns, ticket widths and Format widths all rely on this.
// A byte that does not start a valid sequence counts as one character, so bad input never
// throws and is never split further. Not here: case (fold.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

// Number of characters.
std::size_t Utf8Length(std::string_view s);
// The first n characters (all of s when it is shorter).
std::string Utf8Left(std::string_view s, std::size_t n);
// n characters from the 1-based character position start, as the component library's Copy.
std::string Utf8Mid(std::string_view s, std::size_t start, std::size_t n = std::string::npos);
// s followed (PadRight) or preceded (PadLeft) by fill up to width characters; a longer s is
// returned whole. Cut with Utf8Left for a fixed width.
std::string PadRight(std::string_view s, std::size_t width, char fill = ' ');
std::string PadLeft(std::string_view s, std::size_t width, char fill = ' ');

// The byte length of the character that starts at s[i] (1 for a stray byte).
std::size_t Utf8CharSize(std::string_view s, std::size_t i);
// Decodes the character at s[i]; a stray byte decodes as itself (0x80..0xFF).
char32_t Utf8Decode(std::string_view s, std::size_t i);
void Utf8Append(std::string& out, char32_t c);

}  // namespace text
