// The grid's record commands, checked in the database file: Ctrl+Delete with its question,
// and Ctrl + the apostrophe key copying the value of the record above.
#include "platform/db/SqliteDatabase.h"
#include "tests/data/QStringPrinter.h"
#include "tests/grid/GridFixture.h"
#include "tests/support/ScriptedDialogService.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Names = std::vector<QString>;

class GridRecordCommands : public GridTest {
public:
    // The gestures of the table's cases.
    using GridTest::grid;
    using GridTest::Key;
    void Click(int k, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(grid, Qt::LeftButton, modifiers, Widget(DataRowPoint(k)));
    }
    // Moves the current record without changing the selection.
    void RightClick(int k) {
        QTest::mouseClick(grid, Qt::RightButton, {}, Widget(DataRowPoint(k)));
    }

protected:
    void CtrlDelete() { Key(Qt::Key_Delete, Qt::ControlModifier); }
    // The names left in the table, in ID order.
    Names StoredNames() const {
        Names names;
        for (const DirectoryEntry& entry : folder().entries())
            names.push_back(entry.fio.value_or(QString()));
        return names;
    }
    static Names Without(int count, std::vector<int> gone) {
        Names names;
        for (int k = 1; k <= count; ++k) {
            if (std::find(gone.begin(), gone.end(), k) == gone.end())
                names.push_back(QStringLiteral("Person %1").arg(k, 3, 10, QLatin1Char('0')));
        }
        return names;
    }

    ScriptedDialogs dialogs;
};

struct DeleteCase {
    const char* what;
    std::function<void(GridRecordCommands&)> select;
    DialogAnswer answer;
    const char* question;
    std::vector<int> deleted;
};

TEST_F(GridRecordCommands, CtrlDeleteAsksAndDeletesTheCurrentOrTheSelectedRecords) {
    const DeleteCase cases[] = {
        {"none selected",
         [](GridRecordCommands& t) { t.Key(Qt::Key_Down); },
         DialogAnswer::Ok,
         "Delete record?",
         {2}},
        {"none selected, cancelled",
         [](GridRecordCommands& t) { t.Key(Qt::Key_Down); },
         DialogAnswer::Cancel,
         "Delete record?",
         {}},
        {"one selected, another current",
         [](GridRecordCommands& t) {
             t.Click(3, Qt::ControlModifier);
             t.Click(3, Qt::ControlModifier);
             t.Click(5, Qt::ControlModifier);
             t.RightClick(1);
         },
         DialogAnswer::Ok,
         "Delete record?",
         {6}},
        {"three selected, the current not among them",
         [](GridRecordCommands& t) {
             t.Click(1);
             t.Click(4, Qt::ControlModifier);
             t.Click(7, Qt::ControlModifier);
             t.RightClick(9);
         },
         DialogAnswer::Ok,
         "Delete all selected records?",
         {2, 5, 8}},
        {"three selected, cancelled",
         [](GridRecordCommands& t) {
             t.Click(1);
             t.Key(Qt::Key_Down, Qt::ShiftModifier);
             t.Key(Qt::Key_Down, Qt::ShiftModifier);
         },
         DialogAnswer::Cancel,
         "Delete all selected records?",
         {}},
        {"everything selected by the corner: only the current record",
         [](GridRecordCommands& t) {
             t.RightClick(3);
             QTest::mouseClick(t.grid, Qt::LeftButton, {}, Widget(QPoint(5, 7)));
             ASSERT_EQ(t.grid->Selection().SelectionType(), gstAll);
         },
         DialogAnswer::Ok,
         "Delete record?",
         {4}},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.what);
        StartOnNumbered(12);
        c.select(*this);
        dialogs->clear();
        dialogs->answer(c.answer);
        CtrlDelete();
        ASSERT_EQ(dialogs->requests().size(), 1u);
        const DialogRequest& request = dialogs->requests()[0];
        EXPECT_EQ(request.kind, DialogKind::Confirmation);
        EXPECT_EQ(request.buttons, DialogButtons::OkCancel);
        EXPECT_EQ(request.text, QString::fromUtf8(c.question));
        EXPECT_EQ(StoredNames(), Without(12, c.deleted));
        EXPECT_EQ(query.RecordCount(), 12 - static_cast<long>(c.deleted.size()));
        if (c.answer == DialogAnswer::Ok) {
            EXPECT_EQ(grid->Selection().Rows().Count(), 0);
        }
        // The next case starts on a fresh table.
        query.Close();
        SqliteDatabase(folder().databasePath(), SqliteOpenMode::ReadWrite).exec("DELETE FROM tel");
    }
}

TEST_F(GridRecordCommands, CtrlDeleteOnAnEmptyResultAsksNothing) {
    StartOnNumbered(0);
    CtrlDelete();
    EXPECT_TRUE(dialogs->requests().empty());
}

TEST_F(GridRecordCommands, AFailedDeletionKeepsTheRecordsDeletedBeforeIt) {
    StartOnNumbered(8);
    // The table refuses to lose entry 5.
    SqliteDatabase(folder().databasePath(), SqliteOpenMode::ReadWrite)
        .exec("CREATE TRIGGER keep BEFORE DELETE ON tel WHEN old.fio = 'Person 005' "
              "BEGIN SELECT RAISE(ABORT, 'entry 5 stays'); END");
    for (int k : {2, 4, 6})
        Click(k, Qt::ControlModifier);
    dialogs->answer(DialogAnswer::Ok);
    CtrlDelete();
    // Deleted from the last: 7 went, 5 failed and stopped the command, 3 was not reached.
    EXPECT_EQ(StoredNames(), Without(8, {7}));
    ASSERT_EQ(dialogs->requests().size(), 2u);
    EXPECT_TRUE(dialogs->requests()[1].text.contains(QStringLiteral("entry 5 stays")));
    EXPECT_EQ(SelectedRecNos().size(), 2u);
    EXPECT_FALSE(query.ControlsDisabled());
    // Nothing is left half-done: the next command works on.
    EXPECT_EQ(query.State(), dsBrowse);
}

TEST_F(GridRecordCommands, CtrlApostropheCopiesThePhoneFromTheRecordAbove) {
    StartOnNumbered(5);
    // On the window's top row there is no record above.
    Key(Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_EQ(query.State(), dsBrowse);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Tel")).AsFloat(), 200002.0);
    EXPECT_EQ(grid->Selection().SelectionType(), gstNon);
    // The next move stores it.
    Key(Qt::Key_Down);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(folder().entries()[2].tel, 200002.0);
    // Esc drops it instead.
    Key(Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_EQ(query.State(), dsEdit);
    Key(Qt::Key_Escape);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(folder().entries()[3].tel, 200004.0);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Tel")).AsFloat(), 200004.0);
}

} // namespace
