// FormatDateTime patterns and the parsing of dates and times typed by the user.
// The pattern walk follows the component library: a letter token's case does not matter, a run
// of the same letter is one token, and "m" right after an hour token means minutes, so
// "hh:mm  dd'/'mmmm'/'yyyy" prints the time and then the month's name.
#include <cctype>
#include <cstdio>
#include <ctime>

#include "platform/1_text/format.h"
#include "platform/1_text/gcc12_restrict.h"

namespace text {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view what) {
    if (text.size() - at < what.size()) return false;
    for (size_t i = 0; i < what.size(); ++i)
        if (Upper(text[at + i]) != Upper(what[i])) return false;
    return true;
}

void AppendNumber(std::string& out, int value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, value);
    out += buf;
}

class DateWriter {
public:
    DateWriter(TDateTime value, const FormatSettings& s)
        : value_(value), s_(s), date_(DecodeDate(value)), time_(DecodeTime(value)) {}

    void Write(std::string_view p, std::string& out, int depth) {
        // Nested patterns (c, ddddd, t) cannot nest further: a ShortDateFormat holding "c"
        // would otherwise recurse without end.
        if (depth > 2) return;
        char lastToken = ' ';
        bool use12Hour = false;
        size_t i = 0;
        while (i < p.size()) {
            const char c = p[i];
            char token = Upper(c);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H') token = 'N';
                lastToken = token;
            }
            size_t count = 1;
            while (i + count < p.size() && p[i + count] == c) ++count;
            switch (token) {
            case 'Y':
                if (count <= 2) AppendNumber(out, date_.year % 100, 2);
                else AppendNumber(out, date_.year, 4);
                i += count;
                break;
            case 'M':
                if (count <= 2) AppendNumber(out, date_.month, static_cast<int>(count));
                else if (count == 3) out += s_.ShortMonthNames[date_.month - 1];
                else out += s_.LongMonthNames[date_.month - 1];
                i += count;
                break;
            case 'D':
                if (count <= 2) AppendNumber(out, date_.day, static_cast<int>(count));
                else if (count == 3) out += s_.ShortDayNames[DayOfWeek(value_) - 1];
                else if (count == 4) out += s_.LongDayNames[DayOfWeek(value_) - 1];
                else if (count == 5) Write(s_.ShortDateFormat, out, depth + 1);
                else Write(s_.LongDateFormat, out, depth + 1);
                i += count;
                break;
            case 'H': {
                use12Hour = use12Hour || TwelveHourAhead(p, i + count);
                int h = time_.hour;
                if (use12Hour) h = h == 0 ? 12 : (h > 12 ? h - 12 : h);
                AppendNumber(out, h, count >= 2 ? 2 : 1);
                i += count;
                break;
            }
            case 'N':
                AppendNumber(out, time_.minute, count >= 2 ? 2 : 1);
                i += count;
                break;
            case 'S':
                AppendNumber(out, time_.second, count >= 2 ? 2 : 1);
                i += count;
                break;
            case 'Z':
                AppendNumber(out, time_.msec, count >= 3 ? 3 : static_cast<int>(count));
                i += count;
                break;
            case 'T':
                Write(count == 1 ? s_.ShortTimeFormat : s_.LongTimeFormat, out, depth + 1);
                i += count;
                break;
            case 'C': {
                // A bare time (day 0) prints the time alone; a bare date the date alone.
                const bool hasDate = date_ != Date{1899, 12, 30};
                const bool hasTime = time_ != Time{};
                if (hasDate || !hasTime) Write(s_.ShortDateFormat, out, depth + 1);
                if (hasTime) {
                    if (hasDate) out += ' ';
                    Write(s_.LongTimeFormat, out, depth + 1);
                }
                i += count;
                break;
            }
            case 'A':
                i += WriteAmPm(p, i, out);
                break;
            case '/':
                out += s_.DateSeparator;
                ++i;
                break;
            case ':':
                out += s_.TimeSeparator;
                ++i;
                break;
            case '\'':
            case '"': {
                const size_t close = p.find(c, i + 1);
                const size_t end = close == std::string_view::npos ? p.size() : close;
                out.append(p.substr(i + 1, end - i - 1));
                i = close == std::string_view::npos ? p.size() : close + 1;
                break;
            }
            default:
                out += c;
                ++i;
                break;
            }
        }
    }

