#include "tests/app/EntryEditorFixture.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/ui/QtDialogService.h"
#include "platform/ui/TImage.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>

#include <functional>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

const QString WholeTable = u"SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\n"_s;

TEST_F(EntryEditorTest, PlusBeforeAnySearchOpensTheWholeTableAndFillsThePanelFromItsFirstEntry) {
    typeSearchText(u"Я"_s);
    ASSERT_TRUE(menu().SpeedButton1->isVisible());
    ASSERT_FALSE(menu().ADOQuery1->Active());
    EXPECT_FALSE(editorOpen());

    clickToggle(DialogAnswer::Yes);

    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], (OpenedQuery{WholeTable, {}, true}));
    EXPECT_EQ(menu().ADOQuery1->RecordCount(), 3);
    EXPECT_EQ(menu().DBGridEh1->RowCount(), 1 + 3);
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(editorTexts(),
              (EditorTexts{u"23456"_s, u"Иванов И.П."_s, u"ЛЕНИНА 12-45"_s, u"Звонить вечером"_s}));
    EXPECT_EQ(dialogs->requests(), std::vector<DialogRequest>{OpenQuestion()});
    EXPECT_EQ(state(), dsBrowse);
}

TEST_F(EntryEditorTest, NoToTheOpenQuestionLeavesTheQueryOpenAndTheEditorClosed) {
    typeSearchText(u"Я"_s);
    clickToggle(DialogAnswer::No);

    EXPECT_TRUE(menu().ADOQuery1->Active());
    EXPECT_EQ(menu().DBGridEh1->RowCount(), 1 + 3);
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(editorTexts(), EditorTexts{});

    // An open query is not opened again by the next click.
    clickToggle(DialogAnswer::No);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(dialogs->requests(), std::vector<DialogRequest>(2, OpenQuestion()));
}

// The questions as recorded, and the message boxes the real service builds from them: two
// lines, Yes and No with their accelerators, Yes the default, Esc and the close box answer No.
TEST_F(EntryEditorTest, AsksBothQuestionsAsWarningAndInformationWithYesAsDefault) {
    searchName(u"ИВАН"_s);
    clickToggle(DialogAnswer::Yes);
    clickToggle(DialogAnswer::No);
    const std::vector<DialogRequest> expected{OpenQuestion(), SaveQuestion()};
    ASSERT_EQ(dialogs->requests(), expected);
    EXPECT_EQ(OpenQuestion().text.count(QChar(13)), 1);

    for (const DialogRequest& request : expected) {
        SCOPED_TRACE(request.caption.toStdString());
        const auto close = [](QMessageBox& box) {
            box.close();
        };
        const auto escape = [](QMessageBox& box) {
            QTest::keyClick(&box, Qt::Key_Escape);
        };
        for (const auto& refuse :
             std::initializer_list<std::function<void(QMessageBox&)>>{close, escape}) {
            const auto box = QtDialogService::Build(request);
            EXPECT_EQ(box->icon(), request.icon == DialogIcon::Warning ? QMessageBox::Warning
                                                                       : QMessageBox::Information);
            EXPECT_EQ(box->button(QMessageBox::Yes)->text(), u"&Yes"_s);
            EXPECT_EQ(box->button(QMessageBox::No)->text(), u"&No"_s);
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
            box->open();
            refuse(*box);
            EXPECT_EQ(box->clickedButton(), box->button(QMessageBox::No));
        }
    }
}

