// The typed-text rules of the TVlmEdit control, apart from the control: which characters a
// date, number or time edit takes, how its text becomes a value and a value its text.
// Plain functions so that the control, the script driver and the tests share them.
// Not here: the control, its button and events (vlmedit.h).
#pragma once

#include <string>
#include <string_view>

#include "platform/1_text/datetime.h"
#include "platform/1_text/locale.h"

namespace velmor {

enum TTipoDeDato { tyTexto, tyFecha, tyNumero, tyHora };

// Whether typing c into an edit of that type is taken. Texts take everything; dates take
// digits, the date separator, blanks and the time separator (date edits may hold a time
// after the date); times take digits, the time separator, blanks and the letters of the
// am/pm markers; numbers take digits, the decimal separator (when decimals > 0), the
// thousands separator, a minus sign, blanks and the characters of the currency symbol
// (numeric edits may show "$ 0.00").
bool AcceptsChar(TTipoDeDato type, char32_t c, int decimals, const text::FormatSettings& s);

// The number in a numeric edit's text: the currency symbol, blanks and thousands separators
// are dropped first. "" (or only a symbol) is 0. Throws text::ConvertError
// "'<text>' no es un número válido" for anything else that is not a number.
double TextToFloat(std::string_view text, const text::FormatSettings& s);

// The text a numeric edit shows for a value: the prefix (the literal before the number, as
// "$ "), then the value with `decimals` decimals and no thousands separators ("#0.00";
// "#0." for none).
std::string FloatToEditText(double value, int decimals, std::string_view prefix,
                            const text::FormatSettings& s);

// The literal that leads a numeric edit's text: everything before its first digit, minus
// sign or decimal separator ("$ " in "$ 12.50").
std::string NumberPrefix(std::string_view text, const text::FormatSettings& s);

}  // namespace velmor