private:
    // An hour token prints on the 12-hour clock when an am/pm marker follows it before the
    // next hour token, quoted text skipped.
    static bool TwelveHourAhead(std::string_view p, size_t from) {
        bool quoted = false;
        char quote = 0;
        for (size_t j = from; j < p.size(); ++j) {
            const char c = p[j];
            if (quoted) {
                if (c == quote) quoted = false;
                continue;
            }
            if (c == '\'' || c == '"') {
                quoted = true;
                quote = c;
            } else if (c == 'a' || c == 'A') {
                return StartsWithNoCase(p, j, "am/pm") || StartsWithNoCase(p, j, "a/p") ||
                       StartsWithNoCase(p, j, "ampm");
            } else if (c == 'h' || c == 'H') {
                return false;
            }
        }
        return false;
    }

    // Returns how many pattern characters it consumed.
    size_t WriteAmPm(std::string_view p, size_t i, std::string& out) {
        const bool pm = time_.hour >= 12;
        if (StartsWithNoCase(p, i, "am/pm")) {
            out.append(p.substr(pm ? i + 3 : i, 2));
            return 5;
        }
        if (StartsWithNoCase(p, i, "a/p")) {
            out += p[pm ? i + 2 : i];
            return 3;
        }
        if (StartsWithNoCase(p, i, "ampm")) {
            out += pm ? s_.TimePMString : s_.TimeAMString;
            return 4;
        }
        if (StartsWithNoCase(p, i, "aaaa")) {
            out += s_.LongDayNames[DayOfWeek(value_) - 1];
            return 4;
        }
        if (StartsWithNoCase(p, i, "aaa")) {
            out += s_.ShortDayNames[DayOfWeek(value_) - 1];
            return 3;
        }
        out += p[i];
        return 1;
    }

    TDateTime value_;
    const FormatSettings& s_;
    Date date_;
    Time time_;
};

// ---- Parsing ------------------------------------------------------------------------------------

struct Scanner {
    std::string_view text;
    size_t pos = 0;

    void SkipBlanks() {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos == text.size();
    }
    // Up to maxDigits digits after optional blanks; the number of digits read goes to *digits.
    bool Number(int& value, int* digits, int maxDigits) {
        SkipBlanks();
        const size_t start = pos;
        value = 0;
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) &&
               static_cast<int>(pos - start) < maxDigits + 1) {
            value = value * 10 + (text[pos] - '0');
            ++pos;
        }
        const int n = static_cast<int>(pos - start);
        if (digits) *digits = n;
        return n >= 1 && n <= maxDigits;
    }
    bool Char(char c) {
        SkipBlanks();
        if (pos < text.size() && text[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    bool Word(std::string_view w) {
        SkipBlanks();
        if (w.empty() || !StartsWithNoCase(text, pos, w)) return false;
        pos += w.size();
        return true;
    }
};

enum class DateOrder { DMY, MDY, YMD };

DateOrder OrderOf(std::string_view shortDate) {
    for (char c : shortDate) {
        switch (Upper(c)) {
        case 'D': return DateOrder::DMY;
        case 'M': return DateOrder::MDY;
        case 'Y': return DateOrder::YMD;
        default: break;
        }
    }
    return DateOrder::DMY;
}

int CurrentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm.tm_year + 1900;
}

// A two-digit year falls in the hundred years that start TwoDigitYearCenturyWindow years ago.
int ExpandYear(int year, const FormatSettings& s) {
    const int base = CurrentYear() - s.TwoDigitYearCenturyWindow;
    year += base / 100 * 100;
    if (s.TwoDigitYearCenturyWindow > 0 && year < base) year += 100;
    return year;
}

std::optional<TDateTime> ScanDate(Scanner& sc, const FormatSettings& s) {
    int n1 = 0, n2 = 0, n3 = 0, d1 = 0, d2 = 0, d3 = 0;
    const DateOrder order = OrderOf(s.ShortDateFormat);
    const int max1 = order == DateOrder::YMD ? 4 : 2;
    if (!sc.Number(n1, &d1, max1) || !sc.Char(s.DateSeparator)) return std::nullopt;
    if (!sc.Number(n2, &d2, 2)) return std::nullopt;
    int y = 0, m = 0, d = 0, yearDigits = 0;
    const size_t afterTwo = sc.pos;
    const bool three = sc.Char(s.DateSeparator);
    if (three) {
        if (!sc.Number(n3, &d3, order == DateOrder::YMD ? 2 : 4)) return std::nullopt;
        switch (order) {
        case DateOrder::DMY: d = n1, m = n2, y = n3, yearDigits = d3; break;
        case DateOrder::MDY: m = n1, d = n2, y = n3, yearDigits = d3; break;
        case DateOrder::YMD: y = n1, m = n2, d = n3, yearDigits = d1; break;
        }
        if (order == DateOrder::YMD && d1 > 2 && d3 > 2) return std::nullopt;
        if (yearDigits != 2 && yearDigits != 4) return std::nullopt;
        if (yearDigits == 2) y = ExpandYear(y, s);
    } else {
        sc.pos = afterTwo;
        if (d1 > 2) return std::nullopt;
        y = CurrentYear();
        if (order == DateOrder::MDY || order == DateOrder::YMD) m = n1, d = n2;
        else d = n1, m = n2;
    }
    return TryEncodeDate(y, m, d);
}

std::optional<TDateTime> ScanTime(Scanner& sc, const FormatSettings& s) {
    int h = 0, n = 0, sec = 0, ms = 0, digits = 0;
    if (!sc.Number(h, &digits, 2)) return std::nullopt;
    bool hasMinutes = false;
    if (sc.Char(s.TimeSeparator)) {
        if (!sc.Number(n, &digits, 2)) return std::nullopt;
        hasMinutes = true;
        if (sc.Char(s.TimeSeparator)) {
            if (!sc.Number(sec, &digits, 2)) return std::nullopt;
            if (sc.Char('.') || (s.DecimalSeparator != '.' && sc.Char(s.DecimalSeparator))) {
                if (!sc.Number(ms, &digits, 3)) return std::nullopt;
                for (int i = digits; i < 3; ++i) ms *= 10;
            }
        }
    }
    int half = -1;  // 0 am, 1 pm
    if (sc.Word(s.TimeAMString) || sc.Word("am") || sc.Word("a.m.")) half = 0;
    else if (sc.Word(s.TimePMString) || sc.Word("pm") || sc.Word("p.m.")) half = 1;
    if (half < 0 && !hasMinutes) return std::nullopt;
    if (half >= 0) {
        if (h < 1 || h > 12) return std::nullopt;
        if (h == 12) h = 0;
        if (half == 1) h += 12;
    }
    return TryEncodeTime(h, n, sec, ms);
}

GCC12_FALSE_RESTRICT_BEGIN
std::string Quoted(std::string_view text, const char* what) {
    return "'" + std::string(text) + "' " + what;
}
GCC12_FALSE_RESTRICT_END

}  // namespace

