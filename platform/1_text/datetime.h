// Calendar arithmetic on TDateTime: a double counting days from 30 December 1899, the time of
// day as the fraction. The product's tables, criteria and heading all speak in this type.
// Not here: formatting and parsing with the locale's names and patterns (format.h).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace text {

using TDateTime = double;

// Raised for a date or time that does not exist ("31/02/2024", hour 25). Its message is the
// Spanish text the user sees.
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Date {
    int year = 0, month = 0, day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

struct Time {
    int hour = 0, minute = 0, second = 0, msec = 0;
    friend bool operator==(const Time&, const Time&) = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12
bool IsValidDate(int year, int month, int day);

std::optional<TDateTime> TryEncodeDate(int year, int month, int day);
TDateTime EncodeDate(int year, int month, int day);  // throws ConvertError
std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int msec = 0);
TDateTime EncodeTime(int hour, int minute, int second, int msec = 0);  // throws ConvertError

Date DecodeDate(TDateTime value);
Time DecodeTime(TDateTime value);  // rounded to the millisecond

TDateTime DateOf(TDateTime value);  // the day, time dropped
TDateTime TimeOf(TDateTime value);  // the time of day only

// The machine's local date and time now, and today with no time of day.
TDateTime Now();
TDateTime Today();

// 1 for Sunday through 7 for Saturday, as the product's week arithmetic expects.
int DayOfWeek(TDateTime value);

// ISO-8601 text as the tables store it: "2026-05-29" or "2026-05-29 13:45:00" (seconds always,
// milliseconds only when non-zero). A value with no time of day writes the date alone.
std::string ToIsoDate(TDateTime value);
std::string ToIsoDateTime(TDateTime value);
std::string ToIso(TDateTime value);  // date alone when there is no time of day
// Accepts "YYYY-MM-DD", with " HH:MM[:SS[.mmm]]" or "THH:MM..." after it, or "HH:MM[:SS]" alone.
std::optional<TDateTime> FromIso(std::string_view iso);

}  // namespace text
