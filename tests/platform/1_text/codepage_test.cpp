// Code pages of ticket printers and stored files.
#include "platform/1_text/codepage.h"

#include <gtest/gtest.h>

namespace text {
namespace {

TEST(CodePage, SpanishLettersAndSignsInEveryPage) {
    struct Case {
        const char* utf8;
        CodePage page;
        std::string bytes;
    };
    const Case cases[] = {
        {"ñ", CodePage::CP850, "\xA4"},
        {"Ñ", CodePage::CP850, "\xA5"},
        {"á", CodePage::CP850, "\xA0"},
        {"é", CodePage::CP850, "\x82"},
        {"¿", CodePage::CP850, "\xA8"},
        {"ñ", CodePage::CP437, "\xA4"},
        {"é", CodePage::CP437, "\x82"},
        {"Á", CodePage::CP437, "?"},  // CP437 has no capital A with acute
        {"Á", CodePage::CP850, "\xB5"},
        {"€", CodePage::CP850, "?"},
        {"€", CodePage::CP858, "\xD5"},
        {"€", CodePage::CP1252, "\x80"},
        {"ñ", CodePage::CP1252, "\xF1"},
        {"Año: 5 €", CodePage::CP858, "A\xA4o: 5 \xD5"},
        {"日本", CodePage::CP850, "??"},
        {"a\xFF" "b", CodePage::CP850, "a?b"},      // malformed UTF-8
        {"\xE2\x82", CodePage::CP850, "??"},      // cut sequence
    };
    for (const auto& c : cases)
        EXPECT_EQ(FromUtf8(c.utf8, c.page), c.bytes)
            << c.utf8 << " in " << CodePageName(c.page);
}

TEST(CodePage, EveryCp1252ByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(FromUtf8(ToUtf8(all, CodePage::CP1252), CodePage::CP1252), all);
    EXPECT_EQ(ToUtf8("\xA4", CodePage::CP850), "ñ");
    EXPECT_EQ(ToUtf8("Se\xF1or", CodePage::CP1252), "Señor");
}

TEST(CodePage, NamesInTheirUsualSpellings) {
    EXPECT_EQ(CodePageByName("cp850"), CodePage::CP850);
    EXPECT_EQ(CodePageByName("IBM437"), CodePage::CP437);
    EXPECT_EQ(CodePageByName("858"), CodePage::CP858);
    EXPECT_EQ(CodePageByName("windows-1252"), CodePage::CP1252);
    EXPECT_EQ(CodePageByName("latin1"), std::nullopt);
}

}  // namespace
}  // namespace text
