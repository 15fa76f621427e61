// Conversion between the UTF-8 text used inside the program and the single-byte code pages of
// ticket printers (CP850 by default, CP437, CP858 with the euro sign) and of stored Windows
// files (CP1252). Not here: which page a printer uses (the installation's configuration).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace text {

enum class CodePage { CP850, CP437, CP858, CP1252 };

// "CP850", "850", "IBM850" and the like, in any letter case; nothing for an unknown page.
std::optional<CodePage> CodePageByName(std::string_view name);
std::string_view CodePageName(CodePage page);

// A character the page lacks, or a malformed UTF-8 sequence, becomes "?": a ticket is never
// refused for one letter.
std::string FromUtf8(std::string_view utf8, CodePage page);

// Every byte has a character. The five bytes CP1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) read as the control characters of the same number, so FromUtf8(ToUtf8(b)) == b for
// any bytes b of that page.
std::string ToUtf8(std::string_view bytes, CodePage page);

}  // namespace text