TEST_F(EntryEditorTest, SavingWritesThePanelIntoTheEntryAndClosesTheEditor) {
    const struct {
        const char* label;
        QString typedPhone;
        std::optional<double> storedPhone;
    } cases[] = {
        {"empty phone", u""_s, std::nullopt},
        {"spaces around the number", u" 23456 "_s, 23456},
        {"another number", u"7654321"_s, 7654321},
    };
    searchName(u"ИВАН"_s);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        dialogs->clear();
        clickToggle(DialogAnswer::Yes);
        ASSERT_TRUE(editorOpen());
        // The phone is typed by keys; the other texts are set.
        menu().Edit1->clear();
        TypeText(menu().Edit1, c.typedPhone);
        menu().Edit3->setText(u"ЛЕНИНА 12-46"_s);
        menu().Edit6->setText(QString());
        clickToggle(DialogAnswer::Yes);

        EXPECT_FALSE(editorOpen());
        EXPECT_EQ(state(), dsBrowse);
        const std::vector<DialogRequest> expected{OpenQuestion(), SaveQuestion()};
        EXPECT_EQ(dialogs->requests(), expected);
        std::vector<DirectoryEntry> written = original;
        written[0] = {c.storedPhone, u"Иванов И.П."_s, u"ЛЕНИНА 12-46"_s, u""_s};
        EXPECT_EQ(folder().entries(), written);
        // The result is re-read: the grid's current entry shows what was written.
        EXPECT_EQ(menu().ADOQuery1Tel->AsString(), c.typedPhone.trimmed());
        EXPECT_EQ(menu().ADOQuery1Name->AsString(), u"ЛЕНИНА 12-46"_s);
    }
}

// Texts stay Unicode from the entry through the panel and back: a name outside Windows-1251
// that was not touched survives a save of the phone.
TEST_F(EntryEditorTest, ANameOutsideTheEightBitCodePageSurvivesASaveOfThePhone) {
    searchName(u"ŁUCJA"_s);
    clickToggle(DialogAnswer::Yes);
    EXPECT_EQ(editorTexts(), (EditorTexts{u"1234567"_s, u"ИВАНОВА Łucja Ǆ"_s, u"ЛЕНИНА 3"_s, {}}));
    menu().Edit1->setText(u"7654321"_s);
    clickToggle(DialogAnswer::Yes);

    std::vector<DirectoryEntry> written = original;
    written[1] = {7654321, u"ИВАНОВА Łucja Ǆ"_s, u"ЛЕНИНА 3"_s, u""_s};
    EXPECT_EQ(folder().entries(), written);
}

TEST_F(EntryEditorTest, AnEmptyResultOpensEmptyAndYesAddsANewEntry) {
    searchName(u"СИДОРОВ"_s);
    ASSERT_EQ(status(), u"Найдено: 0"_s);
    clickToggle(DialogAnswer::Yes);
    ASSERT_TRUE(editorOpen());
    EXPECT_EQ(editorTexts(), EditorTexts{});

    setEditorTexts({u"345678"_s, u"СИДОРОВ С.С."_s, u"МИРА 1-2"_s, u"новый"_s});
    clickToggle(DialogAnswer::Yes);

    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(state(), dsBrowse);
    std::vector<DirectoryEntry> written = original;
    written.push_back({345678, u"СИДОРОВ С.С."_s, u"МИРА 1-2"_s, u"новый"_s});
    EXPECT_EQ(folder().entries(), written);
    EXPECT_EQ(menu().ADOQuery1Fio->AsString(), u"СИДОРОВ С.С."_s);
    EXPECT_EQ(dialogs->requests(), (std::vector<DialogRequest>{OpenQuestion(), SaveQuestion()}));
}

TEST_F(EntryEditorTest, MovingToAnotherRowWhileOpenWritesIntoThatRow) {
    searchName(u"ИВАН"_s);
    clickToggle(DialogAnswer::Yes);
    ASSERT_EQ(editorTexts().fio, u"Иванов И.П."_s);

    clickDataRow(1);
    ASSERT_EQ(menu().ADOQuery1Fio->AsString(), u"ИВАНОВА Łucja Ǆ"_s);
    EXPECT_TRUE(editorOpen());
    menu().Edit1->setText(u"111111"_s);
    clickToggle(DialogAnswer::Yes);

    std::vector<DirectoryEntry> written = original;
    written[1] = {111111, u"Иванов И.П."_s, u"ЛЕНИНА 12-45"_s, u"Звонить вечером"_s};
    EXPECT_EQ(folder().entries(), written);
    EXPECT_FALSE(editorOpen());
}

