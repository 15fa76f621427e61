// The application's default settings and the text form of each setting, so the installation's
// configuration can carry them. Validation here keeps a bad [Regional] entry from reaching the
// formatters, where it would print nonsense instead of failing clearly.
#include "platform/1_text/locale.h"

#include <charconv>

#include "platform/1_text/datetime.h"
#include "platform/1_text/trim.h"

namespace text {
namespace {

FormatSettings& DefaultStorage() {
    static FormatSettings s;
    return s;
}

template <size_t N>
std::string JoinNames(const std::array<std::string, N>& names) {
    std::string out;
    for (size_t i = 0; i < N; ++i) {
        if (i) out += ',';
        out += names[i];
    }
    return out;
}

[[noreturn]] void Bad(std::string_view key, std::string_view value, std::string_view why) {
    throw ConvertError("valor no válido para " + std::string(key) + ": \"" + std::string(value) +
                       "\" (" + std::string(why) + ")");
}

template <size_t N>
void SplitNames(std::string_view key, std::string_view value, std::array<std::string, N>& out) {
    std::array<std::string, N> names;
    size_t i = 0;
    std::string_view rest = value;
    while (true) {
        const size_t comma = rest.find(',');
        std::string_view one = Trim(rest.substr(0, comma));
        if (i == N || one.empty())
            Bad(key, value, "se esperan " + std::to_string(N) + " nombres separados por comas");
        names[i++] = std::string(one);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    if (i != N) Bad(key, value, "se esperan " + std::to_string(N) + " nombres separados por comas");
    out = std::move(names);
}

int ParseRange(std::string_view key, std::string_view value, int lo, int hi) {
    int v = 0;
    auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (ec != std::errc() || p != value.data() + value.size() || v < lo || v > hi)
        Bad(key, value, "se espera un número de " + std::to_string(lo) + " a " + std::to_string(hi));
    return v;
}

char ParseSeparator(std::string_view key, std::string_view raw) {
    // A blank is a legitimate thousands separator, so the raw value is taken before trimming.
    std::string_view v = raw.size() == 1 ? raw : Trim(raw);
    if (v.size() != 1 || static_cast<unsigned char>(v[0]) >= 0x80 || v[0] < ' ')
        Bad(key, raw, "se espera un solo carácter");
    return v[0];
}

std::string ParsePattern(std::string_view key, std::string_view value) {
    if (value.empty()) Bad(key, value, "el formato no puede estar vacío");
    return std::string(value);
}

}  // namespace

const FormatSettings& DefaultFormatSettings() { return DefaultStorage(); }

// Everything runs on the user-interface thread (no locks): the program replaces the settings
// once, at start-up, before any report or note uses them.
void SetDefaultFormatSettings(const FormatSettings& settings) { DefaultStorage() = settings; }

std::vector<std::pair<std::string, std::string>> FormatSettingsEntries(const FormatSettings& s) {
    return {
        {"CurrencyString", s.CurrencyString},
        {"CurrencyFormat", std::to_string(s.CurrencyFormat)},
        {"NegCurrFormat", std::to_string(s.NegCurrFormat)},
        {"CurrencyDecimals", std::to_string(s.CurrencyDecimals)},
        {"ThousandSeparator", std::string(1, s.ThousandSeparator)},
        {"DecimalSeparator", std::string(1, s.DecimalSeparator)},
        {"DateSeparator", std::string(1, s.DateSeparator)},
        {"TimeSeparator", std::string(1, s.TimeSeparator)},
        {"ShortDateFormat", s.ShortDateFormat},
        {"LongDateFormat", s.LongDateFormat},
        {"ShortTimeFormat", s.ShortTimeFormat},
        {"LongTimeFormat", s.LongTimeFormat},
        {"TimeAMString", s.TimeAMString},
        {"TimePMString", s.TimePMString},
        {"ShortMonthNames", JoinNames(s.ShortMonthNames)},
        {"LongMonthNames", JoinNames(s.LongMonthNames)},
        {"ShortDayNames", JoinNames(s.ShortDayNames)},
        {"LongDayNames", JoinNames(s.LongDayNames)},
        {"TwoDigitYearCenturyWindow", std::to_string(s.TwoDigitYearCenturyWindow)},
    };
}

void SetFormatSetting(FormatSettings& s, std::string_view key, std::string_view raw) {
    const std::string_view value = Trim(raw);
    if (key == "CurrencyString") s.CurrencyString = std::string(value);
    else if (key == "CurrencyFormat") s.CurrencyFormat = ParseRange(key, value, 0, 3);
    else if (key == "NegCurrFormat") s.NegCurrFormat = ParseRange(key, value, 0, 15);
    else if (key == "CurrencyDecimals") s.CurrencyDecimals = ParseRange(key, value, 0, 4);
    else if (key == "ThousandSeparator") s.ThousandSeparator = ParseSeparator(key, raw);
    else if (key == "DecimalSeparator") s.DecimalSeparator = ParseSeparator(key, raw);
    else if (key == "DateSeparator") s.DateSeparator = ParseSeparator(key, raw);
    else if (key == "TimeSeparator") s.TimeSeparator = ParseSeparator(key, raw);
    else if (key == "ShortDateFormat") s.ShortDateFormat = ParsePattern(key, value);
    else if (key == "LongDateFormat") s.LongDateFormat = ParsePattern(key, value);
    else if (key == "ShortTimeFormat") s.ShortTimeFormat = ParsePattern(key, value);
    else if (key == "LongTimeFormat") s.LongTimeFormat = ParsePattern(key, value);
    else if (key == "TimeAMString") s.TimeAMString = std::string(value);
    else if (key == "TimePMString") s.TimePMString = std::string(value);
    else if (key == "ShortMonthNames") SplitNames(key, value, s.ShortMonthNames);
    else if (key == "LongMonthNames") SplitNames(key, value, s.LongMonthNames);
    else if (key == "ShortDayNames") SplitNames(key, value, s.ShortDayNames);
    else if (key == "LongDayNames") SplitNames(key, value, s.LongDayNames);
    else if (key == "TwoDigitYearCenturyWindow")
        s.TwoDigitYearCenturyWindow = ParseRange(key, value, 0, 99);
    else
        throw ConvertError("clave desconocida: " + std::string(key));
}

void ValidateFormatSettings(const FormatSettings& s) {
    // A number like "1,234" would read both ways; the parsers could not tell the two apart.
    if (s.DecimalSeparator == s.ThousandSeparator)
        throw ConvertError("el separador decimal y el de millares deben ser distintos "
                           "(DecimalSeparator=\"" + std::string(1, s.DecimalSeparator) +
                           "\", ThousandSeparator=\"" + std::string(1, s.ThousandSeparator) + "\")");
    if (s.DateSeparator == ' ' || (s.DateSeparator >= '0' && s.DateSeparator <= '9'))
        throw ConvertError("el separador de fechas no puede ser un blanco ni una cifra");
}

}  // namespace text
