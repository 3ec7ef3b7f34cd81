#include "data/FloatToStr.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const FormatSettings kPoint{u'.', u','};
const FormatSettings kComma{u',', QChar(0x00A0)};

struct FloatToStrCase {
    long double value;
    const char16_t* text;
};

void ExpectTexts(std::initializer_list<FloatToStrCase> cases, const FormatSettings& settings) {
    for (const FloatToStrCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << double(c.value));
        EXPECT_EQ(FloatToStr(c.value, settings), QString::fromUtf16(c.text));
    }
}

TEST(FloatToStr, PlainNumbers) {
    ExpectTexts(
        {
            {0, u"0"},
            {-0.0L, u"0"},
            {23456, u"23456"},
            {-1, u"-1"},
            {250, u"250"},
            {2.5, u"2.5"},
            {123.456, u"123.456"},
            {0.1, u"0.1"},
            {0.1 + 0.2, u"0.3"},
            {1.0 / 3, u"0.333333333333333"},
            {2.0 / 3, u"0.666666666666667"},
            {0.0001, u"0.0001"},
            {0.00012, u"0.00012"},
            {999000000000000, u"999000000000000"},
            {-123456789012345, u"-123456789012345"},
        },
        kPoint);
}

TEST(FloatToStr, ExponentForm) {
    ExpectTexts(
        {
            {0.00001, u"1E-5"},
            {-0.00001, u"-1E-5"},
            {1.5e-10, u"1.5E-10"},
            {1e15, u"1E15"},
            {1e18, u"1E18"},
            {1e100, u"1E100"},
            {1234567890123456, u"1.23456789012346E15"},
            {12345678901234567890.0, u"1.23456789012346E19"},
            {999999999999999.9, u"1E15"}, // rounds up to 16 digits
            {std::numeric_limits<long double>::max(), u"1.18973149535723E4932"},
            {std::numeric_limits<long double>::denorm_min(), u"3.64519953188247E-4951"},
        },
        kPoint);
}

TEST(FloatToStr, ValuesWithoutDigits) {
    ExpectTexts(
        {
            {std::numeric_limits<long double>::infinity(), u"INF"},
            {-std::numeric_limits<long double>::infinity(), u"-INF"},
            {std::numeric_limits<long double>::quiet_NaN(), u"NAN"},
        },
        kPoint);
}

TEST(FloatToStr, UsesTheDecimalSeparatorAndNeverGroups) {
    ExpectTexts(
        {
            {2.5, u"2,5"},
            {23456, u"23456"},
            {0.0001, u"0,0001"},
            {1234567.25, u"1234567,25"},
            {1234567890123456, u"1,23456789012346E15"},
        },
        kComma);
}

TEST(FloatToStr, DefaultsToTheCurrentSettings) {
    const FormatSettings saved = CurrentFormatSettings();
    SetCurrentFormatSettings(kComma);
    EXPECT_EQ(FloatToStr(2.5), u"2,5");
    SetCurrentFormatSettings(saved);
}

} // namespace
