// The grid as a screen reader reads it, through Qt's accessibility API: a table over the whole
// result with the cells as painted, its selection and current cell, the events that tell a
// reader what changed, and the commands a reader may give.
#include "tests/grid/GridFixture.h"
#include "tests/support/AccessibleEventLog.h"
#include "tests/support/RecordingAdoProvider.h"

#include "grid/TDBGridEhAccessible.h"
#include "platform/db/SqliteAdoProvider.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <functional>
#include <numeric>

namespace {

using namespace Qt::StringLiterals;

class GridAccessibleTest : public GridTest {
protected:
    using GridTest::GridTest;

    QAccessibleInterface* table() { return AccessibleOf(grid); }
    QAccessibleTableInterface* cells() { return table()->tableInterface(); }
    QString cellText(int row, int column) {
        QAccessibleInterface* cell = cells()->cellAt(row, column);
        return cell != nullptr ? cell->text(QAccessible::Name) : u"<none>"_s;
    }
    QList<int> selectedRows() { return cells()->selectedRows(); }

    AccessibleEventLog events;
};

TEST_F(GridAccessibleTest, IsATableOfEveryRecordOfTheResultWithTheTitlesAsHeaders) {
    StartOnNumbered(40);
    ASSERT_EQ(table()->role(), QAccessible::Table);
    ASSERT_NE(cells(), nullptr);
    EXPECT_EQ(cells()->rowCount(), 40);
    EXPECT_EQ(cells()->columnCount(), 3);
    EXPECT_EQ(table()->childCount(), 3 + 40 * 3);
    const QString titles[] = {u"Телефон"_s, u"Ф.И.О. или организация"_s, u"Адрес"_s};
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(cells()->columnDescription(column), titles[column]);
        QAccessibleInterface* header = table()->child(column);
        EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
        EXPECT_EQ(header->text(QAccessible::Name), titles[column]);
        EXPECT_EQ(cells()->cellAt(7, column)->tableCellInterface()->columnHeaderCells(),
                  QList<QAccessibleInterface*>{header});
    }
}

