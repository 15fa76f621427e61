// The few locale conversions the note fields need (numbers, dates, the currency symbol), with
// Mexican Spanish defaults. The installation's settings object fills one of these; tests
// build their own. Not here: display masks or month names (the text formatters).
#pragma once

#include <string>
#include <string_view>

#include "platform/text/datetime.h"

namespace notix {

struct TFormatSettings {
    std::string CurrencyString = "$";
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    std::string ShortDateFormat = "dd/mm/yyyy";  // d, m and y runs, one separator between
};

// Raise text::ConvertError with a Spanish message on bad text.
long long StrToInt(std::string_view text);
std::string IntToStr(long long value);
double StrToFloat(std::string_view text, const TFormatSettings& fs);
std::string FloatToStr(double value, const TFormatSettings& fs);  // shortest text, exact value
text::TDateTime StrToDateTime(std::string_view text, const TFormatSettings& fs);
// The short date, then " hh:nn:ss" unless the time is midnight.
std::string DateTimeToStr(text::TDateTime value, const TFormatSettings& fs);

// Letter case folded for name lookups, Spanish letters included ("Añadir" == "AÑADIR").
bool SameText(std::string_view a, std::string_view b);

// Characters (code points) of UTF-8 text: what widths on a note count.
std::size_t Utf8Length(std::string_view s);
// The first n characters of UTF-8 text.
std::string Utf8Left(std::string_view s, std::size_t n);

}  // namespace notix
