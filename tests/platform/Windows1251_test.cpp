#include "platform/text/Windows1251.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CodePageCase {
    const char* name; // the case's name in the test list
    const char16_t* text;
    QByteArray bytes;
};

class Windows1251Test : public testing::TestWithParam<CodePageCase> {};

TEST_P(Windows1251Test, ConvertsBothWays) {
    const auto& [name, text, bytes] = GetParam();
    EXPECT_EQ(ToWindows1251(QString::fromUtf16(text)), bytes);
    EXPECT_EQ(FromWindows1251(bytes), QString::fromUtf16(text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Windows1251Test,
    testing::Values(CodePageCase{"Empty", u"", QByteArray()},
                    CodePageCase{"Ascii", u"ABC 123", "ABC 123"},
                    CodePageCase{"Cyrillic", u"Телефон", "\xD2\xE5\xEB\xE5\xF4\xEE\xED"},
                    CodePageCase{"YoAndNumero", u"Ёё№", "\xA8\xB8\xB9"},
                    CodePageCase{"Punctuation", u"\u00A0\u20AC\u00AB\u00BB", "\xA0\x88\xAB\xBB"},
                    CodePageCase{"LineBreak", u"\r\n", "\r\n"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Windows1251, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(ToWindows1251(u"日本 ü Ω ç"), QByteArray("?? ? ? ?"));
    // A character outside the basic plane still counts as one character.
    EXPECT_EQ(ToWindows1251(QString::fromUtf8("a\xF0\x9F\x98\x80z")), QByteArray("a?z"));
}

TEST(Windows1251, EveryDefinedByteSurvivesARoundTrip) {
    for (int byte = 1; byte < 256; ++byte) {
        const QByteArray one(1, static_cast<char>(byte));
        const QString text = FromWindows1251(one);
        ASSERT_EQ(text.size(), 1) << byte;
        if (text.front() != QChar(0xFFFD) && text.front() != u'\x1A') {
            EXPECT_EQ(ToWindows1251(text), one) << byte;
        }
    }
}

} // namespace
