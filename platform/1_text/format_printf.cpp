// Format: the component library's printf-like formatting, with the locale's separators and
// currency ("%m" gives "$1,234.50"), widths counted in characters. Not C printf: "%x" is
// upper case, "%f" defaults to two decimals, "%n" and "%m" exist, and a bad specifier throws.
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/1_text/format.h"
#include "platform/1_text/format_internal.h"
#include "platform/1_text/utf8.h"

namespace text {
namespace {

// The component library's currency layouts; "$" stands for the symbol, "1" for the digits.
constexpr const char* kPositive[] = {"$1", "1$", "$ 1", "1 $"};
constexpr const char* kNegative[] = {"($1)",  "-$1",  "$-1",  "$1-",  "(1$)",  "-1$",
                                     "1-$",   "1$-",  "-1 $", "-$ 1", "1 $-",  "$ 1-",
                                     "$ -1",  "1- $", "($ 1)", "(1 $)"};

std::string Currency(double value, int decimals, const FormatSettings& s) {
    detail::Decimal d = detail::ToDecimal(value);
    detail::RoundAt(d, decimals);
    const std::string digits = detail::FixedDigits(d, decimals, true, s);
    const bool negative = value < 0 && !d.IsZero();
    const int code = negative ? s.NegCurrFormat : s.CurrencyFormat;
    const char* layout = negative ? kNegative[code >= 0 && code < 16 ? code : 1]
                                  : kPositive[code >= 0 && code < 4 ? code : 0];
    std::string out;
    for (const char* p = layout; *p; ++p) {
        if (*p == '$') out += s.CurrencyString;
        else if (*p == '1') out += digits;
        else out += *p;
    }
    return out;
}

std::string Scientific(double value, int precision, const FormatSettings& s) {
    // "-d.dddE+ddd": precision significant digits, exponent of at least three digits.
    if (precision < 1) precision = 1;
    detail::Decimal d = detail::ToDecimal(value, precision > 17 ? 17 : precision);
    std::string out = d.negative && !d.IsZero() ? "-" : "";
    const std::string digits = d.IsZero() ? std::string("0") : d.digits;
    out += digits[0];
    if (precision > 1) {
        out += s.DecimalSeparator;
        for (int i = 1; i < precision; ++i)
            out += i < static_cast<int>(digits.size()) ? digits[i] : '0';
    }
    const int exp = d.IsZero() ? 0 : d.exponent - 1;
    char buf[16];
    std::snprintf(buf, sizeof buf, "E%c%03d", exp < 0 ? '-' : '+', std::abs(exp));
    return out + buf;
}

class Formatter {
public:
    Formatter(std::string_view fmt, std::initializer_list<FormatArg> args, const FormatSettings& s)
        : fmt_(fmt), args_(args.begin(), args.end()), s_(s) {}

    std::string Run() {
        std::string out;
        size_t i = 0;
        while (i < fmt_.size()) {
            const size_t pct = fmt_.find('%', i);
            out.append(fmt_.substr(i, pct == std::string_view::npos ? fmt_.size() - i : pct - i));
            if (pct == std::string_view::npos) break;
            i = pct + 1;
            if (i < fmt_.size() && fmt_[i] == '%') {
                out += '%';
                ++i;
                continue;
            }
            out += Directive(i);
        }
        return out;
    }

private:
    [[noreturn]] void Fail() const {
        throw ConvertError("El formato '" + std::string(fmt_) +
                           "' no es válido o no corresponde a sus argumentos");
    }

    const FormatArg& Next() {
        if (next_ >= args_.size()) Fail();
        return args_[next_++];
    }

    // Digits or "*" (the next argument, which must be an integer); -1 when absent.
    int Count(size_t& i) {
        if (i < fmt_.size() && fmt_[i] == '*') {
            ++i;
            const auto* v = std::get_if<std::int64_t>(&Next().value());
            if (!v) Fail();
            return static_cast<int>(*v < 0 ? 0 : (*v > 1000 ? 1000 : *v));
        }
        if (i >= fmt_.size() || fmt_[i] < '0' || fmt_[i] > '9') return -1;
        int n = 0;
        while (i < fmt_.size() && fmt_[i] >= '0' && fmt_[i] <= '9') {
            n = n * 10 + (fmt_[i] - '0');
            if (n > 1000) Fail();
            ++i;
        }
        return n;
    }

