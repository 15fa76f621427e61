// Number and date masks. A number section is scanned once for its digit placeholders; the
// value is rounded to the section's decimals and its digits are poured into the placeholders
// from the decimal point outwards, literals kept in place.
#include "platform/report/mask.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/text/datetime.h"

namespace report {
namespace {

std::vector<std::string> Sections(std::string_view mask) {
    std::vector<std::string> out(1);
    char quote = 0;
    for (char c : mask) {
        if (quote) { if (c == quote) quote = 0; out.back() += c; continue; }
        if (c == '"' || c == '\'') { quote = c; out.back() += c; continue; }
        if (c == ';') { out.emplace_back(); continue; }
        out.back() += c;
    }
    return out;
}

std::string FormatSection(const std::string& sec, double value, const FormatSettings& fs, bool sign) {
    // Find the digit placeholders before and after the decimal point.
    int intZeros = 0, intDigits = 0, decZeros = 0, decDigits = 0;
    bool seenPoint = false, grouping = false, anyDigit = false;
    char quote = 0;
    std::size_t firstDigit = std::string::npos, lastDigit = 0;
    for (std::size_t i = 0; i < sec.size(); ++i) {
        char c = sec[i];
        if (quote) { if (c == quote) quote = 0; continue; }
        if (c == '"' || c == '\'') { quote = c; continue; }
        if (c == '0' || c == '#') {
            anyDigit = true;
            if (firstDigit == std::string::npos) firstDigit = i;
            lastDigit = i;
            if (seenPoint) { ++decDigits; if (c == '0') decZeros = decDigits; }
            else { ++intDigits; if (c == '0' || intZeros) ++intZeros; }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            if (firstDigit == std::string::npos) firstDigit = i;
            lastDigit = i;
        } else if (c == ',' && !seenPoint && anyDigit) {
            grouping = true;
        }
    }
    if (!anyDigit && !seenPoint) {
        // A mask of literals only prints them.
        std::string out;
        for (char c : sec) if (c != '"' && c != '\'') out += c;
        return out;
    }
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", decDigits, std::fabs(value));
    std::string digits = buf;
    std::string intPart = digits, decPart;
    if (auto p = digits.find('.'); p != std::string::npos) { intPart = digits.substr(0, p); decPart = digits.substr(p + 1); }
    // Trailing optional decimals go away.
    while (static_cast<int>(decPart.size()) > decZeros && !decPart.empty() && decPart.back() == '0') decPart.pop_back();
    if (intPart == "0" && intZeros == 0) intPart.clear();
    while (static_cast<int>(intPart.size()) < intZeros) intPart.insert(intPart.begin(), '0');
    if (grouping) {
        std::string g;
        int n = 0;
        for (auto it = intPart.rbegin(); it != intPart.rend(); ++it) {
            if (n && n % 3 == 0) g.insert(g.begin(), fs.thousandSeparator);
            g.insert(g.begin(), *it);
            ++n;
        }
        intPart = g;
    }
    std::string number = intPart;
    if (!decPart.empty()) number += fs.decimalSeparator + decPart;
    // A negative value that rounds to zero prints without its sign.
    if (sign && digits.find_first_of("123456789") != std::string::npos) number.insert(number.begin(), '-');

    std::string out;
    quote = 0;
    for (std::size_t i = 0; i < sec.size(); ++i) {
        char c = sec[i];
        if (quote) { if (c == quote) quote = 0; else out += c; continue; }
        if (c == '"' || c == '\'') { quote = c; continue; }
        if (i == firstDigit) out += number;
        if (i >= firstDigit && i <= lastDigit && (c == '0' || c == '#' || c == '.' || c == ',')) continue;
        out += c;
    }
    return out;
}

}  // namespace

std::string FormatFloat(std::string_view mask, double value, const FormatSettings& fs) {
    std::vector<std::string> secs = Sections(mask);
    if (secs.size() >= 3 && value == 0 && !secs[2].empty()) return FormatSection(secs[2], 0, fs, false);
    if (secs.size() >= 2 && value < 0 && !secs[1].empty()) return FormatSection(secs[1], value, fs, false);
    return FormatSection(secs[0], value, fs, value < 0);
}

std::string FormatDateTime(std::string_view mask, double value, const FormatSettings& fs) {
    text::Date d = text::DecodeDate(value);
    text::Time t = text::DecodeTime(value);
    std::string out;
    char buf[16];
    auto two = [&](int v) { std::snprintf(buf, sizeof buf, "%02d", v); out += buf; };
    for (std::size_t i = 0; i < mask.size();) {
        char c = mask[i];
        auto run = [&](char ch) { std::size_t n = 0; while (i + n < mask.size() && (mask[i + n] | 32) == ch) ++n; return n; };
        if (c == '"' || c == '\'') {
            std::size_t end = mask.find(c, i + 1);
            if (end == std::string_view::npos) end = mask.size();
            out += mask.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        char lc = static_cast<char>(c | 32);
        std::size_t n = (lc >= 'a' && lc <= 'z') ? run(lc) : 0;
        if (lc == 'd' && n) { if (n == 1) out += std::to_string(d.day); else two(d.day); i += n; continue; }
        if (lc == 'm' && n) {
            if (n == 1) out += std::to_string(d.month);
            else if (n == 2) two(d.month);
            else if (n == 3) out += fs.shortMonths[static_cast<std::size_t>(d.month - 1)];
            else out += fs.longMonths[static_cast<std::size_t>(d.month - 1)];
            i += n; continue;
        }
        if (lc == 'y' && n) { if (n <= 2) two(d.year % 100); else out += std::to_string(d.year); i += n; continue; }
        if (lc == 'h' && n) { if (n == 1) out += std::to_string(t.hour); else two(t.hour); i += n; continue; }
        if (lc == 'n' && n) { if (n == 1) out += std::to_string(t.minute); else two(t.minute); i += n; continue; }
        if (lc == 's' && n) { if (n == 1) out += std::to_string(t.second); else two(t.second); i += n; continue; }
        if (c == '/') { out += fs.dateSeparator; ++i; continue; }
        out += c;
        ++i;
    }
    return out;
}

std::string FormatValue(const Value& v, std::string_view mask, const FormatSettings& fs) {
    if (IsNull(v)) return {};
    if (mask.empty()) return ToText(v);
    if (auto* d = std::get_if<DateValue>(&v)) return FormatDateTime(mask, d->days, fs);
    if (auto* s = std::get_if<std::string>(&v)) {
        // Text that is not a number keeps its own form rather than printing as zero.
        if (s->find_first_not_of(" 0123456789.-") != std::string::npos || s->empty()) return *s;
    }
    return FormatFloat(mask, ToNumber(v), fs);
}

}  // namespace report