// Rows inside the row window read as painted; rows far below it are read through the data set,
// and reading them moves neither the current record nor the window.
TEST_F(GridAccessibleTest, ReadsEveryCellAsTheGridShowsItWithoutMovingTheRecord) {
    StartOnNumbered(40);
    struct Case {
        int row, column;
        QString text;
    };
    const Case cases[] = {
        {0, 0, u"20-00-01"_s},    {0, 1, u"Person 001"_s}, {0, 2, u"LENINA 001"_s},
        {18, 1, u"Person 019"_s}, {35, 0, u"20-00-36"_s},  {39, 2, u"LENINA 040"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(cellText(c.row, c.column), c.text);
    }
    EXPECT_EQ(query.RecNo(), 1);
    EXPECT_EQ(grid->DataLink().ActiveRecord(), 0);
    EXPECT_EQ(query.FieldByName(u"Fio"_s).AsString(), u"Person 001"_s);
    EXPECT_EQ(cells()->cellAt(40, 0), nullptr);
    EXPECT_EQ(cells()->cellAt(35, 0)->text(QAccessible::Value), QString());
    // A row on screen has its place there; one below the window is off screen.
    EXPECT_FALSE(cells()->cellAt(2, 1)->rect().isEmpty());
    EXPECT_TRUE(cells()->cellAt(35, 1)->state().offscreen);
}

// The street-and-name search filters its result; a row far below the window is the filtered
// result's row, not the table's.
TEST_F(GridAccessibleTest, ReadsRowsBeyondTheWindowOfAFilteredResult) {
    AddNumbered(40);
    addEntries({{1, u"Other"_s, u"LENINA 000"_s, {}}});
    Show();
    OpenFiltered(u"LENINA"_s, u"PERSON"_s);
    EXPECT_EQ(cells()->rowCount(), 40);
    EXPECT_EQ(cellText(35, 1), u"Person 036"_s);
    EXPECT_EQ(cellText(0, 2), u"LENINA 001"_s);
    EXPECT_EQ(query.RecNo(), 1);
}

TEST_F(GridAccessibleTest, AHiddenDuplicateReadsAsTheNameItStandsFor) {
    addEntries({{1, u"ШКОЛА № 5"_s, u"А 1"_s, {}},
                {2, u"ШКОЛА № 5"_s, u"А 2"_s, {}},
                {3, u"ШКОЛА № 7"_s, u"А 3"_s, {}}});
    Show();
    OpenFiltered(u"А"_s, u"ШКОЛА"_s);
    EXPECT_EQ(cells()->rowCount(), 3);
    EXPECT_EQ(cellText(0, 1), u"ШКОЛА № 5"_s);
    EXPECT_EQ(cellText(1, 1), u"ШКОЛА № 5"_s);
    EXPECT_EQ(cellText(2, 0), u"--3"_s);
}

TEST_F(GridAccessibleTest, TellsTheSelectionAndTheCurrentCellAsTheKeysLeaveThem) {
    StartOnNumbered(40);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectedRows(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(cells()->selectedRowCount(), 3);
    EXPECT_TRUE(cells()->isRowSelected(2));
    EXPECT_FALSE(cells()->isRowSelected(0));
    QAccessibleInterface* current = cells()->cellAt(3, 0);
    EXPECT_EQ(table()->focusChild(), current);
    EXPECT_TRUE(current->state().focused);
    EXPECT_TRUE(current->state().selected);
    EXPECT_FALSE(cells()->cellAt(0, 0)->state().selected);

    // Ctrl+A works as the corner cell: it clears a selection, or selects everything.
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(cells()->selectedRowCount(), 0);
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(cells()->selectedRowCount(), 40);
    EXPECT_TRUE(cells()->isRowSelected(39));
}

// Everything selected in a large result is counted in full, but only the first rows and their
// cells are listed, whether Ctrl+A selected everything or a range listed every record.
TEST_F(GridAccessibleTest, ListsTheFirstRowsOfALargeSelectionAndCountsThemAll) {
    StartOnNumbered(3000);
    const int listed = TDBGridEhAccessible::MaxSelectedRowsListed;
    QList<int> first(listed);
    std::iota(first.begin(), first.end(), 0);
    const struct {
        const char* gesture;
        int key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {{"Ctrl+A", Qt::Key_A, Qt::ControlModifier},
                 {"Shift+Ctrl+End", Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gesture);
        Key(Qt::Key_Home, Qt::ControlModifier);
        Key(c.key, c.modifiers);
        EXPECT_EQ(cells()->selectedRowCount(), 3000);
        EXPECT_EQ(cells()->selectedCellCount(), 3000 * 3);
        EXPECT_EQ(selectedRows(), first);
        const QList<QAccessibleInterface*> selected = cells()->selectedCells();
        ASSERT_EQ(selected.size(), listed * 3);
        EXPECT_EQ(selected.back(), cells()->cellAt(listed - 1, 2));
        EXPECT_TRUE(cells()->isRowSelected(2999));
        Key(Qt::Key_A, Qt::ControlModifier);
        ASSERT_EQ(cells()->selectedRowCount(), 0);
    }
}

// A record filtered out after it was selected is neither listed nor counted.
TEST_F(GridAccessibleTest, CountsAndListsOnlySelectedRowsStillInTheResult) {
    AddNumbered(40);
    Show();
    OpenFiltered(u"LENINA"_s, u"Person"_s);
    FocusGrid();
    for (int k = 0; k < 8; ++k)
        Key(Qt::Key_Down);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(selectedRows(), (QList<int>{8, 9, 10}));
    query.SetFilter(u"fio='Person 00*'"_s);
    EXPECT_EQ(cells()->rowCount(), 9);
    EXPECT_EQ(selectedRows(), QList<int>{8});
    EXPECT_EQ(cells()->selectedRowCount(), 1);
    EXPECT_EQ(cells()->selectedCellCount(), 3);
}

// Selecting through the interface is a click with Ctrl on the row: the row becomes current and
// joins the selection or leaves it.
TEST_F(GridAccessibleTest, SelectingARowThroughTheTableIsAClickWithCtrl) {
    StartOnNumbered(40);
    EXPECT_TRUE(cells()->selectRow(30));
    EXPECT_TRUE(cells()->selectRow(5));
    EXPECT_EQ(query.RecNo(), 6);
    EXPECT_EQ(SelectedRecNos(), (std::vector<long>{6, 31}));
    EXPECT_TRUE(cells()->unselectRow(30));
    EXPECT_EQ(query.RecNo(), 31);
    EXPECT_EQ(selectedRows(), (QList<int>{5}));
    EXPECT_FALSE(cells()->selectRow(40));
}

TEST_F(GridAccessibleTest, ACellsActionsDoWhatTheMouseAndTheKeysDo) {
    StartOnNumbered(40);
    std::vector<QString> clicked;
    grid->OnCellClick = [&](TColumnEh&) {
        clicked.push_back(query.FieldByName(u"Fio"_s).AsString());
    };
    QAccessibleActionInterface* cell = cells()->cellAt(25, 2)->actionInterface();
    ASSERT_NE(cell, nullptr);
    cell->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicked, std::vector<QString>{u"Person 026"_s});
    EXPECT_EQ(selectedRows(), (QList<int>{25}));

    cells()->cellAt(27, 0)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(selectedRows(), (QList<int>{25, 27}));

    FocusElsewhere();
    cells()->cellAt(3, 0)->actionInterface()->doAction(
        QAccessibleActionInterface::setFocusAction());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(query.RecNo(), 4);
    EXPECT_EQ(selectedRows(), QList<int>{});
}

// Without whole-row selection the pressed cell becomes the current one, as under the mouse.
TEST_F(GridAccessibleTest, PressingACellMakesItCurrent) {
    StartOnNumbered(40);
    grid->SetOptions(grid->Options().Exclude(dgRowSelect));
    int entered = 0;
    grid->OnColEnter = [&] {
        ++entered;
    };
    cells()->cellAt(25, 2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(table()->focusChild(), cells()->cellAt(25, 2));
    EXPECT_EQ(entered, 1);
}

// Space does what a click on the current entry does; Ctrl+Space what a click with Ctrl does.
TEST_F(GridAccessibleTest, SpaceClicksTheCurrentEntryAndCtrlSpaceTogglesIt) {
    StartOnNumbered(10);
    int clicks = 0;
    grid->OnCellClick = [&](TColumnEh&) {
        ++clicks;
    };
    Key(Qt::Key_Down);
    Key(Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(selectedRows(), QList<int>{1});
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(selectedRows(), QList<int>{});
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectedRows(), (QList<int>{1, 2}));
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(selectedRows(), QList<int>{1});
    EXPECT_EQ(clicks, 1);
}

// Qt tells of the grid taking the focus as the focus moves, after the grid's focusInEvent; the
// current cell is told at the next turn of the event loop, after it, so a reader that follows
// the last focus event lands on the cell.
TEST_F(GridAccessibleTest, TellsTheCurrentCellAfterTheGridTookTheFocus) {
    StartOnNumbered(10);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    FocusElsewhere();
    events.clear();
    QTest::keyClick(other, Qt::Key_Backtab);
    ASSERT_TRUE(grid->hasFocus());
    EXPECT_TRUE(events.of(grid, QAccessible::Focus).empty());
    QApplication::processEvents();
    const auto focus = events.of(grid, QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].child, TDBGridEhAccessible::CellIndex(2, 0, 3));
}

// Ctrl+Space, a click with Ctrl and a reader's unselect on the end of a range all end that
// range: the next Shift+Down starts a new one from the current entry.
TEST_F(GridAccessibleTest, UnselectingTheEndOfARangeEndsItWhateverUnselectsIt) {
    const struct {
        const char* way;
        std::function<void()> unselect;
    } cases[] = {
        {"Ctrl+Space",
         [this] {
             Key(Qt::Key_Space, Qt::ControlModifier);
         }},
        {"Ctrl+click",
         [this] {
             QTest::mouseClick(grid, Qt::LeftButton, Qt::ControlModifier, Widget(DataRowPoint(3)));
         }},
        {"unselectRow",
         [this] {
             cells()->unselectRow(3);
         }},
    };
    StartOnNumbered(10);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        Key(Qt::Key_Home, Qt::ControlModifier);
        Key(Qt::Key_Down);
        Key(Qt::Key_Down, Qt::ShiftModifier);
        Key(Qt::Key_Down, Qt::ShiftModifier);
        ASSERT_EQ(selectedRows(), (QList<int>{1, 2, 3}));
        c.unselect();
        EXPECT_EQ(selectedRows(), (QList<int>{1, 2}));
        Key(Qt::Key_Down, Qt::ShiftModifier);
        EXPECT_EQ(selectedRows(), (QList<int>{1, 2, 3, 4}));
    }
}

TEST_F(GridAccessibleTest, TellsANewResultAMoveTheSelectionAndTheHint) {
    StartOnNumbered(40);
    QApplication::processEvents();
    const auto resets = events.of(grid, QAccessible::TableModelChanged);
    ASSERT_FALSE(resets.empty());
    EXPECT_EQ(resets.back().modelChange, QAccessibleTableModelChangeEvent::ModelReset);

    events.clear();
    Key(Qt::Key_Down);
    QApplication::processEvents();
    auto focus = events.of(grid, QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].child, TDBGridEhAccessible::CellIndex(1, 0, 3));

    // A gesture over many records tells where it ended, once.
    events.clear();
    Key(Qt::Key_End, Qt::ShiftModifier);
    QApplication::processEvents();
    focus = events.of(grid, QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].child, TDBGridEhAccessible::CellIndex(39, 0, 3));
    EXPECT_EQ(events.of(grid, QAccessible::SelectionWithin).size(), 1u);

    events.clear();
    grid->SetHint(u"Звонить вечером|после шести"_s);
    EXPECT_EQ(events.of(grid, QAccessible::DescriptionChanged).size(), 1u);
    EXPECT_EQ(table()->text(QAccessible::Description), u"Звонить вечером"_s);

    events.clear();
    query.Close();
    OpenAll();
    QApplication::processEvents();
    EXPECT_EQ(events.of(grid, QAccessible::TableModelChanged).size(), 1u);
    focus = events.of(grid, QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].child, TDBGridEhAccessible::CellIndex(0, 0, 3));
}

