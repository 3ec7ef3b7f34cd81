#include "platform/text/LocaleFormatSettings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>

#include <gtest/gtest.h>

#include <string>

namespace {

struct LocaleCase {
    const char* name;
    char16_t decimalSeparator;
    char16_t thousandSeparator;
};

class FormatSettingsOfTest : public testing::TestWithParam<LocaleCase> {};

TEST_P(FormatSettingsOfTest, TakesTheFirstCharacterOfEachSymbol) {
    const auto& [name, decimal, thousands] = GetParam();
    const FormatSettings settings = FormatSettingsOf(QLocale(QString::fromLatin1(name)));
    EXPECT_EQ(settings.decimalSeparator, QChar(decimal));
    EXPECT_EQ(settings.thousandSeparator, QChar(thousands));
}

INSTANTIATE_TEST_SUITE_P(Locales, FormatSettingsOfTest,
                         testing::Values(LocaleCase{"C", u'.', u','},
                                         LocaleCase{"en_US", u'.', u','},
                                         LocaleCase{"de_DE", u',', u'.'},
                                         LocaleCase{"ru_RU", u',', u'\u00A0'}),
                         [](const auto& test) { return std::string(test.param.name); });

class LocaleSettingsWatcherTest : public testing::Test {
protected:
    void TearDown() override { SetCurrentFormatSettings(saved_); }

    FormatSettings saved_ = CurrentFormatSettings();
    const FormatSettings user_ = FormatSettingsOf(QLocale::system());
    const FormatSettings other_{user_.decimalSeparator == u'#' ? u'$' : u'#', u'~'};
};

TEST_F(LocaleSettingsWatcherTest, ReadsTheUserSettingsAtStartAndOnALocaleChange) {
    SetCurrentFormatSettings(other_);
    LocaleSettingsWatcher watcher;
    EXPECT_EQ(CurrentFormatSettings(), user_);

    SetCurrentFormatSettings(other_);
    QEvent unrelated(QEvent::FontChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &unrelated);
    EXPECT_EQ(CurrentFormatSettings(), other_);

    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
    EXPECT_EQ(CurrentFormatSettings(), user_);
}

} // namespace
