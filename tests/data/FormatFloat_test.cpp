#include "data/FormatFloat.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const FormatSettings kPoint{u'.', u','};
const FormatSettings kCommaAndNoBreakSpace{u',', QChar(0x00A0)};
const FormatSettings kCommaWithoutGrouping{u',', QChar(0)};

constexpr char16_t kPhoneMask[] = u"#-##-##";

struct MaskCase {
    const char16_t* mask;
    long double value;
    const char16_t* text;
};

void ExpectTexts(std::initializer_list<MaskCase> cases, const FormatSettings& settings = kPoint) {
    for (const MaskCase& c : cases) {
        const QString mask = QString::fromUtf16(c.mask);
        SCOPED_TRACE(testing::Message()
                     << "mask \"" << mask.toStdString() << "\" value " << double(c.value));
        EXPECT_EQ(FormatFloat(mask, c.value, settings), QString::fromUtf16(c.text));
    }
}

TEST(FormatFloat, PhoneMaskDependsOnlyOnTheNumberOfDigits) {
    ExpectTexts({
        {kPhoneMask, 12345678, u"1234-56-78"},
        {kPhoneMask, 1234567, u"123-45-67"},
        {kPhoneMask, 234567, u"23-45-67"},
        {kPhoneMask, 23456, u"2-34-56"},
        {kPhoneMask, 23400, u"2-34-00"},
        {kPhoneMask, 3456, u"-34-56"},
        {kPhoneMask, 456, u"-4-56"},
        {kPhoneMask, 56, u"--56"},
        {kPhoneMask, 7, u"--7"},
        {kPhoneMask, 0, u"--"},
        {kPhoneMask, -23456, u"-2-34-56"},
        {kPhoneMask, 23456.5, u"2-34-57"},
        {kPhoneMask, 23456.49, u"2-34-56"},
        {kPhoneMask, 0.4, u"--"},
        {kPhoneMask, 1e18, u"1E18"},
    });
}

TEST(FormatFloat, PlaceholdersAndDecimalPoint) {
    ExpectTexts({
        {u"0.00", 2.5, u"2.50"},
        {u"0.00", 0.5, u"0.50"},
        {u"#.##", 0.5, u".5"},
        {u"#.##", 1, u"1"},
        {u"0.##", 1.5, u"1.5"},
        {u"0.0#", 1, u"1.0"},
        {u"00000", 42, u"00042"},
        {u"#####", 42, u"42"},
        {u"0.000", 0.005, u"0.005"},
        {u"#.###", 0.005, u".005"},
        {u"0.00", 0.001, u"0.00"},
        {u"#.00", 0.001, u".00"},
        {u"0.0.0", 1.25, u"1.25"}, // only the first point counts
        {u"0", 1234567, u"1234567"},
    });
}

TEST(FormatFloat, GroupingWithEachSeparatorSetting) {
    ExpectTexts({
        {u"#,##0.00", 1234567.891, u"1,234,567.89"},
        {u"#,##0", 999, u"999"},
        {u"#,##0", 1000, u"1,000"},
        {u"#,##0", -1234, u"-1,234"},
        {u"#,##0", 0, u"0"},
        {u"0,", 1234567, u"1,234,567"}, // a "," anywhere turns grouping on
        {u"0,000", 5, u"0,005"},
    });
    ExpectTexts(
        {
            {u"#,##0.00", 1234567.891, u"1\u00A0234\u00A0567,89"},
            {u"0.00", 2.5, u"2,50"},
        },
        kCommaAndNoBreakSpace);
    ExpectTexts(
        {
            {u"#,##0.00", 1234567.891, u"1234567,89"},
            {u"0.00", 2.5, u"2,50"},
        },
        kCommaWithoutGrouping);
}

TEST(FormatFloat, ScientificNotation) {
    ExpectTexts({
        {u"0.00E+00", 12345, u"1.23E+04"},
        {u"0.00E+00", 12355, u"1.24E+04"},
        {u"0.00E+00", -12345, u"-1.23E+04"},
        {u"0.00E+00", 0.00012345, u"1.23E-04"},
        {u"0.00E+00", 0, u"0.00E+00"},
        {u"0.00E-00", 12345, u"1.23E04"},
        {u"0.00E+00", 1e300, u"1.00E+300"},
        {u"0.0E+0", 1e20, u"1.0E+20"},
        {u"#.##e-0", 12345, u"1.23e4"},
        {u"#.##e-0", 0.0012345, u"1.23e-3"},
        {u"#.##e-0", 1, u"1e0"},
        {u"0.0E+0", 9.96, u"1.0E+1"},
        {u"00.0E+0", 12345, u"12.3E+3"},
        {u"##0.0E+0", 5, u"500.0E-2"},
    });
}

TEST(FormatFloat, MinimumExponentDigits) {
    ExpectTexts({
        {u"0E+0", 5, u"5E+0"},
        {u"0E+000", 5, u"5E+000"},
        {u"0E+0000000", 5, u"5E+0000"}, // at most four
        {u"0E+00", 1e123, u"1E+123"},
    });
}