    std::string Directive(size_t& i) {
        // An explicit index "%1:s" moves the argument counter.
        size_t j = i;
        while (j < fmt_.size() && fmt_[j] >= '0' && fmt_[j] <= '9') ++j;
        if (j > i && j < fmt_.size() && fmt_[j] == ':') {
            size_t k = i;
            next_ = static_cast<size_t>(Count(k));
            i = j + 1;
        }
        bool left = false;
        if (i < fmt_.size() && fmt_[i] == '-') {
            left = true;
            ++i;
        }
        const int width = Count(i);
        int precision = -1;
        if (i < fmt_.size() && fmt_[i] == '.') {
            ++i;
            precision = Count(i);
            if (precision < 0) precision = 0;
        }
        if (i >= fmt_.size()) Fail();
        const char type = static_cast<char>(fmt_[i] | 0x20);
        ++i;
        std::string text = Convert(type, precision, Next());
        const size_t len = Utf8Length(text);
        if (width > 0 && len < static_cast<size_t>(width))
            text = left ? PadRight(text, width) : PadLeft(text, width);
        return text;
    }

    std::string Convert(char type, int precision, const FormatArg& arg) {
        const auto& v = arg.value();
        const auto* integer = std::get_if<std::int64_t>(&v);
        const auto* floating = std::get_if<double>(&v);
        const auto* str = std::get_if<std::string_view>(&v);
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            if (!integer) Fail();
            std::string digits;
            bool negative = false;
            if (type == 'x') {
                // Values that fit the library's 32-bit integers print as 32-bit words.
                const std::uint64_t word =
                    *integer >= INT32_MIN && *integer <= INT32_MAX
                        ? static_cast<std::uint32_t>(*integer)
                        : static_cast<std::uint64_t>(*integer);
                char buf[24];
                std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(word));
                digits = buf;
            } else if (type == 'u') {
                const std::uint64_t word = *integer >= INT32_MIN && *integer < 0
                                               ? static_cast<std::uint32_t>(*integer)
                                               : static_cast<std::uint64_t>(*integer);
                digits = std::to_string(word);
            } else {
                negative = *integer < 0;
                digits = std::to_string(*integer);
                if (negative) digits.erase(0, 1);
            }
            if (precision > 0 && static_cast<int>(digits.size()) < precision)
                digits.insert(0, precision - digits.size(), '0');
            return negative ? "-" + digits : digits;
        }
        case 'f':
        case 'n':
        case 'm':
        case 'e':
        case 'g': {
            if (str) Fail();
            const double x = floating ? *floating : static_cast<double>(*integer);
            if (!std::isfinite(x)) return FloatToStr(x, s_);
            if (type == 'e') return Scientific(x, precision < 0 ? 15 : precision, s_);
            if (type == 'm') return Currency(x, precision < 0 ? s_.CurrencyDecimals : precision, s_);
            if (type == 'g') {
                const int p = precision <= 0 ? 15 : (precision > 17 ? 17 : precision);
                const detail::Decimal d = detail::ToDecimal(x, p);
                const std::string digits = detail::GeneralDigits(d, p, s_);
                return d.negative && !d.IsZero() ? "-" + digits : digits;
            }
            const int decimals = precision < 0 ? 2 : (precision > 18 ? 18 : precision);
            detail::Decimal d = detail::ToDecimal(x);
            detail::RoundAt(d, decimals);
            const std::string digits = detail::FixedDigits(d, decimals, type == 'n', s_);
            return x < 0 && !d.IsZero() ? "-" + digits : digits;
        }
        case 's':
            if (!str) Fail();
            return precision >= 0 ? Utf8Left(*str, precision) : std::string(*str);
        default:
            Fail();
        }
    }

    std::string_view fmt_;
    std::vector<FormatArg> args_;
    size_t next_ = 0;
    const FormatSettings& s_;
};

}  // namespace

std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args,
                   const FormatSettings& s) {
    return Formatter(fmt, args, s).Run();
}

}  // namespace text
