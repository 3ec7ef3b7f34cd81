// The grid's text search as the find dialog runs it over the directory query: where each
// direction starts and stops, the cell text with and without the display format, empty
// patterns, all columns, empty results, the position kept on a miss, notifications and
// failures of the query during a search.
#include "tests/grid/FindDialogFixture.h"

#include "data/DataSetEvents.h"
#include "data/TADOQuery.h"
#include "data/TDataLink.h"
#include "grid/GridTextSearch.h"
#include "platform/Exceptions.h"
#include "tests/app/Typing.h"
#include "tools/DirectoryEntry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Phone = QStringLiteral("Телефон");
const QString Fio = QStringLiteral("Ф.И.О. или организация");
const QString Address = QStringLiteral("Адрес");
const QString AllColumns = QStringLiteral("<All>");
const QString AnyPart = QStringLiteral("С любой части поля");
const QString WholeField = QStringLiteral("Поля целиком");
const QString FromBeginning = QStringLiteral("С начала поля");
const QString Up = QStringLiteral("Вверх");
const QString Down = QStringLiteral("Вниз");
const QString All = QStringLiteral("Все");

using GridSearch = FindDialogTest;

// The typical use, through real keys only: Ctrl+F on the grid, the pattern typed, Enter.
TEST_F(GridSearch, CtrlFTypingAndEnterFindTheFirstMatchFromTheTop) {
    Start(40);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_Down);
    ASSERT_EQ(RecNo(), 21);
    OpenDialog();
    // Tab to the column list and take the next entry, the names.
    DialogKey(Qt::Key_Tab);
    DialogKey(Qt::Key_Down);
    ASSERT_EQ(Dialog().cbFindIn->currentText(), Fio);
    DialogKey(Qt::Key_Tab, Qt::ShiftModifier);
    TypeText(QApplication::focusWidget(), QStringLiteral("person 01"));
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), 10);
    EXPECT_EQ(CurrentFio(), QStringLiteral("Person 010"));
    EXPECT_FALSE(Dialog().FirstSearch());
    // Again: the search goes on below the match.
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), 11);
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), 12);
    // An edited pattern starts at the top again.
    DialogKey(Qt::Key_Backspace);
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), 1);
    EXPECT_TRUE(Dialog().isVisible());
    // The grid behind the dialog shows the found record as its current row.
    EXPECT_EQ(grid->Row(), 1);
    DialogKey(Qt::Key_Escape);
    ExpectFocusBackInGrid();
}

TEST_F(GridSearch, UpAtTheFirstAndDownAtTheLastRecordFindNothing) {
    Start(30);
    Find(QStringLiteral("Person"), Fio, AnyPart, Up);
    EXPECT_EQ(RecNo(), 1);
    EXPECT_TRUE(Dialog().FirstSearch());
    DialogKey(Qt::Key_Escape);
    Key(Qt::Key_End);
    ASSERT_EQ(RecNo(), 30);
    const QImage before = Screen();
    Find(QStringLiteral("Person"), Fio, AnyPart, Down);
    EXPECT_EQ(RecNo(), 30);
    EXPECT_EQ(grid->Row(), 19);
    EXPECT_EQ(ImageDifference(Screen(), before), "");
    // Up from there finds the record before.
    Choose(Dialog().cbFindDirection, Up);
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), 29);
}

TEST_F(GridSearch, CtrlReversesTheDirection) {
    Start(30);
    Key(Qt::Key_PageDown);
    ASSERT_EQ(RecNo(), 20);
    Find(QStringLiteral("Person"), Fio, AnyPart, All);
    // Enter searched from the top.
    ASSERT_EQ(RecNo(), 1);
    DialogKey(Qt::Key_Escape);
    Key(Qt::Key_PageDown);
    OpenDialog();
    Choose(Dialog().cbFindIn, Fio);
    TypePattern(QStringLiteral("Person"));
    // "Все" with Ctrl: upward from the current record.
    DialogKey(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(RecNo(), 19);
    ClickFind(Qt::ControlModifier);
    EXPECT_EQ(RecNo(), 18);
    // "Вверх" with Ctrl: downward.
    Choose(Dialog().cbFindDirection, Up);
    ClickFind(Qt::ControlModifier);
    EXPECT_EQ(RecNo(), 19);
    ClickFind();
    EXPECT_EQ(RecNo(), 18);
}

struct FormatCase {
    const char* pattern;
    bool useFormat;
    long found; // 0: nothing
};

// The phone column shows "#-##-##": with the format the dashes belong to the text, without it
// the plain number is compared.
TEST_F(GridSearch, PhonesCompareAsShownOnlyWithTheFormat) {
    Start(30);
    const FormatCase cases[] = {
        {"20-00-15", true, 15}, {"0015", true, 0},  {"20-00-15", false, 0},
        {"0015", false, 15},    {"00-2", true, 20}, {"200027", false, 27},
    };
    OpenDialog();
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.pattern);
        Dialog().cbUseFormat->setChecked(c.useFormat);
        Find(QString::fromUtf8(c.pattern), Phone, AnyPart, All);
        EXPECT_EQ(RecNo(), c.found == 0 ? 1 : c.found) << (c.useFormat ? "format" : "plain");
        Key(Qt::Key_Home);
        query.First();
    }
}

