// Number and date texts in the locale's separators and the short formats; case folding.
#include "notes/locale.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace notix {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

[[noreturn]] void Bad(std::string_view text, const char* what) {
    throw text::ConvertError("\"" + std::string(text) + "\" no es " + what);
}

// The order of day, month and year in a short date format, and its separator.
struct DateOrder {
    char order[3] = {'d', 'm', 'y'};
    char separator = '/';
};

DateOrder OrderOf(const std::string& format) {
    DateOrder o;
    int k = 0;
    char last = 0;
    for (char c : format) {
        char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (l == 'd' || l == 'm' || l == 'y') {
            if (l != last && k < 3) o.order[k++] = l;
        } else {
            o.separator = c;
        }
        last = l;
    }
    return o;
}

std::vector<int> Numbers(std::string_view s, char separator, std::string_view whole,
                         const char* what) {
    std::vector<int> out;
    while (true) {
        auto cut = s.find(separator);
        std::string_view part = s.substr(0, cut);
        int v = 0;
        auto [p, ec] = std::from_chars(part.data(), part.data() + part.size(), v);
        if (part.empty() || ec != std::errc() || p != part.data() + part.size() || v < 0)
            Bad(whole, what);
        out.push_back(v);
        if (cut == std::string_view::npos) break;
        s.remove_prefix(cut + 1);
    }
    return out;
}

std::string Two(int v) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

// One code point from s at i for folding; Latin-1 capitals (two bytes C3 80..9E) fold to
// their small letters.
void AppendFolded(std::string& out, std::string_view s, std::size_t& i) {
    unsigned char c = s[i];
    if (c < 0x80) {
        out += static_cast<char>(std::tolower(c));
        ++i;
    } else if (c == 0xC3 && i + 1 < s.size()) {
        unsigned char d = s[i + 1];
        out += static_cast<char>(c);
        out += static_cast<char>(d >= 0x80 && d <= 0x9E && d != 0x97 ? d + 0x20 : d);
        i += 2;
    } else {
        out += static_cast<char>(c);
        ++i;
    }
}

std::string Folded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) AppendFolded(out, s, i);
    return out;
}

}  // namespace

long long StrToInt(std::string_view text) {
    std::string_view t = Trim(text);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    long long v = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || p != t.data() + t.size())
        Bad(text, "un valor entero válido");
    return v;
}

std::string IntToStr(long long value) { return std::to_string(value); }

double StrToFloat(std::string_view text, const TFormatSettings& fs) {
    std::string t(Trim(text));
    for (auto& c : t) {
        if (c == fs.DecimalSeparator)
            c = '.';
        else if (c == '.')
            c = '\x01';  // a dot that is not the separator is not part of a number
    }
    std::string_view v = t;
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    // "1." and ".5" are numbers too.
    std::string body(v);
    if (!body.empty() && body.back() == '.') body.pop_back();
    double out = 0;
    auto [p, ec] = std::from_chars(body.data(), body.data() + body.size(), out);
    if (body.empty() || ec != std::errc() || p != body.data() + body.size() || !std::isfinite(out))
        Bad(text, "un valor de punto flotante válido");
    return out;
}

std::string FloatToStr(double value, const TFormatSettings& fs) {
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, value);
    std::string s(buf, p);
    for (auto& c : s)
        if (c == '.') c = fs.DecimalSeparator;
    return s;
}

text::TDateTime StrToDateTime(std::string_view textIn, const TFormatSettings& fs) {
    std::string_view t = Trim(textIn);
    std::string_view datePart = t, timePart;
    if (auto sp = t.find(' '); sp != std::string_view::npos) {
        datePart = t.substr(0, sp);
        timePart = Trim(t.substr(sp + 1));
    } else if (t.find(':') != std::string_view::npos) {
        datePart = {};
        timePart = t;
    }
    text::TDateTime result = 0;
    try {
        if (!datePart.empty()) {
            DateOrder o = OrderOf(fs.ShortDateFormat);
            auto n = Numbers(datePart, o.separator, textIn, "una fecha válida");
            if (n.size() != 3) Bad(textIn, "una fecha válida");
            int d = 0, m = 0, y = 0;
            for (int k = 0; k < 3; ++k)
                (o.order[k] == 'd' ? d : o.order[k] == 'm' ? m : y) = n[k];
            if (y < 100) y += 2000;
            result = text::EncodeDate(y, m, d);
        }
        if (!timePart.empty()) {
            auto n = Numbers(timePart, ':', textIn, "una hora válida");
            if (n.size() < 2 || n.size() > 3) Bad(textIn, "una hora válida");
            result += text::EncodeTime(n[0], n[1], n.size() > 2 ? n[2] : 0);
        }
    } catch (const text::ConvertError&) {
        Bad(textIn, "una fecha y hora válida");
    }
    if (datePart.empty() && timePart.empty()) Bad(textIn, "una fecha y hora válida");
    return result;
}

std::string DateTimeToStr(text::TDateTime value, const TFormatSettings& fs) {
    text::Date d = text::DecodeDate(value);
    DateOrder o = OrderOf(fs.ShortDateFormat);
    std::string out;
    for (int k = 0; k < 3; ++k) {
        if (k) out += o.separator;
        out += o.order[k] == 'd' ? Two(d.day) : o.order[k] == 'm' ? Two(d.month)
                                                                   : std::to_string(d.year);
    }
    text::Time t = text::DecodeTime(value);
    if (t.hour || t.minute || t.second)
        out += " " + Two(t.hour) + ":" + Two(t.minute) + ":" + Two(t.second);
    return out;
}

bool SameText(std::string_view a, std::string_view b) { return Folded(a) == Folded(b); }

std::size_t Utf8Length(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string Utf8Left(std::string_view s, std::size_t n) {
    std::size_t i = 0, count = 0;
    while (i < s.size()) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (count == n) break;
            ++count;
        }
        ++i;
    }
    return std::string(s.substr(0, i));
}

}  // namespace notix
