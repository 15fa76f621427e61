// Character filters and conversions of typed edits. A numeric edit keeps whatever literal
// leads its text ("$ "), so reformatting after SetDecimals or on leaving keeps the look the
// form gave it.
#include "host/velmor/vlmedit_text.h"

#include "platform/1_text/format.h"
#include "platform/1_text/utf8.h"

namespace velmor {
namespace {

bool Contains(std::string_view s, char32_t c) {
    for (size_t i = 0; i < s.size(); i += text::Utf8CharSize(s, i))
        if (text::Utf8Decode(s, i) == c) return true;
    return false;
}

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

}  // namespace

bool AcceptsChar(TTipoDeDato type, char32_t c, int decimals, const text::FormatSettings& s) {
    switch (type) {
    case tyTexto: return true;
    case tyFecha:
        return IsDigit(c) || c == static_cast<unsigned char>(s.DateSeparator) ||
               c == static_cast<unsigned char>(s.TimeSeparator) || c == ' ';
    case tyHora:
        return IsDigit(c) || c == static_cast<unsigned char>(s.TimeSeparator) || c == ' ' ||
               Contains(s.TimeAMString, c) || Contains(s.TimePMString, c) ||
               Contains("aApPmM.", c);
    case tyNumero:
        return IsDigit(c) || c == '-' || c == ' ' ||
               (decimals > 0 && c == static_cast<unsigned char>(s.DecimalSeparator)) ||
               c == static_cast<unsigned char>(s.ThousandSeparator) ||
               Contains(s.CurrencyString, c);
    }
    return false;
}

double TextToFloat(std::string_view textIn, const text::FormatSettings& s) {
    std::string t(textIn);
    if (!s.CurrencyString.empty())
        for (size_t at; (at = t.find(s.CurrencyString)) != std::string::npos;)
            t.erase(at, s.CurrencyString.size());
    std::string digits;
    for (char c : t)
        if (c != ' ' && c != '\t' && c != s.ThousandSeparator) digits += c;
    if (digits.empty()) return 0.0;
    if (auto v = text::TryStrToFloat(digits, s)) return *v;
    throw text::ConvertError("'" + std::string(textIn) + "' no es un número válido");
}

std::string FloatToEditText(double value, int decimals, std::string_view prefix,
                            const text::FormatSettings& s) {
    std::string mask = "#0.";
    if (decimals > 0) mask.append(static_cast<size_t>(decimals), '0');
    return std::string(prefix) + text::FormatFloat(mask, value, s);
}

std::string NumberPrefix(std::string_view t, const text::FormatSettings& s) {
    size_t i = 0;
    while (i < t.size() && !IsDigit(static_cast<unsigned char>(t[i])) && t[i] != '-' &&
           t[i] != s.DecimalSeparator)
        ++i;
    return std::string(t.substr(0, i));
}

}  // namespace velmor
