// The value of one field or expression result as the report engine sees it: null, text,
// whole number, floating number or date. Conversions to text and number live here so that
// the engine, the expression evaluator and the cursors agree on them.
// Not here: display masks (mask.h).
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace report {

struct DateValue {
    double days = 0;  // TDateTime: days from 1899-12-30, time of day as the fraction
    friend bool operator==(const DateValue&, const DateValue&) = default;
};

using Value = std::variant<std::monostate, std::string, std::int64_t, double, DateValue>;

inline bool IsNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }
inline bool IsText(const Value& v) { return std::holds_alternative<std::string>(v); }
bool IsNumber(const Value& v);  // int or double

// Text with no mask: integers plainly, doubles with up to 15 significant digits and no
// trailing zeros, dates as dd/mm/yyyy (with hh:nn:ss when there is a time of day).
std::string ToText(const Value& v);
// Number of a value: null is 0, text is parsed (0 when it is not a number), a date its days.
double ToNumber(const Value& v);
bool ToBool(const Value& v);

}  // namespace report