TEST_F(GridSearch, AnEmptyPatternBeginsEveryCellButIsPartOfNone) {
    Start(30);
    Key(Qt::Key_Down, Qt::NoModifier);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Down);
    ASSERT_EQ(RecNo(), 5);
    Find(QString(), Fio, FromBeginning, Down);
    EXPECT_EQ(RecNo(), 6);
    Find(QString(), Fio, FromBeginning, All);
    EXPECT_EQ(RecNo(), 1);
    Find(QString(), Fio, AnyPart, All);
    EXPECT_EQ(RecNo(), 1);
    Find(QString(), Fio, AnyPart, Down);
    EXPECT_EQ(RecNo(), 1);
    // Whole field: only an empty cell. The notes are empty, but no column shows them.
    Find(QString(), Fio, WholeField, All);
    EXPECT_EQ(RecNo(), 1);
    EXPECT_TRUE(Dialog().FirstSearch());
}

TEST_F(GridSearch, AllColumnsGoesCellByCellFromTheSecondColumnOfTheCurrentRecord) {
    Start(30);
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Down);
    ASSERT_EQ(RecNo(), 5);
    // One column: the phone column after the current record, so not record 5's name.
    Find(QStringLiteral("Person 005"), Phone, AnyPart, Down);
    EXPECT_EQ(RecNo(), 5);
    EXPECT_TRUE(Dialog().FirstSearch());
    // All columns: the name of the current record comes first, then its address.
    Find(QStringLiteral("005"), AllColumns, AnyPart, Down);
    EXPECT_EQ(RecNo(), 5);
    EXPECT_FALSE(Dialog().FirstSearch());
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), 5);
    EXPECT_FALSE(Dialog().FirstSearch());
    // Then record 6 from its first column on.
    TypePattern(QStringLiteral("20-00-06"));
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), 6);
    // Up from the phone of record 6: the address of record 5 first.
    TypePattern(QStringLiteral("LENINA 00"));
    Choose(Dialog().cbFindDirection, Up);
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), 5);
}

TEST_F(GridSearch, AChosenColumnIsSearchedInsteadOfTheCurrentOne) {
    Start(30);
    Find(QStringLiteral("lenina 020"), Address, AnyPart, All);
    EXPECT_EQ(RecNo(), 20);
    Find(QStringLiteral("lenina 020"), Fio, AnyPart, All);
    EXPECT_EQ(RecNo(), 20);
    EXPECT_TRUE(Dialog().FirstSearch());
}

TEST_F(GridSearch, CyrillicMatchesIgnoringCaseAsTheSearchInTheWindowDoes) {
    addEntries({
        {300001.0, QStringLiteral("Ёлкин Пётр"), QStringLiteral("МИРА 1"), std::nullopt},
        {300002.0, QStringLiteral("ЕЛКИН ИВАН"), QStringLiteral("МИРА 2"), std::nullopt},
        {300003.0, QStringLiteral("иванова анна"), QStringLiteral("мира 3"), std::nullopt},
    });
    Show();
    OpenAll();
    FocusGrid();
    ASSERT_EQ(CurrentFio(), QStringLiteral("Ёлкин Пётр"));
    // Ё and Е are different letters, as in the window's search.
    Find(QStringLiteral("елкин"), Fio, AnyPart, All);
    EXPECT_EQ(CurrentFio(), QStringLiteral("ЕЛКИН ИВАН"));
    Find(QStringLiteral("ёЛКИН"), Fio, AnyPart, All);
    EXPECT_EQ(CurrentFio(), QStringLiteral("Ёлкин Пётр"));
    Find(QStringLiteral("ИВАНОВА"), Fio, AnyPart, All);
    EXPECT_EQ(CurrentFio(), QStringLiteral("иванова анна"));
    Find(QStringLiteral("ЕЛКИН ИВАН"), Fio, WholeField, All);
    EXPECT_EQ(CurrentFio(), QStringLiteral("ЕЛКИН ИВАН"));
    Find(QStringLiteral("ИВАНОВА"), Fio, FromBeginning, All);
    EXPECT_EQ(CurrentFio(), QStringLiteral("иванова анна"));
    // With letter case: only the exact spelling.
    Dialog().cbCharCase->setChecked(true);
    Find(QStringLiteral("ИВАН"), Fio, AnyPart, All);
    EXPECT_EQ(CurrentFio(), QStringLiteral("ЕЛКИН ИВАН"));
    Find(QStringLiteral("Иван"), Fio, AnyPart, All);
    EXPECT_EQ(CurrentFio(), QStringLiteral("ЕЛКИН ИВАН"));
    EXPECT_TRUE(Dialog().FirstSearch());
}

