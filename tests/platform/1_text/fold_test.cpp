#include "platform/1_text/fold.h"

#include <gtest/gtest.h>

using namespace text;

TEST(Fold, SpanishLettersFoldButAccentsStay) {
    struct Case { const char* a; const char* b; bool same; };
    constexpr Case kCases[] = {
        {"JOSÉ PEÑA", "josé peña", true},
        {"ÁÉÍÓÚÜÑ", "áéíóúüñ", true},
        {"Jose", "José", false},
        {"Nino", "Niño", false},
        {"abc", "abcd", false},
        {"", "", true},
    };
    for (const auto& c : kCases) EXPECT_EQ(SameText(c.a, c.b), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(FoldCase("ÑANDÚ"), "ñandú");
    EXPECT_EQ(UpperCase("señora güera"), "SEÑORA GÜERA");
    EXPECT_EQ(LowerCase("ÁRBOL"), "árbol");
    EXPECT_LT(CompareText("abeja", "ÁRBOL"), 0);  // "a" < "á": code point order
}

TEST(Fold, StrayBytesPassThrough) {
    const std::string bad = "A\xC3" "B\xFF";
    EXPECT_EQ(UpperCase(bad), "A\xC3" "B\xFF");
    EXPECT_EQ(LowerCase(bad), "a\xC3" "b\xFF");
    EXPECT_EQ(Utf8Length(bad), 4u);
}

TEST(Utf8, WidthsCountCharacters) {
    EXPECT_EQ(Utf8Length("Año €"), 5u);
    EXPECT_EQ(Utf8Left("Niño", 3), "Niñ");
    EXPECT_EQ(Utf8Left("Niño", 10), "Niño");
    EXPECT_EQ(Utf8Mid("¿Qué tal?", 2, 3), "Qué");
    EXPECT_EQ(Utf8Mid("¿Qué tal?", 6), "tal?");
    EXPECT_EQ(Utf8Mid("abc", 9, 2), "");
    EXPECT_EQ(PadRight("Año", 5), "Año  ");
    EXPECT_EQ(PadLeft("Año", 5, '*'), "**Año");
    EXPECT_EQ(PadRight("Añoviejo", 3), "Añoviejo");
    EXPECT_EQ(Utf8Length("\xE0\x80\x80"), 3u);  // overlong form: three stray bytes
    EXPECT_EQ(Utf8Left("\xE2\x82", 1), "\xE2");   // truncated sequence never cut inside
}
