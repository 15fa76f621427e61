#include "reports/framework/line_pattern.h"

#include <gtest/gtest.h>

using reportes::LineaPattern;

TEST(LineaPattern, TypedCodesBecomeLikePatterns) {
    struct Case { const char* typed; const char* pattern; const char* why; };
    constexpr Case kCases[] = {
        {"?????", "%", "the initial text matches every line"},
        {"AB???", "AB%", "five characters with a trailing run: open tail"},
        {"A?B??", "A_B%", "only the last run opens the tail"},
        {"A?B", "A_B", "short pattern: one character per ?"},
        {"AB?", "AB_", "three characters never get %"},
        {"AB", "AB", "a plain code matches exactly"},
        {"A?BCD", "A_BCD", "five characters not ending in ?"},
        {"??????", "______", "six characters: no open tail"},
        {"", "", "empty: no line condition"},
        {"   ", "", "blank: no line condition"},
        {"5%", "5\\%", "a typed % is a literal, not a wildcard"},
        {"A_B", "A\\_B", "a typed _ is a literal"},
        {"Ñ????", "Ñ%", "five characters counted as characters, not bytes"},
    };
    for (const auto& c : kCases) EXPECT_EQ(LineaPattern(c.typed), c.pattern) << c.why;
}
