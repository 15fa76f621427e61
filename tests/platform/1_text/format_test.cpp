#include "platform/1_text/format.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace text;

namespace {

const FormatSettings kMx;  // Mexican Spanish, built here rather than taken from the global

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
}

}  // namespace

TEST(FormatDateTime, PatternsTheReportsUse) {
    struct Case { const char* pattern; TDateTime value; const char* expected; };
    const Case kCases[] = {
        {"dd'/'mmmm'/'yyyy", At(2026, 3, 5), "05/marzo/2026"},
        {"dd'/'mmm'/'yyyy", At(2026, 12, 11), "11/dic/2026"},
        {"hh:mm  dd'/'mmmm'/'yyyy", At(2026, 8, 1, 9, 7), "09:07  01/agosto/2026"},
        {"dd/mm/yy h:nn", At(2026, 1, 2, 14, 5), "02/01/26 14:05"},
        {"mm/dd/yyyy", At(2026, 1, 2), "01/02/2026"},
        {"hh:mm", At(2026, 1, 2, 23, 59), "23:59"},
        {" dd'/'mmm", At(2026, 5, 9), " 09/may"},
        {"d/m/yyyy", At(2026, 5, 9), "9/5/2026"},
        {"dddd d \"de\" mmmm", At(2026, 12, 16), "miércoles 16 de diciembre"},
        {"ddd", At(2026, 12, 13), "dom"},
        {"ddddd", At(2026, 12, 13), "13/12/2026"},
        {"dddddd", At(2026, 12, 13), "domingo, 13 de diciembre de 2026"},
        {"c", At(2026, 12, 13), "13/12/2026"},
        {"c", At(2026, 12, 13, 8, 30, 15), "13/12/2026 08:30:15"},
        {"", At(2026, 12, 13, 8, 30, 15), "13/12/2026 08:30:15"},
        {"c", EncodeTime(8, 30, 15), "08:30:15"},
        {"c", 0, "30/12/1899"},
        {"h:nn am/pm", At(2026, 1, 1, 0, 5), "12:05 am"},
        {"h:nn AM/PM", At(2026, 1, 1, 13, 5), "1:05 PM"},
        {"hh:nn ampm", At(2026, 1, 1, 18, 0), "06:00 p.m."},
        {"h:nn a/p", At(2026, 1, 1, 11, 0), "11:00 a"},
        {"hh:nn:ss.zzz", At(2026, 1, 1, 1, 2, 3, 45), "01:02:03.045"},
        {"'Hoy es' dddd", At(2026, 12, 11), "Hoy es viernes"},
        {"yyyy-mm-dd", At(2026, 12, 11), "2026-12-11"},
        {"MMMM", At(2026, 1, 1), "enero"},
        {"'sin cierre", At(2026, 1, 1), "sin cierre"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(FormatDateTime(c.pattern, c.value, kMx), c.expected) << c.pattern;
}

TEST(FormatDateTime, ValuesOutsideTheCalendarPrintNothing) {
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", 1e300, kMx), "");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", -1e12, kMx), "");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", std::nan(""), kMx), "");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", EncodeDate(9999, 12, 31), kMx), "31/12/9999");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", EncodeDate(1, 1, 1), kMx), "01/01/0001");
}

TEST(FormatDateTime, MonthNamesAllTwelve) {
    const char* kLong[] = {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio",
                           "agosto", "septiembre", "octubre", "noviembre", "diciembre"};
    const char* kShort[] = {"ene", "feb", "mar", "abr", "may", "jun",
                            "jul", "ago", "sep", "oct", "nov", "dic"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(FormatDateTime("mmmm", At(2026, m, 1), kMx), kLong[m - 1]) << m;
        EXPECT_EQ(FormatDateTime("mmm", At(2026, m, 1), kMx), kShort[m - 1]) << m;
    }
}

TEST(FormatDateTime, SeparatorsComeFromTheSettings) {
    FormatSettings s;
    s.DateSeparator = '-';
    s.TimeSeparator = '.';
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", At(2026, 5, 9, 7, 4), s), "09-05-2026 07.04");
    EXPECT_EQ(FormatDateTime("dd'/'mm", At(2026, 5, 9), s), "09/05");
}

TEST(StrToDate, DayFirstWithShortYearsAndBlanks) {
    struct Case { const char* text; const char* iso; };
    constexpr Case kCases[] = {
        {"31/12/2024", "2024-12-31"},
        {"1/2/2024", "2024-02-01"},
        {"01/02/24", "2024-02-01"},
        {" 5 / 6 / 2025 ", "2025-06-05"},
        {"29/02/2024", "2024-02-29"},
        {"15/08/1999", "1999-08-15"},
    };
    for (const auto& c : kCases) {
        auto v = TryStrToDate(c.text, kMx);
        ASSERT_TRUE(v) << c.text;
        EXPECT_EQ(ToIsoDate(*v), c.iso) << c.text;
    }
}

