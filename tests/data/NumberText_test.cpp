#include "data/NumberText.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

const FormatSettings kPoint{u'.', u','};
const FormatSettings kComma{u',', QChar(0x00A0)};

struct AcceptedText {
    const char16_t* text;
    long double value;
};

void ExpectAccepted(std::initializer_list<AcceptedText> cases, const FormatSettings& settings) {
    for (const AcceptedText& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(testing::Message() << "text \"" << text.toStdString() << "\"");
        const std::optional<long double> value = TextToFloat(text, settings);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, c.value);
    }
}

void ExpectRejected(std::initializer_list<const char16_t*> texts, const FormatSettings& settings) {
    for (const char16_t* raw : texts) {
        const QString text = QString::fromUtf16(raw);
        SCOPED_TRACE(testing::Message() << "text \"" << text.toStdString() << "\"");
        EXPECT_FALSE(TextToFloat(text, settings).has_value());
    }
}

TEST(NumberText, AcceptsSignDigitsSeparatorAndSpaces) {
    ExpectAccepted(
        {
            {u"23456", 23456},
            {u" 23456 ", 23456},
            {u"   7", 7},
            {u"+5", 5},
            {u"-5", -5},
            {u"12.5", 12.5},
            {u".5", 0.5},
            {u"5.", 5},
            {u".", 0},
            {u"-.", 0},
            {u"000123", 123},
            {u"0.1", 0.1L},
            {u"0.000", 0},
            {u"123456789012345678901234567890", 123456789012345678901234567890.0L},
        },
        kPoint);
}

TEST(NumberText, AcceptsExponents) {
    ExpectAccepted(
        {
            {u"1e3", 1000},
            {u"1E+3", 1000},
            {u"1E-3", 1e-3L},
            {u"  -.5e1  ", -5},
            {u"2.5E0", 2.5},
            {u"1E", 1}, // the exponent digits may be absent
            {u"1E0499", 1e499L},
            {u"1E4932", 1e4932L},
            {u"0.001E4935", 1e4932L},
            {u"1E-4999", 0}, // below the extended range: zero, not a failure
        },
        kPoint);
}

TEST(NumberText, RejectsEverythingElse) {
    ExpectRejected(
        {
            u"",      u" ",     u"-",   u"+",       u"--5",    u"+-5", u"- 5",  u"2-34-56", u"12,5",
            u"1 000", u"1,000", u"abc", u"5x",      u"0x10",   u"inf", u"nan",  u"E5",      u".E5x",
            u"1e+-5", u"\t5",   u"5\t", u"\u00A05", u"\u0665", u"$5",  u"1..2",
        },
        kPoint);
}

TEST(NumberText, ExponentReadingStopsAt500) {
    ExpectRejected({u"1E5000", u"1E-5000", u"1E0500 0"}, kPoint);
    ExpectAccepted({{u"1E0500", 1e500L}, {u"1E-0499", 1e-499L}}, kPoint);
}

TEST(NumberText, RejectsOverflow) {
    ExpectRejected({u"1E4933", u"-1E4933", u"1E4999", u"99999999999E4930"}, kPoint);
}

TEST(NumberText, SeparatorMustBeTheCurrentOne) {
    ExpectAccepted({{u"12,5", 12.5}, {u",", 0}, {u" -0,25 ", -0.25}}, kComma);
    ExpectRejected({u"12.5", u".", u"1\u00A0000"}, kComma);
}

TEST(NumberText, DefaultsToTheCurrentSettings) {
    const FormatSettings saved = CurrentFormatSettings();
    SetCurrentFormatSettings(kComma);
    EXPECT_EQ(TextToFloat(u"2,5"), 2.5L);
    EXPECT_FALSE(TextToFloat(u"2.5").has_value());
    SetCurrentFormatSettings(saved);
}

} // namespace