TEST_F(EntryEditorTest, NoToTheSaveQuestionClosesTheEditorAndWritesNothing) {
    searchName(u"ИВАН"_s);
    clickToggle(DialogAnswer::Yes);
    setEditorTexts({u"999"_s, u"X"_s, u"Y"_s, u"Z"_s});
    clickToggle(DialogAnswer::No);

    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(state(), dsBrowse);
    EXPECT_EQ(folder().entries(), original);
    EXPECT_EQ(menu().ADOQuery1Fio->AsString(), u"Иванов И.П."_s);
}

TEST_F(EntryEditorTest, SavingAfterTypingInASearchFieldFailsOnTheClosedQueryAndNoCloses) {
    searchName(u"ИВАН"_s);
    clickToggle(DialogAnswer::Yes);
    typeSearchText(u"О"_s);
    ASSERT_FALSE(menu().ADOQuery1->Active());
    dialogs->clear();

    clickToggle(DialogAnswer::Yes);
    EXPECT_TRUE(editorOpen());
    const std::vector<DialogRequest> failed{
        SaveQuestion(),
        ErrorReport(u"ADOQuery1: Cannot perform this operation on a closed dataset."_s)};
    EXPECT_EQ(dialogs->requests(), failed);
    EXPECT_EQ(folder().entries(), original);

    clickToggle(DialogAnswer::No);
    EXPECT_FALSE(editorOpen());
    EXPECT_FALSE(menu().ADOQuery1->Active());
    EXPECT_EQ(folder().entries(), original);
}

// The toggle follows the search fields; an open panel does not.
TEST_F(EntryEditorTest, EmptyingTheSearchFieldsHidesTheToggleButNotAnOpenPanel) {
    typeSearchText(u"Я"_s);
    clickToggle(DialogAnswer::Yes);
    QTest::keyClick(menu().ComboBox2, Qt::Key_Backspace);

    EXPECT_FALSE(menu().SpeedButton1->isVisible());
    EXPECT_TRUE(menu().Panel3->isVisible());
    EXPECT_TRUE(menu().Image2->isVisible());
    EXPECT_EQ(menu().SpeedButton1->text(), u"v"_s);
}

TEST_F(EntryEditorTest, APhoneThatIsNotANumberWritesNothingAndTheNextYesWritesAllFour) {
    searchName(u"ИВАН"_s);
    clickToggle(DialogAnswer::Yes);
    setEditorTexts({u"2-34-56"_s, u"Иванов И.И."_s, u"ЛЕНИНА 12-45"_s, u"днём"_s});
    dialogs->clear();

    clickToggle(DialogAnswer::Yes);
    const std::vector<DialogRequest> failed{
        SaveQuestion(),
        ErrorReport(u"'2-34-56' is not a valid floating point value for field 'Tel'"_s)};
    EXPECT_EQ(dialogs->requests(), failed);
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(state(), dsEdit);
    EXPECT_EQ(menu().ADOQuery1Fio->AsString(), u"Иванов И.П."_s);
    EXPECT_EQ(folder().entries(), original);

    menu().Edit1->setText(u"23457"_s);
    clickToggle(DialogAnswer::Yes);
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(state(), dsBrowse);
    std::vector<DirectoryEntry> written = original;
    written[0] = {23457, u"Иванов И.И."_s, u"ЛЕНИНА 12-45"_s, u"днём"_s};
    EXPECT_EQ(folder().entries(), written);
}

// After a failed save the query may hold the panel's texts; No must drop them, so that
// moving to another row later does not write what the user declined.
TEST_F(EntryEditorTest, NoAfterAFailedSaveDropsTheHeldTexts) {
    SqliteDatabase other(folder().databasePath(), SqliteOpenMode::ReadWrite);
    other.exec("CREATE TRIGGER refuse BEFORE UPDATE ON tel BEGIN "
               "SELECT RAISE(ABORT, 'changes refused'); END;");
    searchName(u"ИВАН"_s);
    clickToggle(DialogAnswer::Yes);
    menu().Edit2->setText(u"ОТКЛОНЕНО"_s);
    clickToggle(DialogAnswer::Yes);
    ASSERT_EQ(state(), dsEdit);
    other.exec("DROP TRIGGER refuse;");

    clickToggle(DialogAnswer::No);
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(state(), dsBrowse);
    clickDataRow(1);
    EXPECT_EQ(folder().entries(), original);
}

