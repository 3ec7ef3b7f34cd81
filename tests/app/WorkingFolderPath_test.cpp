// The window reaches the database of the folder it was started in, whatever that folder is
// called: its path is one value of the connection string, never pairs of its own.
#include "app/Unit1.h"
#include "platform/ui/TComboBox.h"
#include "platform/ui/TStatusBar.h"
#include "tests/app/Typing.h"
#include "tests/support/ScriptedDialogService.h"
#include "tests/support/WorkingFolder.h"
#include "directory/DirectoryProvider.h"
#include "platform/db/AdoProvider.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Starts the window in the current folder, types a name and Enter, and gives the status text.
QString FoundFor(const QString& name) {
    TMenu menu{DirectoryProvider()};
    menu.show();
    menu.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&menu));
    TypeText(menu.ComboBox2, name);
    QTest::keyClick(menu.ComboBox2, Qt::Key_Return);
    return menu.StatusBar1->PanelText(1);
}

TEST(WorkingFolderPathTest, AFolderNamedWithSeparatorsQuotesAndCyrillicFindsItsEntries) {
    for (const QString& name : {u"a;b"_s, u"x=y"_s, u"say \"hi\""_s, u"it's"_s, u" spaced  out "_s,
                                u"Справочник; ул. \"Ленина\"='1'"_s}) {
        SCOPED_TRACE(name.toStdString());
        ScriptedDialogs dialogs;
        WorkingFolder folder(name);
        folder.addEntries({{123456, u"Свой С.С."_s, u"ЛЕНИНА 1"_s, std::nullopt}});
        EXPECT_EQ(FoundFor(u"свой"_s), u"Найдено: 1"_s);
        EXPECT_TRUE(dialogs->requests().empty()) << dialogs->requests().front().text.toStdString();
    }
}

// A folder whose path reads as further pairs ("Data Source=" another folder) still opens its
// own database, not the other one.
TEST(WorkingFolderPathTest, APathThatSpellsAnotherDataSourceOpensItsOwnDatabase) {
    ScriptedDialogs dialogs;
    WorkingFolder other;
    other.addEntries({{111111, u"Чужой Ч.Ч."_s, u"ЛЕНИНА 2"_s, std::nullopt}});
    WorkingFolder own(u"q;Busy Timeout=20000;Data Source="_s + other.path());
    own.addEntries({{222222, u"Свой С.С."_s, u"ЛЕНИНА 1"_s, std::nullopt}});

    EXPECT_EQ(FoundFor(u"свой"_s), u"Найдено: 1"_s);
    EXPECT_TRUE(dialogs->requests().empty());
}

} // namespace
