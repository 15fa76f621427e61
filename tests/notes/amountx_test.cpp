// The amount in words, in money and plain mode, space for space.
#include "notes/amountx.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/driver.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/panels.h"

namespace notix {
namespace {

std::string Dots(std::string s) {
    for (auto& c : s)
        if (c == ' ') c = '.';
    return s;
}

struct Case {
    long double number;
    const char* money;  // "." stands for one space
    const char* plain;
};

constexpr Case kCases[] = {
    {0, "Son.cero.pesos..M.N.", "cero"},
    {0.5L, "Son.cero.pesos.50/100.M.N.", "cero"},
    {1, "Son.un.pesos..M.N.", "uno"},
    {1.05L, "Son.un.pesos.05/100.M.N.", "uno"},
    {7.999L, "Son.siete.pesos.99/100.M.N.", "siete"},
    {16, "Son.dieciséis.pesos..M.N.", "dieciséis"},
    {21, "Son.veintiun.pesos..M.N.", "veintiuno"},
    {26, "Son.veintiséis.pesos..M.N.", "veintiséis"},
    {31, "Son.treinta.y.un.pesos..M.N.", "treinta.y.uno"},
    {36, "Son.treinta.y.seis.pesos..M.N.", "treinta.y.seis"},
    {100, "Son.cien..pesos..M.N.", "cien."},
    {101, "Son.ciento.un.pesos..M.N.", "ciento.uno"},
    {1000, "Son..mil..pesos..M.N.", ".mil."},
    {1001, "Son..mil.un.pesos..M.N.", ".mil.uno"},
    {1234.56L, "Son..mil.doscientos.treinta.y.cuatro.pesos.56/100.M.N.",
     ".mil.doscientos.treinta.y.cuatro"},
    {21000, "Son.veintiun.mil..pesos..M.N.", "veintiuno.mil."},
    {101000, "Son.ciento.un.mil..pesos..M.N.", "ciento.un.mil."},
    {1000000, "Son.un.millón..pesos..M.N.", "un.millón."},
    {2500000, "Son.dos.millones.quinientos..mil..pesos..M.N.", "dos.millones.quinientos..mil."},
    {1001000000, "Son..mil.un.millones..pesos..M.N.", ".mil.un.millones."},
    {1200000000, "Son..mil.doscientos..millones..pesos..M.N.", ".mil.doscientos..millones."},
    {-15.5L, "Son.menos.quince.pesos.50/100.M.N.", "menos.quince"},
    // beyond the examples
    {20, "Son.veinte.pesos..M.N.", "veinte"},
    {30, "Son.treinta.pesos..M.N.", "treinta"},
    {999.999L, "Son.novecientos.noventa.y.nueve.pesos.99/100.M.N.", "novecientos.noventa.y.nueve"},
    {1000000000, "Son..mil..millones..pesos..M.N.", ".mil..millones."},
    {999999999999.0L,
     "Son.novecientos.noventa.y.nueve.mil.novecientos.noventa.y.nueve.millones.novecientos."
     "noventa.y.nueve.mil.novecientos.noventa.y.nueve.pesos..M.N.",
     "novecientos.noventa.y.nueve.mil.novecientos.noventa.y.nueve.millones.novecientos.noventa."
     "y.nueve.mil.novecientos.noventa.y.nueve"},
    {0.000001L, "Son.cero.pesos.00/100.M.N.", "cero"},  // would be an exponent text
};

TEST(TAmountx, WordsOfEveryCase) {
    for (const auto& c : kCases) {
        TAmountx money;
        money.SetNumber(c.number);
        EXPECT_EQ(Dots(money.InText()), c.money) << "money " << static_cast<double>(c.number);
        TAmountx plain;
        plain.LikeMoney = false;
        plain.SetNumber(c.number);
        EXPECT_EQ(Dots(plain.InText()), c.plain) << "plain " << static_cast<double>(c.number);
    }
}

TEST(TAmountx, StartsWithTheWordsForZeroAndKeepsItsTextOnAssignment) {
    TAmountx a;
    EXPECT_EQ(a.InText(), "Son cero pesos  M.N.");
    a.SetInText("otra cosa");
    EXPECT_EQ(a.InText(), "Son cero pesos  M.N.");
}

TEST(TAmountx, IgnoreNegativeReadsTheMagnitudeButKeepsTheSign) {
    TAmountx a;
    a.IgnoreNegative = true;
    a.SetNumber(-15.5L);
    EXPECT_EQ(a.InText(), "Son quince pesos 50/100 M.N.");
    EXPECT_TRUE(a.Negative());
    EXPECT_EQ(a.Number(), -15.5L);
    a.SetNumber(3);
    EXPECT_FALSE(a.Negative());
}

TEST(TAmountx, LegendsComeFromTheProperties) {
    TAmountx a;
    a.Leyend1 = "Importe:";
    a.Leyend2 = "dólares";
    a.Leyend3 = "USD";
    a.SetNumber(2.1L);
    EXPECT_EQ(a.InText(), "Importe: dos dólares 10/100 USD");
}

TEST(TAmountx, ThirteenDigitsAreReportedAndShowTheMessage) {
    vcl::TLabel label(nullptr);
    vcl::TEdit edit(nullptr);
    TAmountx a;
    a.SetLLabel(&label);
    a.SetEdit(&edit);
    int invalid = 0, converted = 0;
    std::string seen;
    a.OnInvalidNumber = [&](TAmountx&) { ++invalid; };
    a.OnConvert = [&](TAmountx&, const std::string& t) {
        ++converted;
        seen = t;
    };
    a.SetNumber(1000000000000.0L);
    EXPECT_EQ(invalid, 1);
    EXPECT_EQ(a.InText(), TAmountx::kNumeroMuyGrande);
    EXPECT_EQ(label.Caption(), TAmountx::kNumeroMuyGrande);
    EXPECT_EQ(edit.Text(), TAmountx::kNumeroMuyGrande);
    EXPECT_EQ(converted, 1);
    EXPECT_EQ(seen, TAmountx::kNumeroMuyGrande);

    a.SetNumber(12);  // a later good number converts again
    EXPECT_EQ(label.Caption(), "Son doce pesos  M.N.");
}

TEST(TAmountx, ForgetsALabelThatIsDestroyed) {
    TAmountx a;
    {
        vcl::TLabel label(nullptr);
        a.SetLLabel(&label);
    }
    EXPECT_EQ(a.LLabel(), nullptr);
    a.SetNumber(3);  // nothing left to write to
}

TEST(TAmountx, WithoutHandlerTheMessageBoxShowsTheMessageOnlyWhenWanted) {
    vcl::HeadlessDriver driver;
    vcl::DriverScope scope(driver);
    TAmountx a;
    a.SetNumber(1e15L);
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].request.text, TAmountx::kNumeroMuyGrande);
    EXPECT_EQ(driver.Messages()[0].request.icon, vcl::MsgIcon::Error);
    a.WantEvents = false;
    a.SetNumber(1e13L);
    EXPECT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(a.InText(), TAmountx::kNumeroMuyGrande);
}

}  // namespace
}  // namespace notix
