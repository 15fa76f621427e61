// The regional settings every formatter and parser reads: separators, currency, date and time
// patterns, month and day names. Mexican Spanish unless the installation says otherwise.
// Not here: the formatting itself (format.h) or reading the installation's file (host/velmor).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace text {

struct FormatSettings {
    // Money: "$1,234.50"; CurrencyFormat and NegCurrFormat use the component library's codes
    // (0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"; negatives 0 "($1)" .. 15 "(1 $)").
    std::string CurrencyString = "$";
    int CurrencyFormat = 0;
    int NegCurrFormat = 1;  // "-$1"
    int CurrencyDecimals = 2;

    char ThousandSeparator = ',';
    char DecimalSeparator = '.';

    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongDateFormat = "dddd, dd' de 'mmmm' de 'yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string TimeAMString = "a.m.";
    std::string TimePMString = "p.m.";

    // Index 0 is January; day names start on Sunday, as DayOfWeek counts.
    std::array<std::string, 12> ShortMonthNames{"ene", "feb", "mar", "abr", "may", "jun",
                                                "jul", "ago", "sep", "oct", "nov", "dic"};
    std::array<std::string, 12> LongMonthNames{"enero",      "febrero", "marzo",     "abril",
                                               "mayo",       "junio",   "julio",     "agosto",
                                               "septiembre", "octubre", "noviembre", "diciembre"};
    std::array<std::string, 7> ShortDayNames{"dom", "lun", "mar", "mié", "jue", "vie", "sáb"};
    std::array<std::string, 7> LongDayNames{"domingo", "lunes",   "martes", "miércoles",
                                            "jueves",  "viernes", "sábado"};

    // A two-digit year lands within this many years before the current year, or after it.
    int TwoDigitYearCenturyWindow = 50;

    friend bool operator==(const FormatSettings&, const FormatSettings&) = default;
};

// The application's settings. Starts as Mexican Spanish; the program replaces it once it has
// read the installation's configuration. Code that can be handed settings should be.
const FormatSettings& DefaultFormatSettings();
void SetDefaultFormatSettings(const FormatSettings& settings);

// The settings as key and value texts, in the order the configuration file writes them
// (keys are the member names above; name lists are comma-separated).
std::vector<std::pair<std::string, std::string>> FormatSettingsEntries(const FormatSettings& s);

// Sets one member from its configuration text. Throws ConvertError with a Spanish message
// naming the key and the value when the key is unknown or the value does not fit.
// Members are checked one at a time, so a pair that must differ is checked once all are set.
void SetFormatSetting(FormatSettings& s, std::string_view key, std::string_view value);
// Throws ConvertError when the settings contradict each other (equal decimal and thousands
// separators, a date separator that is a blank or a digit).
void ValidateFormatSettings(const FormatSettings& s);

}  // namespace text
