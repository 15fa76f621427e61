#include "platform/1_text/datetime.h"

#include <gtest/gtest.h>

using namespace text;

TEST(DateTime, KnownDayCounts) {
    struct Case { int y, m, d; double serial; const char* why; };
    constexpr Case kCases[] = {
        {1899, 12, 30, 0, "the epoch"},
        {1900, 1, 1, 2, "no phantom 29 Feb 1900"},
        {2000, 1, 1, 36526, "leap century"},
        {2002, 5, 29, 37405, "the product's own example day"},
        {2026, 12, 11, 46367, "today"},
        {1899, 12, 29, -1, "before the epoch"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.why;
        EXPECT_EQ(DecodeDate(c.serial), (Date{c.y, c.m, c.d})) << c.why;
    }
}

TEST(DateTime, InvalidDatesAreRejected) {
    EXPECT_FALSE(TryEncodeDate(2024, 2, 30));
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29));
    EXPECT_TRUE(TryEncodeDate(2024, 2, 29));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1));
    EXPECT_THROW(EncodeDate(2024, 2, 31), ConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0), ConvertError);
}

TEST(DateTime, TimeRoundsToTheMillisecondWithoutSpillingIntoTheNextDay) {
    const TDateTime almostMidnight = EncodeDate(2026, 1, 1) + 0.99999999999;
    EXPECT_EQ(DecodeDate(almostMidnight), (Date{2026, 1, 2}));
    EXPECT_EQ(DecodeTime(almostMidnight), (Time{0, 0, 0, 0}));
    EXPECT_EQ(DecodeTime(EncodeTime(13, 45, 7, 250)), (Time{13, 45, 7, 250}));
}

TEST(DateTime, DayOfWeekStartsOnSunday) {
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 13)), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 11)), 6);  // Friday
    EXPECT_EQ(DayOfWeek(0), 7);                         // 1899-12-30, Saturday
}

TEST(DateTime, IsoRoundTrip) {
    struct Case { const char* iso; const char* back; };
    constexpr Case kCases[] = {
        {"2026-05-29", "2026-05-29"},
        {"2026-05-29 13:45:00", "2026-05-29 13:45:00"},
        {"2026-05-29T08:05", "2026-05-29 08:05:00"},
        {"2026-05-29 23:59:59.5", "2026-05-29 23:59:59.500"},
    };
    for (const auto& c : kCases) {
        auto v = FromIso(c.iso);
        ASSERT_TRUE(v) << c.iso;
        EXPECT_EQ(ToIso(*v), c.back) << c.iso;
    }
    EXPECT_FALSE(FromIso("2026-02-30"));
    EXPECT_FALSE(FromIso("29/05/2026"));
    EXPECT_FALSE(FromIso("2026-05-29 25:00"));
    EXPECT_FALSE(FromIso(""));
}