TEST(StrToDate, RejectsWhatIsNotARealDate) {
    constexpr const char* kBad[] = {"31/02/2024", "29/02/2023", "12/13/2024", "00/01/2024",
                                    "1/1/202",    "1/1/20245",  "",           "hoy",
                                    "01-02-2024", "01/02/2024x", "123/1/2024"};
    for (const char* text : kBad) EXPECT_FALSE(TryStrToDate(text, kMx)) << text;
    try {
        StrToDate("31/02/2024", kMx);
        FAIL() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'31/02/2024' no es una fecha válida");
    }
}

TEST(StrToDate, FollowsTheShortDateOrder) {
    FormatSettings us;
    us.ShortDateFormat = "mm/dd/yyyy";
    EXPECT_EQ(ToIsoDate(StrToDate("02/01/2024", us)), "2024-02-01");
    EXPECT_EQ(ToIsoDate(StrToDate("02/01/2024", kMx)), "2024-01-02");
    FormatSettings iso;
    iso.ShortDateFormat = "yyyy-mm-dd";
    iso.DateSeparator = '-';
    EXPECT_EQ(ToIsoDate(StrToDate("2024-02-01", iso)), "2024-02-01");
}

TEST(StrToDate, TwoDigitYearsFollowTheWindow) {
    // The window is counted back from the current year: with 50, "99" is 1999 until 2049 and
    // "05" is 2005 until 2055.
    FormatSettings s;
    s.TwoDigitYearCenturyWindow = 50;
    EXPECT_EQ(DecodeDate(StrToDate("01/01/99", s)).year, 1999);
    EXPECT_EQ(DecodeDate(StrToDate("01/01/05", s)).year, 2005);
}

TEST(StrToTime, TwentyFourAndTwelveHourClocks) {
    struct Case { const char* text; int h, m, s; };
    constexpr Case kCases[] = {
        {"13:45", 13, 45, 0}, {"8:05:09", 8, 5, 9}, {"1:45 p.m.", 13, 45, 0},
        {"12:00 am", 0, 0, 0}, {"3 pm", 15, 0, 0},   {" 23:59:59 ", 23, 59, 59},
    };
    for (const auto& c : kCases) {
        auto v = TryStrToTime(c.text, kMx);
        ASSERT_TRUE(v) << c.text;
        EXPECT_EQ(DecodeTime(*v), (Time{c.h, c.m, c.s, 0})) << c.text;
    }
    for (const char* bad : {"24:00", "13", "12:60", "13:00 pm", "ab"})
        EXPECT_FALSE(TryStrToTime(bad, kMx)) << bad;
    EXPECT_THROW(StrToTime("25:00", kMx), ConvertError);
}

TEST(StrToDateTime, DateTimeOrEither) {
    EXPECT_EQ(ToIso(StrToDateTime("02/01/2026 14:05", kMx)), "2026-01-02 14:05:00");
    EXPECT_EQ(ToIso(StrToDateTime("02/01/2026", kMx)), "2026-01-02");
    EXPECT_EQ(DecodeTime(StrToDateTime("14:05", kMx)), (Time{14, 5, 0, 0}));
    EXPECT_THROW(StrToDateTime("02/01/2026 25:00", kMx), ConvertError);
    EXPECT_EQ(DateToStr(At(2026, 1, 2), kMx), "02/01/2026");
    EXPECT_EQ(TimeToStr(At(2026, 1, 2, 7, 8, 9), kMx), "07:08:09");
    EXPECT_EQ(DateTimeToStr(At(2026, 1, 2, 7, 8, 9), kMx), "02/01/2026 07:08:09");
}

