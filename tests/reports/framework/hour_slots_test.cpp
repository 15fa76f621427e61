// Slots within days as tables of cases: the boundaries, midnight, the day's last second.
#include "reports/framework/hour_slots.h"

#include <gtest/gtest.h>

namespace {

using namespace reportes;
using text::EncodeDate;
using text::EncodeTime;

const text::TDateTime kDia = EncodeDate(2026, 3, 10);

std::string Hora(text::TDateTime t) { return text::ToIsoDateTime(t).substr(11); }

// "HH:MM:SS-HH:MM:SS" of the first, second and last slot, and the count.
std::string Resumen(const std::vector<Franja>& fs) {
    if (fs.empty()) return "0";
    std::string out = std::to_string(fs.size());
    for (size_t i : {size_t{0}, size_t{1}, fs.size() - 1})
        if (i < fs.size()) out += " " + Hora(fs[i].ini) + "-" + Hora(fs[i].fin);
    return out;
}

TEST(FranjasDelDia, SlotsOfADay) {
    struct Case { int h1, m1, h2, m2, minutos; const char* out; const char* why; };
    const Case kCases[] = {
        {0, 0, 23, 59, 60, "24 00:00:00-01:00:00 01:00:01-02:00:00 23:00:01-23:59:59.999",
         "the whole day by hour: midnight in the first slot, the last second in the last"},
        {10, 0, 12, 30, 60, "3 10:00:00-11:00:00 11:00:01-12:00:00 12:00:01-12:30:00", "a range ending inside a slot"},
        {0, 0, 23, 59, 15, "96 00:00:00-00:15:00 00:15:01-00:30:00 23:45:01-23:59:59.999", "quarters of an hour"},
        {8, 0, 9, 0, 120, "1 08:00:00-09:00:00 08:00:00-09:00:00", "a slot longer than the range"},
        {12, 0, 11, 0, 60, "0", "an initial time after the final: no slot"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(Resumen(FranjasDelDia(kDia, EncodeTime(c.h1, c.m1, 0), EncodeTime(c.h2, c.m2, 0), c.minutos)), c.out)
            << c.why;
}

TEST(FranjasDelDia, EveryInstantOfTheRangeHasOneSlot) {
    const auto fs = FranjasDelDia(kDia, EncodeTime(0, 0, 0), EncodeTime(23, 59, 0), 60);
    struct Case { text::TDateTime momento; int slot; const char* why; };
    const Case kCases[] = {
        {kDia, 0, "midnight"},
        {kDia + EncodeTime(1, 0, 0), 0, "a boundary belongs to the slot it ends"},
        {kDia + EncodeTime(1, 0, 0, 500), 1, "half a second after a boundary: no gap"},
        {kDia + EncodeTime(23, 59, 30), 23, "the day's last minute"},
        {kDia + EncodeTime(23, 59, 59, 999), 23, "the day's last millisecond"},
        {kDia - EncodeTime(0, 0, 1), -1, "the day before"},
        {kDia + 1, -1, "the next midnight"},
    };
    for (const auto& c : kCases) {
        const auto slot = FranjaDe(fs, c.momento);
        EXPECT_EQ(slot ? static_cast<int>(*slot) : -1, c.slot) << c.why;
    }
}

TEST(FranjasPorHora, HourlySlotsOfEachDayOfAWeek) {
    struct Case { int h1, m1, h2, m2; const char* out; const char* why; };
    const Case kCases[] = {
        {8, 0, 13, 59, "42 08:00:00-08:59:59.999 09:00:00-09:59:59.999 13:00:00-13:58:59.999",
         "six hours a day, the last one ending before 13:59"},
        {8, 0, 14, 0, "42 08:00:00-08:59:59.999 09:00:00-09:59:59.999 13:00:00-13:59:59.999", "six full hours, no hour 14"},
        {0, 0, 23, 59, "168 00:00:00-00:59:59.999 01:00:00-01:59:59.999 23:00:00-23:59:59.999",
         "the whole day: midnight and the last minute counted"},
        {14, 0, 8, 0, "0", "start after end: no slot"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(Resumen(FranjasPorHora(kDia, 7, EncodeTime(c.h1, c.m1, 0), EncodeTime(c.h2, c.m2, 0))), c.out) << c.why;
    const auto fs = FranjasPorHora(kDia, 7, EncodeTime(8, 0, 0), EncodeTime(14, 0, 0));
    EXPECT_EQ(text::ToIsoDateTime(fs.back().ini), "2026-03-16 13:00:00") << "the seventh day";
}

}  // namespace
