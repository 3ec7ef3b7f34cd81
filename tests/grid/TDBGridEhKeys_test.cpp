// The grid's keys, sent as real key events to the focused grid over a small directory: moves,
// Shift ranges, Ctrl toggling, clearing, Esc and leaving the grid with Tab.
#include "tests/grid/GridFixture.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Recs = std::vector<long>;

class GridKeys : public GridTest {
protected:
    void Press(QPoint client, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(grid, button, modifiers, Widget(client));
    }
};

TEST_F(GridKeys, ShiftDownGrowsTheRangeAndShiftUpShrinksIt) {
    StartOnNumbered(30);
    Key(Qt::Key_Down);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(query.RecNo(), 5);
    EXPECT_EQ(SelectedRecNos(), (Recs{2, 3, 4, 5}));
    EXPECT_EQ(grid->Selection().SelectionType(), gstRecordBookmarks);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(query.RecNo(), 4);
    EXPECT_EQ(SelectedRecNos(), (Recs{2, 3, 4}));
    // A move without Shift clears the selection.
    Key(Qt::Key_Down);
    EXPECT_EQ(query.RecNo(), 5);
    EXPECT_EQ(SelectedRecNos(), Recs{});
    EXPECT_EQ(grid->Selection().SelectionType(), gstNon);
}

TEST_F(GridKeys, CtrlShiftDownTogglesToTheBottomOfTheWindow) {
    StartOnNumbered(30);
    ASSERT_EQ(grid->WindowCapacity(), 19);
    // From an unselected row: that row and every row down to the window's bottom.
    Key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(query.RecNo(), 19);
    EXPECT_EQ(SelectedRecNos().size(), 19u);
    // Back to row 3 with Ctrl+Shift+Up shrinks the range to rows 1 and 2; a right click there
    // ends the gesture without changing the selection.
    Key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(SelectedRecNos(), Recs{1});
    for (int i = 0; i < 2; ++i)
        Key(Qt::Key_Down, Qt::ShiftModifier);
    Press(DataRowPoint(2), Qt::RightButton);
    ASSERT_EQ(SelectedRecNos(), (Recs{1, 2, 3}));
    // From a selected row the same key unselects instead.
    Key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(query.RecNo(), 19);
    EXPECT_EQ(SelectedRecNos(), (Recs{1, 2}));
}

struct MoveCase {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    long recNo;
};

TEST_F(GridKeys, PageHomeEndAndCtrlMoves) {
    StartOnNumbered(60);
    const MoveCase cases[] = {
        {"Page Down: the visible rows", Qt::Key_PageDown, Qt::NoModifier, 20},
        {"Ctrl+Up: the window's top", Qt::Key_Up, Qt::ControlModifier, 2},
        {"Ctrl+Down: the window's bottom", Qt::Key_Down, Qt::ControlModifier, 20},
        {"End", Qt::Key_End, Qt::NoModifier, 60},
        {"Down on the last record", Qt::Key_Down, Qt::NoModifier, 60},
        {"Page Up", Qt::Key_PageUp, Qt::NoModifier, 41},
        {"Home", Qt::Key_Home, Qt::NoModifier, 1},
        {"Up on the first record", Qt::Key_Up, Qt::NoModifier, 1},
        {"Ctrl+End", Qt::Key_End, Qt::ControlModifier, 60},
        {"Ctrl+Home", Qt::Key_Home, Qt::ControlModifier, 1},
        {"Right, Left, Insert, Enter, F2 and letters", Qt::Key_Right, Qt::NoModifier, 1},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.what);
        Key(c.key, c.modifiers);
        EXPECT_EQ(query.RecNo(), c.recNo);
    }
    for (int key : {Qt::Key_Left, Qt::Key_Insert, Qt::Key_Return, Qt::Key_F2, Qt::Key_Q})
        Key(key);
    EXPECT_EQ(query.RecNo(), 1);
    EXPECT_EQ(query.State(), dsBrowse);
    // Down at the end of the result never adds a record.
    EXPECT_EQ(query.RecordCount(), 60);
}

TEST_F(GridKeys, ShiftEndAndShiftHomeSelectToTheEnds) {
    StartOnNumbered(40);
    Key(Qt::Key_Down);
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(query.RecNo(), 40);
    EXPECT_EQ(SelectedRecNos().size(), 39u);
    Key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(query.RecNo(), 1);
    EXPECT_EQ(SelectedRecNos(), (Recs{1, 2}));
}

TEST_F(GridKeys, EscCancelsTheEditAndClearsTheSelection) {
    StartOnNumbered(5);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    query.Edit();
    query.FieldByName(QStringLiteral("Fio")).SetAsString(QStringLiteral("Changed"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Fio")).AsString(), QStringLiteral("Person 002"));
    EXPECT_EQ(SelectedRecNos(), Recs{});
}

TEST_F(GridKeys, TabAndShiftTabLeaveTheGridWithoutMoving) {
    StartOnNumbered(5);
    Key(Qt::Key_Down);
    Key(Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    FocusGrid();
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(grid->hasFocus());
    EXPECT_EQ(query.RecNo(), 2);
}

TEST_F(GridKeys, LeavingTheGridDropsAnUnchangedNewRecord) {
    StartOnNumbered(3);
    query.Insert();
    FocusElsewhere();
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.RecordCount(), 3);
}

TEST_F(GridKeys, KeysOnAClosedQueryDoNothing) {
    AddNumbered(3);
    Show();
    FocusGrid();
    for (int key : {Qt::Key_Down, Qt::Key_End, Qt::Key_Escape, Qt::Key_Delete})
        Key(key, key == Qt::Key_Delete ? Qt::ControlModifier : Qt::NoModifier);
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(grid->Selection().SelectionType(), gstNon);
}

} // namespace