TEST(FormatFloat, LettersWithoutASignAreText) {
    ExpectTexts({
        {u"0 Eur", 5, u"5 Eur"},
        {u"0e", 5, u"5e"},
        {u"$#,##0", 1234, u"$1,234"},
        {u"$#,##0", -1234, u"-$1,234"},
    });
}

TEST(FormatFloat, ThreeSections) {
    constexpr char16_t kMask[] = u"#,##0.00;(#,##0.00);Zero";
    ExpectTexts({
        {kMask, 1234.5, u"1,234.50"},
        {kMask, -1234.5, u"(1,234.50)"},
        {kMask, 0, u"Zero"},
        {kMask, 0.001, u"Zero"},  // rounds to zero
        {kMask, -0.001, u"Zero"}, // negative section rounds to zero
        {u"0;(0);z;extra", 0, u"z"},
    });
}

TEST(FormatFloat, MissingOrEmptySectionsFallBackToTheFirst) {
    ExpectTexts({
        {u"0.0;;Zero", -1.5, u"-1.5"},
        {u"0;", -5, u"-5"},
        {u"0.0;-0.0-", -1.5, u"-1.5-"}, // the second section writes no sign of its own
        {u"0;(0)", 0, u"0"},
        {u"0;0;", 0, u"0"},
        {u"0.0", -0.04, u"0.0"},
    });
}

TEST(FormatFloat, EmptyFirstSectionFallsBackToFloatToStr) {
    ExpectTexts({
        {u"", 2.5, u"2.5"},
        {u";", 2.5, u"2.5"},
        {u";0", 2.5, u"2.5"},
        {u";0", -2.5, u"3"},
        {u";0", -0.4, u"-0.4"}, // rounds to zero, and the first section is empty
    });
}

TEST(FormatFloat, QuotedTextIsCopiedAndNotScanned) {
    ExpectTexts({
        {u"'a;b' 0", 5, u"a;b 5"},
        {u"0' pos;';0' neg'", 5, u"5 pos;"},
        {u"0' pos;';0' neg'", -5, u"5 neg"},
        {u"\"#\"0", 7, u"#7"},
        {u"'0.0,E+'0", 7, u"0.0,E+7"},
        {u"'\"'0", 5, u"\"5"},
        {u"0 'abc", 5, u"5 abc"},   // an unclosed quote runs to the end
        {u"0 'a;b", -5, u"-5 a;b"}, // ... and swallows the ";"
    });
}

TEST(FormatFloat, RoundsHalfAwayFromZeroAfter18DigitRounding) {
    ExpectTexts({
        {u"0", 2.5, u"3"},
        {u"0", -2.5, u"-3"},
        {u"0", 3.5, u"4"},
        {u"0", 0.5, u"1"},
        {u"0", 0.49, u"0"},
        {u"0.00", 0.125, u"0.13"},
        {u"0.00", 1.005, u"1.00"}, // the double lies just below 1.005
        {u"0", std::nextafter(2.5L, 0.0L), u"3"},
    });
}

TEST(FormatFloat, ValuesItCannotPlaceUseFloatToStr) {
    constexpr long double kInf = std::numeric_limits<long double>::infinity();
    ExpectTexts({
        {u"0", 1e18, u"1E18"},
        {u"0", -1e18, u"-1E18"},
        {u"#,##0", 1e20, u"1E20"},
        {u"0", 999999999999999999.5L, u"1E18"}, // rounds up to 10^18
        {u"0", 123456789012345678.0L, u"123456789012345678"},
        {u"0.00", kInf, u"INF"},
        {u"0.00", -kInf, u"-INF"},
        {u"0.00E+00", kInf, u"INF"},
        {u"0.00", std::numeric_limits<long double>::quiet_NaN(), u"NAN"},
    });
    ExpectTexts({{u"0", 1.5e18, u"1,5E18"}}, kCommaWithoutGrouping);
}

TEST(FormatFloat, MaskOfAtMost224Characters) {
    EXPECT_EQ(FormatFloat(QString(224, u'#'), 5, kPoint), u"5");
    EXPECT_EQ(FormatFloat(QString(224, u'0'), 5, kPoint), QString(223, u'0') + QChar(u'5'));
    try {
        FormatFloat(QString(225, u'#'), 5, kPoint);
        FAIL() << "a 225-character mask was accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.message(), u"Format string too long");
    }
}

TEST(FormatFloat, OutputStopsAt255Characters) {
    const QString text = FormatFloat(QChar(u',') + QString(223, u'0'), 1, kPoint);
    EXPECT_EQ(text.size(), 255);
    EXPECT_TRUE(text.startsWith(u"0,000,"));
}

TEST(FormatFloat, DefaultsToTheCurrentSettings) {
    const FormatSettings saved = CurrentFormatSettings();
    SetCurrentFormatSettings(kCommaAndNoBreakSpace);
    EXPECT_EQ(FormatFloat(u"#,##0.0", 1234.5), u"1\u00A0234,5");
    SetCurrentFormatSettings(saved);
}

} // namespace
