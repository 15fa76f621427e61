// Day counts and civil dates, both ways, for TDateTime. Uses the proleptic Gregorian calendar
// (days_from_civil), so any date from year 1 to 9999 converts without tables.
#include "platform/1_text/datetime.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace text {
namespace {

// Day count of 1899-12-30 from 1970-01-01 in days_from_civil's numbering.
constexpr long kEpochShift = -25569;
constexpr double kMsPerDay = 86400000.0;

long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date CivilFromDays(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

// Milliseconds since 1899-12-30 00:00, rounded; the day and time split from it so that a
// value like 45000.99999999 does not decode as 24:00:00.
long long TotalMs(TDateTime value) { return std::llround(value * kMsPerDay); }

template <typename T>
bool ParseInt(std::string_view s, T& out) {
    if (s.empty()) return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day)) return std::nullopt;
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) - kEpochShift);
}

TDateTime EncodeDate(int year, int month, int day) {
    if (auto v = TryEncodeDate(year, month, day)) return *v;
    char buf[64];
    std::snprintf(buf, sizeof buf, "Fecha no válida: %02d/%02d/%04d", day, month, year);
    throw ConvertError(buf);
}

std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        return std::nullopt;
    return ((hour * 60.0 + minute) * 60.0 + second + msec / 1000.0) / 86400.0;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    if (auto v = TryEncodeTime(hour, minute, second, msec)) return *v;
    char buf[64];
    std::snprintf(buf, sizeof buf, "Hora no válida: %02d:%02d:%02d", hour, minute, second);
    throw ConvertError(buf);
}

Date DecodeDate(TDateTime value) {
    const long long ms = TotalMs(value);
    long long day = ms / 86400000LL;
    if (ms % 86400000LL < 0) --day;
    return CivilFromDays(static_cast<long>(day) + kEpochShift);
}

Time DecodeTime(TDateTime value) {
    long long ms = TotalMs(value) % 86400000LL;
    if (ms < 0) ms += 86400000LL;
    const int h = static_cast<int>(ms / 3600000);
    const int m = static_cast<int>(ms / 60000 % 60);
    const int s = static_cast<int>(ms / 1000 % 60);
    return {h, m, s, static_cast<int>(ms % 1000)};
}

TDateTime DateOf(TDateTime value) {
    const Date d = DecodeDate(value);
    return *TryEncodeDate(d.year, d.month, d.day);
}

TDateTime TimeOf(TDateTime value) {
    const Time t = DecodeTime(value);
    return *TryEncodeTime(t.hour, t.minute, t.second, t.msec);
}

TDateTime Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    return *TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           *TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                          static_cast<int>(ts.tv_nsec / 1000000));
}

TDateTime Today() { return DateOf(Now()); }

int DayOfWeek(TDateTime value) {
    // 1899-12-30 was a Saturday (7).
    long day = static_cast<long>(std::floor(DateOf(value)));
    long r = (day + 6) % 7;
    if (r < 0) r += 7;
    return static_cast<int>(r) + 1;
}

std::string ToIsoDate(TDateTime value) {
    const Date d = DecodeDate(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::string ToIsoDateTime(TDateTime value) {
    const Time t = DecodeTime(value);
    char buf[32];
    if (t.msec)
        std::snprintf(buf, sizeof buf, " %02d:%02d:%02d.%03d", t.hour, t.minute, t.second, t.msec);
    else
        std::snprintf(buf, sizeof buf, " %02d:%02d:%02d", t.hour, t.minute, t.second);
    return ToIsoDate(value) + buf;
}

std::string ToIso(TDateTime value) {
    return DecodeTime(value) == Time{} ? ToIsoDate(value) : ToIsoDateTime(value);
}

std::optional<TDateTime> FromIso(std::string_view iso) {
    auto parseTime = [](std::string_view s) -> std::optional<TDateTime> {
        int h = 0, m = 0, sec = 0, ms = 0;
        if (s.size() < 5 || s[2] != ':') return std::nullopt;
        if (!ParseInt(s.substr(0, 2), h) || !ParseInt(s.substr(3, 2), m)) return std::nullopt;
        if (s.size() > 5) {
            if (s.size() < 8 || s[5] != ':' || !ParseInt(s.substr(6, 2), sec)) return std::nullopt;
            if (s.size() > 8) {
                if (s[8] != '.' || s.size() > 12) return std::nullopt;
                std::string frac(s.substr(9));
                if (!ParseInt(std::string_view(frac), ms)) return std::nullopt;
                for (size_t i = frac.size(); i < 3; ++i) ms *= 10;
            }
        }
        return TryEncodeTime(h, m, sec, ms);
    };
    if (iso.size() >= 5 && iso[2] == ':') return parseTime(iso);
    if (iso.size() < 10 || iso[4] != '-' || iso[7] != '-') return std::nullopt;
    int y = 0, mo = 0, d = 0;
    if (!ParseInt(iso.substr(0, 4), y) || !ParseInt(iso.substr(5, 2), mo) ||
        !ParseInt(iso.substr(8, 2), d))
        return std::nullopt;
    auto date = TryEncodeDate(y, mo, d);
    if (!date || iso.size() == 10) return date;
    if (iso[10] != ' ' && iso[10] != 'T') return std::nullopt;
    auto time = parseTime(iso.substr(11));
    if (!time) return std::nullopt;
    return *date + *time;
}

}  // namespace text
