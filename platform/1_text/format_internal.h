// Decimal digits of a floating value, shared by the mask formatter, Format and FloatToStr so
// that all of them round the same way. Internal to platform/1_text.
#pragma once

#include <string>

#include "platform/1_text/locale.h"

namespace text::detail {

// |value| = 0.d1d2d3... x 10^exponent; digits carry no trailing zeros, empty for zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;
    bool IsZero() const { return digits.empty(); }
};

// The value's first `precision` significant digits (at most 17).
Decimal ToDecimal(double value, int precision = 15);
// Rounds half away from zero, keeping `decimals` digits after the point.
void RoundAt(Decimal& d, int decimals);
// The digits before the point ("" when there are none) and the first n digits after it.
std::string IntegerDigits(const Decimal& d);
std::string FractionDigits(const Decimal& d, int n);
// "1234.50" or "1,234.50" with the settings' separators and no sign.
std::string FixedDigits(const Decimal& d, int decimals, bool thousands, const FormatSettings& s);
// The component library's general format: shortest digits, exponent ("1E20", "1.5E-5") when the
// value has more integer digits than `precision` or is below 0.0001. No sign.
std::string GeneralDigits(const Decimal& d, int precision, const FormatSettings& s);

}  // namespace text::detail