TEST_F(GridSearch, AnEmptyResultFindsNothing) {
    AddNumbered(5);
    Show();
    OpenFiltered(QStringLiteral("NOWHERE"), QStringLiteral("Person"));
    FocusGrid();
    ASSERT_TRUE(query.IsEmpty());
    const char* const directions[] = {"Вверх", "Вниз", "Все"};
    for (const char* direction : directions) {
        Find(QString(), AllColumns, FromBeginning, QString::fromUtf8(direction));
        EXPECT_TRUE(Dialog().FirstSearch()) << direction;
    }
    EXPECT_TRUE(query.IsEmpty());
    EXPECT_TRUE(dialogs->requests().empty());
}

// A miss restores the current record and the rows shown around it.
TEST_F(GridSearch, AMissLeavesTheWindowAsItWas) {
    Start(100);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_PageDown);
    Key(Qt::Key_Up, Qt::ControlModifier);
    const long recNo = RecNo();
    const int row = grid->Row();
    ASSERT_EQ(row, 1);
    OpenDialog();
    const QImage before = Screen();
    const char* const directions[] = {"Вверх", "Вниз", "Все"};
    for (const char* direction : directions) {
        Find(QStringLiteral("nobody"), AllColumns, AnyPart, QString::fromUtf8(direction));
        EXPECT_EQ(RecNo(), recNo) << direction;
        EXPECT_EQ(grid->Row(), row) << direction;
        EXPECT_EQ(ImageDifference(Screen(), before), "") << direction;
    }
}

// Counts what the data set tells a control.
class NotificationCounter : public TDataLink {
public:
    int changes = 0;
    int scrolls = 0;

protected:
    void DataSetChanged() override { ++changes; }
    void DataSetScrolled(int) override { ++scrolls; }
};

TEST_F(GridSearch, ControlsHearOneChangeAfterTheWholeSearch) {
    Start(100);
    NotificationCounter counter;
    counter.SetDataSource(&source);
    Find(QStringLiteral("Person 090"), Fio, AnyPart, Down);
    EXPECT_EQ(RecNo(), 90);
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(counter.scrolls, 0);
    counter.SetDataSource(nullptr);
}

// "<All>" looks through the columns wholly inside the client area only.
TEST_F(GridSearch, AllColumnsAreTheWhollyVisibleOnes) {
    Start(10);
    EXPECT_EQ(FullyVisibleDataColumns(*grid), 3);
    Find(QStringLiteral("lenina 004"), AllColumns, AnyPart, All);
    EXPECT_EQ(RecNo(), 4);
    DialogKey(Qt::Key_Escape);
    // A wider name column leaves the address cut off at the right.
    grid->Columns()[1].SetWidth(300);
    EXPECT_EQ(FullyVisibleDataColumns(*grid), 2);
    Find(QStringLiteral("lenina 007"), AllColumns, AnyPart, All);
    EXPECT_EQ(RecNo(), 4);
    EXPECT_TRUE(Dialog().FirstSearch());
    // No column wholly visible: nothing is ever found.
    grid->Columns()[0].SetWidth(500);
    EXPECT_EQ(FullyVisibleDataColumns(*grid), 0);
    Find(QStringLiteral("Person 005"), Fio, AnyPart, All);
    EXPECT_EQ(RecNo(), 4);
    EXPECT_TRUE(Dialog().FirstSearch());
    grid->Columns()[0].SetWidth(49);
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), 5);
}

// A failed fetch ends the search where it happened: the grid hears of the move, the error
// is reported and the dialog stays open for the next search.
TEST_F(GridSearch, AFailureDuringTheSearchIsReportedAndTheGridFollows) {
    Start(60);
    int moves = 0;
    query.AfterScroll = [&moves](TADOQuery&) {
        if (++moves == 30)
            throw EDatabaseError(QStringLiteral("Row cannot be located for updating."));
    };
    Find(QStringLiteral("nobody"), Fio, AnyPart, All);
    query.AfterScroll = nullptr;
    ASSERT_EQ(dialogs->requests().size(), 1u);
    EXPECT_EQ(dialogs->requests()[0].text, QStringLiteral("Row cannot be located for updating."));
    EXPECT_FALSE(query.ControlsDisabled());
    EXPECT_TRUE(Dialog().isVisible());
    // The query stopped where the failure happened, and the grid shows it.
    const long stopped = RecNo();
    EXPECT_GT(stopped, 1);
    EXPECT_EQ(grid->Row(), 1 + grid->DataLink().ActiveRecord());
    Find(QStringLiteral("Person 001"), Fio, AnyPart, All);
    EXPECT_EQ(RecNo(), 1);
}

} // namespace
