#include "platform/text/LikePattern.h"
#include "platform/db/PlainNumberText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct LikeCase {
    const char* pattern;
    const char* value;
    bool matches;
};

TEST(LikePatternTest, MatchesIgnoringCaseInEveryScript) {
    const LikeCase cases[] = {
        // Cyrillic letters ignore case, as Latin ones do.
        {"%иван%", "ИВАНОВ И.И.", true},
        {"%иван%", "Иванов", true},
        {"%ИВАН%", "иванова", true},
        {"%ИВАН%", "ПЕТРОВ", false},
        {"abc", "ABC", true},
        // Ё and ё are one letter in two cases, and a letter of their own beside Е.
        {"%ёлка%", "ЁЛКА", true},
        {"%ЁЛКА%", "ёлка", true},
        {"%елка%", "ёлка", false},
        // `_` is one character, however many bytes it takes.
        {"Ив_нов", "ИВАНОВ", true},
        {"_", "Ж", true},
        {"_", "ЖЖ", false},
        {"__", "Ж", false},
        {"%a_c", "xxAZC", true},
        {"%a_c", "xxAZCx", false},
        // Anchors and runs.
        {"", "", true},
        {"", "a", false},
        {"%", "", true},
        {"%%", "x", true},
        {"abc", "abcd", false},
        {"a%c", "abXc", true},
        {"a%c", "abXcd", false},
        {"a%a", "a", false},
        {"a%b%c", "aXbYc", true},
        {"a%b%c", "aXcYb", false},
        {"%aa%b", "aaab", true},
        {"%ab%ab%", "xabyab", true},
        {"%ab%ab%", "xab", false},
        {"ПОЛЕВАЯ %", "ПОЛЕВАЯ 9-5", true},
        {"%ПОЛЕВАЯ 9%-5%", "полевая 9-5", true},
    };
    for (const LikeCase& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " / " + c.value);
        EXPECT_EQ(LikePattern(c.pattern).matches(c.value), c.matches);
    }
}

TEST(LikePatternTest, EscapeMakesTheNextCharacterLiteral) {
    const LikeCase cases[] = {
        {"10\\%%", "10% off", true}, {"10\\%%", "100 off", false}, {"a\\_b", "a_b", true},
        {"a\\_b", "axb", false},     {"a\\\\b", "a\\b", true},     {"%\\%", "50%", true},
    };
    for (const LikeCase& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " / " + c.value);
        EXPECT_EQ(LikePattern(c.pattern, U'\\').matches(c.value), c.matches);
    }
}

TEST(LikePatternTest, OnePatternMatchesManyValues) {
    // The folded value buffer is reused; a long value must not leave text for a short one.
    const LikePattern pattern("%ван");
    EXPECT_TRUE(pattern.matches("ИВАНОВ ИВАН"));
    EXPECT_FALSE(pattern.matches("ИВАНОВ"));
    EXPECT_TRUE(pattern.matches("Иван"));
}

TEST(PlainNumberTextTest, NumbersReadAsTheirPlainText) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{23456.0, "23456"}, {-12.0, "-12"},
                          {0.0, "0"},         {0.5, "0.5"},
                          {100.25, "100.25"}, {123456789012345.0, "123456789012345"},
                          {1e15, "1e+15"},    {0.1, "0.1"}};
    for (const Case& c : cases) {
        EXPECT_EQ(PlainNumberText(c.value).view(), c.text);
    }
    EXPECT_EQ(PlainNumberText(std::int64_t{-9007199254740993}).view(), "-9007199254740993");
}

} // namespace
