// Formatting and parsing of dates, numbers and shortcuts with the rules of the component
// library the product was written against: FormatDateTime patterns, FormatFloat masks,
// printf-like Format, StrToDate with the short date format, shortcut names.
// Every function takes the settings it reads; the default is DefaultFormatSettings().
// Not here: the calendar arithmetic (datetime.h) or case folding (fold.h).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/1_text/datetime.h"
#include "platform/1_text/locale.h"

namespace text {

// ---- Dates and times ------------------------------------------------------------------------

// Pattern letters (case-insensitive): d dd (day), ddd dddd (short and long day name), ddddd
// (short date), dddddd (long date), m mm (month, or minutes right after an hour), mmm mmmm
// (short and long month name), yy yyyy, h hh, n nn, s ss, z zzz, t tt (short and long time),
// am/pm a/p (as written) ampm (TimeAMString/TimePMString), c (short date, then the long time
// when there is one). "/" and ":" print the locale's separators; text in '...' or "..." prints
// as it stands; any other character prints itself. An empty pattern means "c". A value outside
// the years 1 to 9999 (or not a number) prints as "".
std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const FormatSettings& s = DefaultFormatSettings());

std::string DateToStr(TDateTime value, const FormatSettings& s = DefaultFormatSettings());
std::string TimeToStr(TDateTime value, const FormatSettings& s = DefaultFormatSettings());
std::string DateTimeToStr(TDateTime value, const FormatSettings& s = DefaultFormatSettings());

// Day, month and year in the order of ShortDateFormat, separated by DateSeparator: day and month
// of one or two digits, the year of two (placed by TwoDigitYearCenturyWindow) or four digits, or
// left out for the current year. Blanks around the numbers are allowed; nothing else is.
// StrToDate throws ConvertError "'<text>' no es una fecha válida".
std::optional<TDateTime> TryStrToDate(std::string_view text,
                                      const FormatSettings& s = DefaultFormatSettings());
TDateTime StrToDate(std::string_view text, const FormatSettings& s = DefaultFormatSettings());

// "h:nn", "h:nn:ss" or "h:nn:ss.zzz" with TimeSeparator, 24-hour, or 12-hour followed by
// TimeAMString/TimePMString or "am"/"pm" ("3 pm" needs no minutes). Throws
// "'<text>' no es una hora válida".
std::optional<TDateTime> TryStrToTime(std::string_view text,
                                      const FormatSettings& s = DefaultFormatSettings());
TDateTime StrToTime(std::string_view text, const FormatSettings& s = DefaultFormatSettings());

// A date, a time, or a date followed by blanks and a time. Throws
// "'<text>' no es una fecha y hora válida".
std::optional<TDateTime> TryStrToDateTime(std::string_view text,
                                          const FormatSettings& s = DefaultFormatSettings());
TDateTime StrToDateTime(std::string_view text, const FormatSettings& s = DefaultFormatSettings());

// ---- Numbers ----------------------------------------------------------------------------------

// Display masks: up to three sections "positive;negative;zero". In a section "0" is a digit
// always printed, "#" a digit printed when significant, "." the place of the decimal
// separator, "," anywhere asks for thousands separators; text in quotes and any other character
// print as they stand. The value is rounded half away from zero at the mask's decimals (from
// its 15 significant digits, so 2.675 gives 2.68). A negative value with no negative section
// gets "-" before everything the section prints ("-$ 1,234.50"); a value that rounds to zero
// prints without a sign and uses the zero section when there is one. A mask whose "." has no
// digit after it ("#0.") prints no decimal separator. An empty mask prints FloatToStr.
std::string FormatFloat(std::string_view mask, double value,
                        const FormatSettings& s = DefaultFormatSettings());

// Shortest text of the value with 15 significant digits, "1E20"-style beyond them and below
// 0.0001, DecimalSeparator of the settings: 0.1 -> "0.1", 2.5 -> "2.5", 100 -> "100".
std::string FloatToStr(double value, const FormatSettings& s = DefaultFormatSettings());
// A currency value: four decimals at most, never an exponent.
std::string CurrToStr(double value, const FormatSettings& s = DefaultFormatSettings());
std::string IntToStr(std::int64_t value);

// Blanks around the number are allowed. StrToInt takes decimal or hexadecimal ("$1F", "0x1F")
// and throws "'<text>' no es un valor entero válido"; StrToFloat takes DecimalSeparator and an
// exponent, no thousands separators, and throws "'<text>' no es un valor de punto flotante
// válido".
std::optional<std::int64_t> TryStrToInt(std::string_view text);
std::int64_t StrToInt(std::string_view text);
std::optional<double> TryStrToFloat(std::string_view text,
                                    const FormatSettings& s = DefaultFormatSettings());
double StrToFloat(std::string_view text, const FormatSettings& s = DefaultFormatSettings());

// ---- Format -------------------------------------------------------------------------------------

// One argument of Format: an integer, a floating value or a text.
class FormatArg {
public:
    FormatArg(int v) : v_(static_cast<std::int64_t>(v)) {}
    FormatArg(long v) : v_(static_cast<std::int64_t>(v)) {}
    FormatArg(long long v) : v_(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned v) : v_(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned long v) : v_(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned long long v) : v_(static_cast<std::int64_t>(v)) {}
    FormatArg(short v) : v_(static_cast<std::int64_t>(v)) {}
    FormatArg(double v) : v_(v) {}
    FormatArg(float v) : v_(static_cast<double>(v)) {}
    FormatArg(const char* v) : v_(std::string_view(v ? v : "")) {}
    FormatArg(std::string_view v) : v_(v) {}
    FormatArg(const std::string& v) : v_(std::string_view(v)) {}

    const std::variant<std::int64_t, double, std::string_view>& value() const { return v_; }

private:
    std::variant<std::int64_t, double, std::string_view> v_;
};

// "%" ["index:"] ["-"] [width] ["." precision] type, width and precision may be "*" (taken from
// the next argument). Types: d (integer; precision = least digits), u, x (upper-case
// hexadecimal), f (fixed, 2 decimals unless told), n (as f with thousands separators), m
// (money: CurrencyString, CurrencyFormat/NegCurrFormat, CurrencyDecimals unless told), e
// (scientific), g (general, 15 digits), s (text; precision cuts). "%%" prints "%". Widths count
// characters. Integers are accepted where a floating value is asked for, not the reverse.
// A bad specifier or a missing or mismatched argument throws ConvertError
// "El formato '<fmt>' no es válido o no corresponde a sus argumentos".
std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args,
                   const FormatSettings& s = DefaultFormatSettings());

// ---- Shortcuts ----------------------------------------------------------------------------------

// Shortcut codes as the component library stores them: the virtual key in the low byte plus
// these modifier bits.
constexpr int scShift = 0x2000;
constexpr int scCtrl = 0x4000;
constexpr int scAlt = 0x8000;

// "F5", "Ctrl+A", "Shift+Ctrl+F2", "Alt+Ins", "Enter", "Esc"; "" for 0 or a key with no name.
std::string ShortCutToText(int shortcut);
// The reverse, ignoring case; 0 when the text names no shortcut.
int TextToShortCut(std::string_view text);

}  // namespace text