// The grid over a data set whose recordset calls can be made to fail.
class GridAccessibleFailingTest : public GridAccessibleTest {
protected:
    GridAccessibleFailingTest() : GridAccessibleTest(Provider()) {}
    ~GridAccessibleFailingTest() override { Provider().failCalls({}); }
    static RecordingAdoProvider& Provider() {
        static RecordingAdoProvider provider(SqliteAdoProvider());
        return provider;
    }
};

// A reader asking about the grid while the database fails gets empty answers: nothing escapes
// into Qt or the accessibility bus, where it would end the program.
TEST_F(GridAccessibleFailingTest, AFailingDataSetAnswersEmptyInsteadOfThrowing) {
    StartOnNumbered(40);
    // Records fetched while the controls are disabled have their row numbers looked up when
    // asked for, through the recordset.
    query.DisableControls();
    query.Last();
    const QPoint middle = grid->mapToGlobal(Widget(DataRowPoint(3)));
    Provider().clear();
    Provider().failCalls({u"Recordset.Bookmark ="_s, u"Recordset.AbsolutePosition"_s});
    EXPECT_NO_THROW({
        EXPECT_EQ(table()->focusChild(), nullptr);
        EXPECT_EQ(table()->childAt(middle.x(), middle.y()), nullptr);
        QAccessibleInterface* cell = cells()->cellAt(3, 1);
        ASSERT_NE(cell, nullptr);
        EXPECT_FALSE(cell->state().focused);
        EXPECT_TRUE(cell->rect().isEmpty());
        EXPECT_EQ(cellText(30, 1), QString());
        EXPECT_FALSE(cells()->isRowSelected(30));
        EXPECT_EQ(selectedRows(), QList<int>{});
    });
    EXPECT_FALSE(Provider().callsMatching({u"Recordset.Bookmark ="_s}).isEmpty());
    Provider().failCalls({});
    query.EnableControls();
}

} // namespace
