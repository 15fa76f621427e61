// Fuzzes dates and numbers as the user types them: StrToDate, StrToTime, StrToDateTime,
// StrToInt and StrToFloat with the default settings and with odd separators (the first byte
// chooses). Each either converts or raises ConvertError; a converted date formats again.
#include <cstdint>
#include <string_view>

#include "platform/1_text/format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    text::FormatSettings s = text::DefaultFormatSettings();
    if (data[0] & 1) {
        s.DateSeparator = '-';
        s.DecimalSeparator = ',';
        s.ThousandSeparator = '.';
        s.ShortDateFormat = "yyyy-mm-dd";
    }
    const std::string_view typed(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        switch ((data[0] >> 1) % 5) {
        case 0: text::FormatDateTime("dd/mm/yyyy hh:nn", text::StrToDate(typed, s), s); break;
        case 1: text::StrToTime(typed, s); break;
        case 2: text::StrToDateTime(typed, s); break;
        case 3: text::StrToInt(typed); break;
        default: text::FormatFloat("#,##0.00", text::StrToFloat(typed, s), s); break;
        }
    } catch (const text::ConvertError&) {
    }
    return 0;
}
