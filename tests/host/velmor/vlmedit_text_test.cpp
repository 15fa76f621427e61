#include "host/velmor/vlmedit_text.h"

#include <gtest/gtest.h>

#include "platform/1_text/datetime.h"

using namespace velmor;

namespace {
const text::FormatSettings kMx;
}

TEST(VlmEditText, NumbersIgnoreSymbolBlanksAndThousands) {
    struct Case { const char* text; double value; };
    constexpr Case kCases[] = {
        {"1,234.50", 1234.5}, {"$ 1,234.50", 1234.5}, {"$ 0.00", 0}, {"", 0},
        {"$ ", 0},            {"-12", -12},           {" 7 ", 7},    {"1,2,3", 123},
    };
    for (const auto& c : kCases) EXPECT_EQ(TextToFloat(c.text, kMx), c.value) << c.text;
    try {
        TextToFloat("12abc", kMx);
        FAIL();
    } catch (const text::ConvertError& e) {
        EXPECT_STREQ(e.what(), "'12abc' no es un número válido");
    }
}

TEST(VlmEditText, NumberTextKeepsItsPrefix) {
    EXPECT_EQ(FloatToEditText(0, 2, "$ ", kMx), "$ 0.00");
    EXPECT_EQ(FloatToEditText(1234.567, 2, "", kMx), "1234.57");
    EXPECT_EQ(FloatToEditText(3.5, 0, "", kMx), "4");
    EXPECT_EQ(NumberPrefix("$ 12.50", kMx), "$ ");
    EXPECT_EQ(NumberPrefix("-3", kMx), "");
    EXPECT_EQ(NumberPrefix(".5", kMx), "");
}

TEST(VlmEditText, KeysEachTypeTakes) {
    struct Case { TTipoDeDato type; char32_t c; int decimals; bool taken; };
    constexpr Case kCases[] = {
        {tyTexto, U'ñ', 0, true},  {tyFecha, '7', 0, true},   {tyFecha, '/', 0, true},
        {tyFecha, 'a', 0, false},  {tyNumero, '.', 2, true},  {tyNumero, '.', 0, false},
        {tyNumero, ',', 2, true},  {tyNumero, '$', 2, true},  {tyNumero, 'x', 2, false},
        {tyNumero, '-', 2, true},  {tyHora, ':', 0, true},    {tyHora, 'p', 0, true},
        {tyHora, '/', 0, false},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(AcceptsChar(c.type, c.c, c.decimals, kMx), c.taken)
            << c.type << " " << static_cast<unsigned>(c.c);
}
