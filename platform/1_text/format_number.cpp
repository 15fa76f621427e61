// Numbers as text and back: FormatFloat display masks, FloatToStr, CurrToStr, IntToStr,
// StrToInt and StrToFloat. Rounding works on the value's 15 significant decimal digits, the
// precision a double holds, so 2.675 rounds to 2.68 as the user reads it rather than to the
// 2.67 its binary value would give.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/1_text/format.h"
#include "platform/1_text/gcc12_restrict.h"
#include "platform/1_text/format_internal.h"
#include "platform/1_text/trim.h"

namespace text {
namespace detail {

Decimal ToDecimal(double value, int precision) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0 || !std::isfinite(value)) return d;
    if (precision < 1) precision = 1;
    if (precision > 17) precision = 17;
    char buf[64];
    // "d.ddddde[+-]xx", correctly rounded from the binary value.
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, precision - 1);
    std::string_view t(buf, static_cast<size_t>(res.ptr - buf));
    const size_t e = t.find('e');
    for (size_t i = 0; i < e; ++i)
        if (t[i] != '.') d.digits += t[i];
    int exp = 0;
    std::from_chars(t.data() + e + (t[e + 1] == '+' ? 2 : 1), t.data() + t.size(), exp);
    d.exponent = exp + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

void RoundAt(Decimal& d, int decimals) {
    if (d.IsZero()) return;
    const long keep = static_cast<long>(d.exponent) + decimals;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (keep >= static_cast<long>(d.digits.size())) return;
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        long i = keep - 1;
        for (; i >= 0; --i) {
            if (d.digits[i] == '9') {
                d.digits[i] = '0';
            } else {
                ++d.digits[i];
                break;
            }
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

std::string IntegerDigits(const Decimal& d) {
    if (d.IsZero() || d.exponent <= 0) return {};
    std::string out = d.digits.substr(0, d.exponent);
    out.resize(d.exponent, '0');
    return out;
}

std::string FractionDigits(const Decimal& d, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        const long idx = static_cast<long>(d.exponent) + i;
        out += d.IsZero() || idx < 0 || idx >= static_cast<long>(d.digits.size()) ? '0'
                                                                                   : d.digits[idx];
    }
    return out;
}

namespace {

std::string GroupThousands(const std::string& digits, char sep) {
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += sep;
        out += digits[i];
    }
    return out;
}

}  // namespace

GCC12_FALSE_RESTRICT_BEGIN
std::string FixedDigits(const Decimal& d, int decimals, bool thousands, const FormatSettings& s) {
    std::string integer = IntegerDigits(d);
    if (integer.empty()) integer = "0";
    std::string out = thousands ? GroupThousands(integer, s.ThousandSeparator) : integer;
    if (decimals > 0) {
        out += s.DecimalSeparator;
        out += FractionDigits(d, decimals);
    }
    return out;
}
GCC12_FALSE_RESTRICT_END

GCC12_FALSE_RESTRICT_BEGIN
std::string GeneralDigits(const Decimal& d, int precision, const FormatSettings& s) {
    if (d.IsZero()) return "0";
    if (d.exponent > precision || d.exponent < -3) {
        std::string out(1, d.digits[0]);
        if (d.digits.size() > 1) {
            out += s.DecimalSeparator;
            out += d.digits.substr(1);
        }
        out += 'E';
        out += std::to_string(d.exponent - 1);
        return out;
    }
    std::string integer = IntegerDigits(d);
    if (integer.empty()) integer = "0";
    const int fraction = static_cast<int>(d.digits.size()) - d.exponent;
    if (fraction <= 0) return integer;
    return integer + s.DecimalSeparator + FractionDigits(d, fraction);
}
GCC12_FALSE_RESTRICT_END

}  // namespace detail