TEST(FormatFloat, MasksTheReportsBuild) {
    struct Case { const char* mask; double value; const char* expected; const char* why; };
    constexpr Case kCases[] = {
        {"#0.00", 2.675, "2.68", "half away from zero on the decimal value"},
        {"#0.00", 1.005, "1.01", "another binary near-half"},
        {"#0.00", -2.675, "-2.68", "negative half"},
        {"#0.", 0.5, "1", "no decimals, half up"},
        {"#0.", -0.5, "-1", "no decimals, negative half"},
        {"#0.", 12.4, "12", "no separator without decimals"},
        {"#0.00", 0, "0.00", "zero keeps forced digits"},
        {"#0.00", -0.001, "0.00", "rounds to zero: no sign"},
        {"#0.000", 3, "3.000", "quantity with three decimals"},
        {"$ ###,##0.00", 1234.5, "$ 1,234.50", "money with thousands"},
        {"$ ###,##0.00", -1234.5, "-$ 1,234.50", "sign before the literal"},
        {"$ ###,##0.00", 1234567.891, "$ 1,234,567.89", "more digits than places"},
        {"$ ###,##0.00", 0.07, "$ 0.07", "below one"},
        {"$ ###,##0.00", 999.995, "$ 1,000.00", "rounding carries into thousands"},
        {"$ #0.00", 1234.5, "$ 1234.50", "money without thousands"},
        {" ###,##0.00", 12, " 12.00", "leading blank literal"},
        {"#,##0", 1234567, "1,234,567", "thousands, no decimals"},
        {"#.##", 0.5, ".5", "optional digits only"},
        {"#.##", 2, "2", "optional decimals dropped"},
        {"0.0#", 1.5, "1.5", "optional second decimal"},
        {"0.0#", 1.25, "1.25", "optional second decimal used"},
        {"000", 7, "007", "forced integer digits"},
        {"00-00", 1234, "12-34", "literal between digits"},
        {"#0.00 'kg'", 3.5, "3.50 kg", "quoted literal"},
        {"\"Total: \"#0", 3, "Total: 3", "double-quoted literal"},
        {"#0.00;(#0.00)", -3.5, "(3.50)", "negative section, no sign"},
        {"#0.00;(#0.00);'cero'", 0, "cero", "zero section"},
        {"#0.00;(#0.00);'cero'", 0.001, "cero", "zero after rounding"},
        {"#0.00;;'cero'", -3.5, "-3.50", "empty negative section falls back"},
        {"#0.00", 1e15, "1000000000000000.00", "large value"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(FormatFloat(c.mask, c.value, kMx), c.expected) << c.mask << " " << c.why;
}

TEST(FormatFloat, SeparatorsComeFromTheSettings) {
    FormatSettings eu;
    eu.ThousandSeparator = '.';
    eu.DecimalSeparator = ',';
    EXPECT_EQ(FormatFloat("###,##0.00", 1234.5, eu), "1.234,50");
    EXPECT_EQ(FormatFloat("", 2.5, eu), "2,5");
}

TEST(Format, SpecifiersTheReportsUse) {
    struct Case { const char* fmt; std::string expected; std::string got; };
    const Case kCases[] = {
        {"%m", "$1,234.50", Format("%m", {1234.5}, kMx)},
        {"%m neg", "-$1,234.50", Format("%m", {-1234.5}, kMx)},
        {"%m int", "$0.00", Format("%m", {0}, kMx)},
        {"%-14.2f|", "12.50         |", Format("%-14.2f|", {12.5}, kMx)},
        {"$ %-14.2f", "$ 1234.57       ", Format("$ %-14.2f", {1234.567}, kMx)},
        {"%14.2f unidades ", "         12.50 unidades ", Format("%14.2f unidades ", {12.5}, kMx)},
        {"%20.2f", "             1234.50", Format("%20.2f", {1234.5}, kMx)},
        {"%8.2f", "   16.00", Format("%8.2f", {16}, kMx)},
        {"%f", "2.68", Format("%f", {2.675}, kMx)},
        {"%.0f", "3", Format("%.0f", {2.5}, kMx)},
        {"%n", "1,234,567.00", Format("%n", {1234567}, kMx)},
        {"%.*n", "1,234.500", Format("%.*n", {3, 1234.5}, kMx)},
        {"%.*n 0", "1,235", Format("%.*n", {0, 1234.5}, kMx)},
        {"%d", "-42", Format("%d", {-42}, kMx)},
        {"%.2d", "05", Format("%.2d", {5}, kMx)},
        {"%.3d", "-007", Format("%.3d", {-7}, kMx)},
        {"%5d|", "   42|", Format("%5d|", {42}, kMx)},
        {"%x", "FF", Format("%x", {255}, kMx)},
        {"%x neg", "FFFFFFFF", Format("%x", {-1}, kMx)},
        {"%s", "Niño", Format("%s", {"Niño"}, kMx)},
        {"%10s|", "      Niño|", Format("%10s|", {"Niño"}, kMx)},
        {"%-6s|", "Año   |", Format("%-6s|", {"Año"}, kMx)},
        {"%.2s", "Ñu", Format("%.2s", {"Ñuño"}, kMx)},
        {"%%", "100%", Format("%d%%", {100}, kMx)},
        {"day file", "V010203F.DB",
         Format("%s%s%.2d%.2d%s.DB", {"V", "01", 2, 3, std::string(1, 'F')}, kMx)},
        {"index", "b a b", Format("%1:s %0:s %s", {"a", "b"}, kMx)},
        {"size_t", "3", Format("%d", {std::string("abc").size()}, kMx)},
        {"%e", "1.23450000000000E+003", Format("%e", {1234.5}, kMx)},
        {"%g", "0.1", Format("%g", {0.1}, kMx)},
    };
    for (const auto& c : kCases) EXPECT_EQ(c.got, c.expected) << c.fmt;
}

TEST(Format, CurrencyFollowsTheSettings) {
    FormatSettings s;
    s.CurrencyString = "€";
    s.CurrencyFormat = 3;
    s.NegCurrFormat = 8;
    s.ThousandSeparator = '.';
    s.DecimalSeparator = ',';
    EXPECT_EQ(Format("%m", {1234.5}, s), "1.234,50 €");
    EXPECT_EQ(Format("%m", {-1234.5}, s), "-1.234,50 €");
    EXPECT_EQ(Format("%.0m", {1234.5}, s), "1.235 €");
}

TEST(Format, BadSpecifiersAndArgumentsThrow) {
    constexpr const char* kBad[] = {"%d", "%q", "%", "%5"};
    for (const char* f : kBad) EXPECT_THROW(Format(f, {}, kMx), ConvertError) << f;
    EXPECT_THROW(Format("%d", {1.5}, kMx), ConvertError);
    EXPECT_THROW(Format("%s", {1}, kMx), ConvertError);
    EXPECT_THROW(Format("%f", {"x"}, kMx), ConvertError);
    try {
        Format("%d %d", {1}, kMx);
        FAIL();
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "El formato '%d %d' no es válido o no corresponde a sus argumentos");
    }
}

TEST(Numbers, ToTextAndBack) {
    struct Case { double v; const char* text; };
    constexpr Case kFloat[] = {
        {0, "0"},       {0.1, "0.1"},         {2.5, "2.5"},       {100, "100"},
        {-3.25, "-3.25"}, {1.0 / 3, "0.333333333333333"}, {1e20, "1E20"},
        {1.5e-5, "1.5E-5"}, {0.0001, "0.0001"}, {123456789012345, "123456789012345"},
        {1e15, "1E15"},
    };
    for (const auto& c : kFloat) EXPECT_EQ(FloatToStr(c.v, kMx), c.text) << c.text;
    EXPECT_EQ(CurrToStr(1234.5, kMx), "1234.5");
    EXPECT_EQ(CurrToStr(0.123456, kMx), "0.1235");
    EXPECT_EQ(CurrToStr(-2, kMx), "-2");
    EXPECT_EQ(IntToStr(-12), "-12");

    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-7"), -7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    for (const char* bad : {"", "1.5", "12a", "99999999999999999999", "-"})
        EXPECT_FALSE(TryStrToInt(bad)) << bad;
    try {
        StrToInt("12a");
        FAIL();
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'12a' no es un valor entero válido");
    }

    EXPECT_EQ(StrToFloat("2.5", kMx), 2.5);
    EXPECT_EQ(StrToFloat(" -1e3 ", kMx), -1000);
    EXPECT_EQ(StrToFloat(".5", kMx), 0.5);
    for (const char* bad : {"", "1,234.5", "inf", "nan", "1e", "1.2.3", "abc"})
        EXPECT_FALSE(TryStrToFloat(bad, kMx)) << bad;
    FormatSettings eu;
    eu.DecimalSeparator = ',';
    eu.ThousandSeparator = '.';
    EXPECT_EQ(StrToFloat("2,5", eu), 2.5);
    EXPECT_THROW(StrToFloat("2.5", eu), ConvertError);
}

TEST(ShortCut, NamesAndBack) {
    struct Case { int code; const char* text; };
    constexpr Case kCases[] = {
        {0x74, "F5"},
        {scCtrl | 'A', "Ctrl+A"},
        {scShift | 0x71, "Shift+F2"},
        {scAlt | 'X', "Alt+X"},
        {'7', "7"},
        {0x0D, "Enter"},
        {0x1B, "Esc"},
        {scAlt | 0x2D, "Alt+Ins"},
        {scAlt | 0x08, "Alt+BkSp"},
        {scAlt | 0x2E, "Alt+Del"},
        {scShift | scCtrl | 0x7B, "Shift+Ctrl+F12"},
        {0x60, "Num 0"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ShortCutToText(c.code), c.text) << c.text;
        EXPECT_EQ(TextToShortCut(c.text), c.code) << c.text;
    }
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(scCtrl | 0xFF), "");
    EXPECT_EQ(TextToShortCut("Ctrl+Nada"), 0);
    EXPECT_EQ(TextToShortCut("ctrl+a"), scCtrl | 'A');
}