TEST_F(EntryEditorTest, NoKeepsAChangeTheGridMadeMeanwhile) {
    searchName(u"ИВАН"_s);
    clickToggle(DialogAnswer::Yes);
    clickDataRow(1);
    QTest::keyClick(menu().DBGridEh1, Qt::Key_Apostrophe, Qt::ControlModifier);
    ASSERT_EQ(state(), dsEdit);
    clickToggle(DialogAnswer::No);
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(state(), dsEdit);
}

// How another program makes the database refuse a write, the report the user then sees,
// and how the refusal is lifted again.
struct Refusal {
    const char* label;
    std::function<void()> refuse;
    QString report; // the text of the error report
    std::function<void()> lift;
};

TEST_F(EntryEditorTest, ARefusedWriteIsReportedLeavesTheFileAndTheEditorOpen) {
    const QString path = folder().databasePath();
    SqliteDatabase other(path, SqliteOpenMode::ReadWrite);
    const Refusal refusals[] = {
        {"a trigger refuses the change",
         [&] {
             other.exec("CREATE TRIGGER refuse BEFORE UPDATE ON tel BEGIN "
                        "SELECT RAISE(ABORT, 'changes refused'); END;");
         },
         u"changes refused."_s,
         [&] {
             other.exec("DROP TRIGGER refuse;");
         }},
        {"another program holds the file locked", [&] { other.exec("BEGIN IMMEDIATE;"); },
         u"The database '%1' is locked by another user; try again later."_s.arg(path),
         [&] {
             other.exec("ROLLBACK;");
         }},
    };
    // Locked files are waited for briefly here.
    menu().ADOQuery1->SetConnectionString(menu().ADOQuery1->ConnectionString() +
                                          u";Busy Timeout=20"_s);
    searchName(u"ИВАН"_s);
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.label);
        clickToggle(DialogAnswer::Yes);
        setEditorTexts({u"10"_s, u"ОДИН"_s, u"ДВА"_s, u"ТРИ"_s});
        refusal.refuse();
        dialogs->clear();

        clickToggle(DialogAnswer::Yes);
        EXPECT_EQ(dialogs->requests(),
                  (std::vector<DialogRequest>{SaveQuestion(), ErrorReport(refusal.report)}));
        EXPECT_TRUE(editorOpen());
        EXPECT_EQ(state(), dsEdit);
        EXPECT_EQ(folder().entries(), original);

        refusal.lift();
        setEditorTexts({u"11"_s, u"ОДИН"_s, u"ДВА"_s, u"ТРИ"_s});
        clickToggle(DialogAnswer::Yes);
        EXPECT_FALSE(editorOpen());
        std::vector<DirectoryEntry> written = original;
        written[0] = {11, u"ОДИН"_s, u"ДВА"_s, u"ТРИ"_s};
        EXPECT_EQ(folder().entries(), written);
        original = written;
    }
}