namespace {

using detail::Decimal;

// One section of a display mask, as far as the digits are concerned.
struct MaskShape {
    int integerPlaces = 0;  // "0" and "#" before the decimal point
    int forcedInteger = 0;  // integer places from the first "0" to the point
    int decimalPlaces = 0;  // "0" and "#" after the point
    int forcedDecimals = 0; // decimal places up to the last "0"
    bool thousands = false;
    bool anyDigit = false;
};

std::vector<std::string_view> SplitSections(std::string_view mask) {
    std::vector<std::string_view> out;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            out.push_back(mask.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(mask.substr(start));
    return out;
}

MaskShape Analyze(std::string_view section) {
    MaskShape m;
    bool afterPoint = false;
    bool seenZero = false;
    char quote = 0;
    for (char c : section) {
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        switch (c) {
        case '\'':
        case '"': quote = c; break;
        case '.': afterPoint = true; break;
        case ',': m.thousands = true; break;
        case '0':
        case '#':
            m.anyDigit = true;
            if (afterPoint) {
                ++m.decimalPlaces;
                if (c == '0') m.forcedDecimals = m.decimalPlaces;
            } else {
                ++m.integerPlaces;
                if (c == '0') seenZero = true;
                if (seenZero) ++m.forcedInteger;
            }
            break;
        default: break;
        }
    }
    return m;
}

std::string ApplySection(std::string_view section, const MaskShape& m, const Decimal& d,
                         bool sign, const FormatSettings& s) {
    std::string integer = detail::IntegerDigits(d);
    if (static_cast<int>(integer.size()) < m.forcedInteger)
        integer.insert(0, m.forcedInteger - integer.size(), '0');
    std::string fraction = detail::FractionDigits(d, m.decimalPlaces);
    while (static_cast<int>(fraction.size()) > m.forcedDecimals && fraction.back() == '0')
        fraction.pop_back();

    const int len = static_cast<int>(integer.size());
    std::string out;
    if (sign) out += '-';
    auto putInteger = [&](int posFromRight) {
        out += integer[len - 1 - posFromRight];
        if (m.thousands && posFromRight > 0 && posFromRight % 3 == 0) out += s.ThousandSeparator;
    };

    int integerSeen = 0, decimalSeen = 0;
    bool afterPoint = false;
    for (size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        switch (c) {
        case '\'':
        case '"': {
            const size_t close = section.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? section.size() : close;
            out.append(section.substr(i + 1, end - i - 1));
            i = end;
            break;
        }
        case '0':
        case '#':
            if (!afterPoint) {
                const int pos = m.integerPlaces - 1 - integerSeen;
                // The first place takes every digit the mask has no place for.
                if (integerSeen == 0)
                    for (int p = len - 1; p > pos; --p) putInteger(p);
                if (pos < len) putInteger(pos);
                ++integerSeen;
            } else {
                if (decimalSeen < static_cast<int>(fraction.size())) out += fraction[decimalSeen];
                ++decimalSeen;
            }
            break;
        case '.':
            if (!afterPoint) {
                afterPoint = true;
                if (!fraction.empty()) out += s.DecimalSeparator;
            }
            break;
        case ',': break;
        default: out += c; break;
        }
    }
    return out;
}

}  // namespace

std::string FormatFloat(std::string_view mask, double value, const FormatSettings& s) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (mask.empty()) return FloatToStr(value, s);
    const auto sections = SplitSections(mask);
    const Decimal exact = detail::ToDecimal(value);

    size_t chosen = 0;
    MaskShape shape = Analyze(sections[0]);
    Decimal d = exact;
    detail::RoundAt(d, shape.decimalPlaces);
    if (d.IsZero()) {
        if (sections.size() >= 3 && !sections[2].empty()) chosen = 2;
    } else if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
        chosen = 1;
    }
    if (chosen != 0) {
        shape = Analyze(sections[chosen]);
        d = exact;
        detail::RoundAt(d, shape.decimalPlaces);
        if (chosen == 2) d.digits.clear();
    }
    const bool sign = chosen == 0 && value < 0 && !d.IsZero();
    return ApplySection(sections[chosen], shape, d, sign, s);
}

std::string FloatToStr(double value, const FormatSettings& s) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const Decimal d = detail::ToDecimal(value, 15);
    const std::string digits = detail::GeneralDigits(d, 15, s);
    return d.IsZero() || !d.negative ? digits : "-" + digits;
}

std::string CurrToStr(double value, const FormatSettings& s) {
    if (!std::isfinite(value)) return FloatToStr(value, s);
    Decimal d = detail::ToDecimal(value, 15);
    detail::RoundAt(d, 4);
    if (d.IsZero()) return "0";
    const int fraction = std::max(0, static_cast<int>(d.digits.size()) - d.exponent);
    const std::string digits = detail::FixedDigits(d, fraction, false, s);
    return d.negative ? "-" + digits : digits;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::optional<std::int64_t> TryStrToInt(std::string_view text) {
    const std::string t = std::string(Trim(text));
    std::string_view v(t);
    bool negative = false;
    if (!v.empty() && (v[0] == '-' || v[0] == '+')) {
        negative = v[0] == '-';
        v.remove_prefix(1);
    }
    int base = 10;
    if (!v.empty() && v[0] == '$') {
        base = 16;
        v.remove_prefix(1);
    } else if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
        base = 16;
        v.remove_prefix(2);
    }
    if (v.empty()) return std::nullopt;
    std::uint64_t magnitude = 0;
    auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), magnitude, base);
    if (ec != std::errc() || p != v.data() + v.size()) return std::nullopt;
    constexpr std::uint64_t kMax = static_cast<std::uint64_t>(INT64_MAX);
    if (magnitude > kMax + (negative ? 1 : 0)) return std::nullopt;
    if (negative) return magnitude == kMax + 1 ? INT64_MIN : -static_cast<std::int64_t>(magnitude);
    return static_cast<std::int64_t>(magnitude);
}

std::int64_t StrToInt(std::string_view text) {
    if (auto v = TryStrToInt(text)) return *v;
    throw ConvertError("'" + std::string(text) + "' no es un valor entero válido");
}

std::optional<double> TryStrToFloat(std::string_view text, const FormatSettings& s) {
    const std::string t = std::string(Trim(text));
    // Validate the shape ourselves: digits, one decimal separator of the settings, an optional
    // exponent. from_chars alone would take "inf" and "nan" and knows only ".".
    std::string normal;
    size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        if (t[i] == '-') normal += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            normal += c;
            ++mantissaDigits;
        } else if (c == s.DecimalSeparator && !point) {
            normal += '.';
            point = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < t.size() && (t[i] == '-' || t[i] == '+')) normal += t[i++];
        int expDigits = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++expDigits) normal += t[i];
        if (expDigits == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    double v = 0;
    auto [p, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), v);
    if (ec != std::errc() || p != normal.data() + normal.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double StrToFloat(std::string_view text, const FormatSettings& s) {
    if (auto v = TryStrToFloat(text, s)) return *v;
    throw ConvertError("'" + std::string(text) + "' no es un valor de punto flotante válido");
}

}  // namespace text