std::string FormatDateTime(std::string_view pattern, TDateTime value, const FormatSettings& s) {
    // Day counts of 0001-01-01 and of the day after 9999-12-31: beyond them the calendar
    // arithmetic would overflow, and no stored date of the product lies there.
    if (!(value >= -693593.0 && value < 2958466.0)) return {};
    std::string out;
    DateWriter(value, s).Write(pattern.empty() ? std::string_view("c") : pattern, out, 0);
    return out;
}

std::string DateToStr(TDateTime value, const FormatSettings& s) {
    return FormatDateTime(s.ShortDateFormat, value, s);
}

std::string TimeToStr(TDateTime value, const FormatSettings& s) {
    return FormatDateTime(s.LongTimeFormat, value, s);
}

std::string DateTimeToStr(TDateTime value, const FormatSettings& s) {
    return FormatDateTime("c", value, s);
}

std::optional<TDateTime> TryStrToDate(std::string_view text, const FormatSettings& s) {
    Scanner sc{text};
    auto v = ScanDate(sc, s);
    if (!v || !sc.AtEnd()) return std::nullopt;
    return v;
}

TDateTime StrToDate(std::string_view text, const FormatSettings& s) {
    if (auto v = TryStrToDate(text, s)) return *v;
    throw ConvertError(Quoted(text, "no es una fecha válida"));
}

std::optional<TDateTime> TryStrToTime(std::string_view text, const FormatSettings& s) {
    Scanner sc{text};
    auto v = ScanTime(sc, s);
    if (!v || !sc.AtEnd()) return std::nullopt;
    return v;
}

TDateTime StrToTime(std::string_view text, const FormatSettings& s) {
    if (auto v = TryStrToTime(text, s)) return *v;
    throw ConvertError(Quoted(text, "no es una hora válida"));
}

std::optional<TDateTime> TryStrToDateTime(std::string_view text, const FormatSettings& s) {
    Scanner sc{text};
    if (auto date = ScanDate(sc, s)) {
        if (sc.AtEnd()) return date;
        auto time = ScanTime(sc, s);
        if (!time || !sc.AtEnd()) return std::nullopt;
        return *date + *time;
    }
    return TryStrToTime(text, s);
}

TDateTime StrToDateTime(std::string_view text, const FormatSettings& s) {
    if (auto v = TryStrToDateTime(text, s)) return *v;
    throw ConvertError(Quoted(text, "no es una fecha y hora válida"));
}

}  // namespace text