// Another user saves or deletes the entry while the editor is open on it. Saving without
// typing anything would write the values read before: it writes nothing, says why, and keeps
// the editor open; after searching again the entry saves as usual.
TEST_F(EntryEditorTest, ASaveNeverOverwritesAnotherUsersChange) {
    SqliteDatabase other(folder().databasePath(), SqliteOpenMode::ReadWrite);
    const struct {
        const char* label;
        const char* write;
        QString report;
    } cases[] = {
        {"changed", "UPDATE tel SET tel = 999111 WHERE ID = 3",
         u"Another user changed this row of table 'tel' since it was read; nothing was saved. "
         u"Search again to see its values now."_s},
        {"deleted", "DELETE FROM tel WHERE ID = 3",
         u"Another user deleted this row from table 'tel' since it was read; nothing was saved."_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        menu().ComboBox2->SetText(QString());
        searchName(u"ПЕТРОВ"_s);
        clickToggle(DialogAnswer::Yes);
        ASSERT_EQ(editorTexts().tel, u"23406"_s);
        other.exec(c.write);
        const std::vector<DirectoryEntry> stored = folder().entries();
        dialogs->clear();

        clickToggle(DialogAnswer::Yes);
        EXPECT_EQ(dialogs->requests(),
                  (std::vector<DialogRequest>{SaveQuestion(), ErrorReport(c.report)}));
        EXPECT_TRUE(editorOpen());
        EXPECT_EQ(folder().entries(), stored);

        clickToggle(DialogAnswer::No);
        other.exec("INSERT OR REPLACE INTO tel(ID, tel, fio, Name) "
                   "VALUES (3, 23406, 'Петров П.П.', 'СОВЕТСКАЯ 12-7')");
    }
    // Searched again, the entry shows what is stored and takes a correction.
    other.exec("UPDATE tel SET tel = 999111 WHERE ID = 3");
    menu().ComboBox2->SetText(QString());
    searchName(u"ПЕТРОВ"_s);
    clickToggle(DialogAnswer::Yes);
    EXPECT_EQ(editorTexts().tel, u"999111"_s);
    menu().Edit2->setText(u"Петров П.И."_s);
    clickToggle(DialogAnswer::Yes);
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(folder().entries()[2].tel, 999111);
    EXPECT_EQ(folder().entries()[2].fio, u"Петров П.И."_s);
}

TEST_F(EntryEditorTest, AReadOnlyDatabaseFileRefusesTheSaveAndKeepsTheEditorOpen) {
    QFile::setPermissions(folder().databasePath(), QFile::ReadOwner | QFile::ReadGroup);
    searchName(u"ИВАН"_s);
    clickToggle(DialogAnswer::Yes);
    menu().Edit1->setText(u"10"_s);
    dialogs->clear();

    clickToggle(DialogAnswer::Yes);
    ASSERT_EQ(dialogs->requests().size(), 2u);
    EXPECT_EQ(dialogs->requests()[1],
              ErrorReport(u"ADOQuery1: Cannot modify a read-only dataset."_s));
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(folder().entries(), original);

    clickToggle(DialogAnswer::No);
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(folder().entries(), original);
}

// Each case spoils the database and gives the start of the report's text.
TEST_F(EntryEditorTest, AQueryThatCannotOpenEndsTheClickBeforeTheQuestion) {
    const QString path = folder().databasePath();
    std::optional<SqliteDatabase> other;
    const struct {
        const char* label;
        std::function<void()> spoil;
        QString reportStart;
    } cases[] = {
        {"locked by another program",
         [&] {
             other.emplace(path, SqliteOpenMode::ReadWrite);
             other->exec("BEGIN EXCLUSIVE; UPDATE tel SET Story = 'pending' WHERE ID = 3;");
         },
         u"The database '%1' is locked by another user"_s.arg(path)},
        {"missing",
         [&] {
             other.reset();
             QFile::remove(path);
         },
         u"Could not find file '%1'"_s.arg(path)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        c.spoil();
        dialogs->clear();
        TMenu window{DirectoryProvider()};
        // A locked file is waited for briefly here.
        window.ADOQuery1->SetConnectionString(window.ADOQuery1->ConnectionString() +
                                              u";Busy Timeout=20"_s);
        window.show();
        TypeText(window.ComboBox2, u"Я"_s);
        QTest::mouseClick(window.SpeedButton1, Qt::LeftButton);

        ASSERT_EQ(dialogs->requests().size(), 1u);
        const DialogRequest& report = dialogs->requests()[0];
        EXPECT_EQ(report.kind, DialogKind::MessageBox);
        EXPECT_EQ(report.icon, DialogIcon::Stop);
        EXPECT_TRUE(report.text.startsWith(c.reportStart)) << report.text.toStdString();
        EXPECT_FALSE(window.ADOQuery1->Active());
        EXPECT_FALSE(window.Panel3->isVisible());
        EXPECT_EQ(window.SpeedButton1->text(), u"+"_s);
    }
}

} // namespace
