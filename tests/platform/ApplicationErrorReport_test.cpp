#include "platform/Exceptions.h"
#include "platform/ui/ApplicationErrorReport.h"
#include "platform/ui/ApplicationTitle.h"
#include "platform/ui/EventBoundary.h"
#include "tests/support/ScriptedDialogService.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstFullStopInTitleCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"phonebook", "Phonebook"},
        {"PHONEBOOK.EXE", "Phonebook"},
        {"my.app.exe", "My"},
        {"pHoNe-Book", "Phone-book"},
        {"", ""},
        {".hidden", ""},
    };
    for (const auto& [fileName, title] : cases)
        EXPECT_EQ(ApplicationTitleFromFileName(QString::fromLatin1(fileName)),
                  QString::fromLatin1(title))
            << fileName;
}

TEST(ApplicationErrorReport, AddsAFullStopOnlyAfterCharactersSortingAfterIt) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"I/O error 104", u"I/O error 104."},
        {u"Ошибка", u"Ошибка."},
        {u"Already done.", u"Already done."},
        {u"Stop!", u"Stop!"},
        {u"(closed)", u"(closed)"},
        {u"", u""},
    };
    for (const auto& [message, text] : cases)
        EXPECT_EQ(ErrorReportText(QString::fromUtf16(message)), QString::fromUtf16(text));
}

TEST(EventBoundary, ReportsAnEscapingErrorAndLetsTheCallerGoOn) {
    ScriptedDialogs dialogs;
    bool after = false;
    RunHandler([] { throw EDatabaseError(QStringLiteral("ADOQuery1: Field 'Tel' not found")); });
    after = true;

    ASSERT_TRUE(after);
    const DialogRequest expected{DialogKind::MessageBox, ApplicationTitle(),
                                 QStringLiteral("ADOQuery1: Field 'Tel' not found."),
                                 DialogIcon::Stop, DialogButtons::Ok};
    ASSERT_EQ(dialogs->requests().size(), 1u);
    EXPECT_EQ(dialogs->requests()[0], expected);
}

TEST(EventBoundary, ReportsStandardErrorsAndStaysSilentOnAnAbort) {
    ScriptedDialogs dialogs;
    RunHandler([] { throw EAbort(); });
    EXPECT_TRUE(dialogs->requests().empty());

    RunHandler([] { throw std::runtime_error("disk full"); });
    ASSERT_EQ(dialogs->requests().size(), 1u);
    EXPECT_EQ(dialogs->requests()[0].text, QStringLiteral("disk full."));
}

TEST(EventBoundary, GuardsSignalConnections) {
    ScriptedDialogs dialogs;
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, Guarded([&] {
        ++clicks;
        throw EInOutError(QStringLiteral("I/O error 104"), 104);
    }));
    button.click();
    button.click();

    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(dialogs->requests().size(), 2u);
    EXPECT_EQ(dialogs->requests()[1].text, QStringLiteral("I/O error 104."));
}

} // namespace
