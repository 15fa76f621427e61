// Conversions of report values to text, number and truth.
// Not here: masks and locale formatting (mask.cpp).
#include "platform/3_report/value.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/1_text/datetime.h"

namespace report {

bool IsNumber(const Value& v) {
    return std::holds_alternative<std::int64_t>(v) || std::holds_alternative<double>(v);
}

static std::string DoubleText(double d) {
    if (std::isnan(d) || std::isinf(d)) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    std::string s = buf;
    if (s == "-0") s = "0";
    return s;
}

std::string ToText(const Value& v) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(std::int64_t i) const { return std::to_string(i); }
        std::string operator()(double d) const { return DoubleText(d); }
        std::string operator()(DateValue d) const {
            text::Date date = text::DecodeDate(d.days);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", date.day, date.month, date.year);
            std::string out = buf;
            if (text::TimeOf(d.days) != 0) {
                text::Time t = text::DecodeTime(d.days);
                std::snprintf(buf, sizeof buf, " %02d:%02d:%02d", t.hour, t.minute, t.second);
                out += buf;
            }
            return out;
        }
    };
    return std::visit(Visitor{}, v);
}

double ToNumber(const Value& v) {
    struct Visitor {
        double operator()(std::monostate) const { return 0; }
        double operator()(const std::string& s) const {
            std::size_t b = s.find_first_not_of(' ');
            if (b == std::string::npos) return 0;
            double d = 0;
            auto res = std::from_chars(s.data() + b, s.data() + s.size(), d);
            return res.ec == std::errc() ? d : 0;
        }
        double operator()(std::int64_t i) const { return static_cast<double>(i); }
        double operator()(double d) const { return d; }
        double operator()(DateValue d) const { return d.days; }
    };
    return std::visit(Visitor{}, v);
}

bool ToBool(const Value& v) {
    if (IsNull(v)) return false;
    if (auto* s = std::get_if<std::string>(&v)) return !s->empty() && *s != "0" && *s != "F" && *s != "f";
    return ToNumber(v) != 0;
}

}  // namespace report
