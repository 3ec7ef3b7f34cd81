// What each key asks of the grid, with and without Shift and Ctrl, as a pure function.
#include "grid/GridKeyAction.h"

#include <gtest/gtest.h>

#include <ostream>

// Shows an action in failure messages; gtest finds it beside the type, in the global namespace.
void PrintTo(const GridKeyAction& action, std::ostream* out) {
    *out << "{command " << static_cast<int>(action.command) << ", distance " << action.distance
         << (action.toEnd ? ", to end" : "") << (action.select ? ", select" : "")
         << (action.clearFirst ? ", clear first" : "") << "}";
}

namespace {

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
const Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

GridKeyAction Step(int distance, bool select) {
    return {.command = GridCommand::Step, .distance = distance, .select = select};
}
GridKeyAction StepToEnd(int direction) {
    return {.command = GridCommand::Step, .distance = direction, .toEnd = true, .select = true};
}
GridKeyAction Move(int distance) {
    return {.command = GridCommand::MoveBy, .distance = distance, .clearFirst = true};
}
GridKeyAction Cleared(GridCommand command) {
    return {.command = command, .clearFirst = true};
}
GridKeyAction Plain(GridCommand command, int distance = 0) {
    return {.command = command, .distance = distance};
}

struct KeyCase {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    GridKeyAction expected;
};

// The current record at window position 5 of 19, 19 rows visible, in browse state.
TEST(GridKeyAction, EachKeyWithItsModifiers) {
    const GridKeyContext context{.position = 5, .capacity = 19, .visibleRows = 19};
    const KeyCase cases[] = {
        {"Down", Qt::Key_Down, None, Step(1, false)},
        {"Shift+Down", Qt::Key_Down, Shift, Step(1, true)},
        {"Ctrl+Down: window bottom", Qt::Key_Down, Ctrl, Move(13)},
        {"Ctrl+Shift+Down", Qt::Key_Down, CtrlShift, Step(13, true)},
        {"Up", Qt::Key_Up, None, Step(-1, false)},
        {"Shift+Up", Qt::Key_Up, Shift, Step(-1, true)},
        {"Ctrl+Up: window top", Qt::Key_Up, Ctrl, Move(-5)},
        {"Ctrl+Shift+Up", Qt::Key_Up, CtrlShift, Step(-5, true)},
        {"Page Down", Qt::Key_PageDown, None, Move(19)},
        {"Shift+Page Down", Qt::Key_PageDown, Shift, Step(19, true)},
        {"Ctrl+Page Down", Qt::Key_PageDown, Ctrl, Move(13)},
        {"Page Up", Qt::Key_PageUp, None, Move(-19)},
        {"Shift+Page Up", Qt::Key_PageUp, Shift, Step(-19, true)},
        {"Ctrl+Shift+Page Up", Qt::Key_PageUp, CtrlShift, Step(-5, true)},
        {"End", Qt::Key_End, None, Cleared(GridCommand::Last)},
        {"Shift+End", Qt::Key_End, Shift, StepToEnd(1)},
        {"Ctrl+End", Qt::Key_End, Ctrl, Cleared(GridCommand::Last)},
        {"Ctrl+Shift+End", Qt::Key_End, CtrlShift, StepToEnd(1)},
        {"Home", Qt::Key_Home, None, Cleared(GridCommand::First)},
        {"Shift+Home", Qt::Key_Home, Shift, StepToEnd(-1)},
        {"Right", Qt::Key_Right, None, Plain(GridCommand::ScrollColumns, 1)},
        {"Ctrl+Right", Qt::Key_Right, Ctrl, Plain(GridCommand::LastColumn)},
        {"Left", Qt::Key_Left, None, Plain(GridCommand::ScrollColumns, -1)},
        {"Ctrl+Left", Qt::Key_Left, Ctrl, Plain(GridCommand::FirstColumn)},
        {"Delete", Qt::Key_Delete, None, {}},
        {"Shift+Delete", Qt::Key_Delete, Shift, {}},
        {"Ctrl+Delete", Qt::Key_Delete, Ctrl, Plain(GridCommand::DeleteRecords)},
        {"Insert", Qt::Key_Insert, None, {}},
        {"Ctrl+Insert", Qt::Key_Insert, Ctrl, {}},
        {"Esc", Qt::Key_Escape, None, Plain(GridCommand::Reset)},
        {"Enter", Qt::Key_Return, None, {}},
        {"F2", Qt::Key_F2, None, {}},
        {"F", Qt::Key_F, None, {}},
        {"Ctrl+F", Qt::Key_F, Ctrl, Plain(GridCommand::Find)},
        {"Ctrl+A", Qt::Key_A, Ctrl, Plain(GridCommand::SelectAll)},
        {"A", Qt::Key_A, None, {}},
        {"Space", Qt::Key_Space, None, Plain(GridCommand::Click)},
        {"Ctrl+Space", Qt::Key_Space, Ctrl, Plain(GridCommand::ToggleRow)},
        {"Ctrl+C", Qt::Key_C, Ctrl, {}},
        {"Ctrl+V", Qt::Key_V, Ctrl, {}},
        {"Ctrl+X", Qt::Key_X, Ctrl, {}},
        {"apostrophe", Qt::Key_Apostrophe, None, {}},
        {"Ctrl+apostrophe", Qt::Key_Apostrophe, Ctrl, Plain(GridCommand::CopyFromAbove)},
        {"a printable character", Qt::Key_Q, None, {}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(KeyAction(c.key, c.modifiers, context), c.expected);
    }
}

// A new record nobody has filled in: Down drops it, except at the end of the result, where
// Up drops it instead.
TEST(GridKeyAction, AnUnchangedNewRecordIsDroppedByUpAndDown) {
    GridKeyContext context{.position = 3, .capacity = 19, .visibleRows = 19};
    context.unchangedInsert = true;
    EXPECT_EQ(KeyAction(Qt::Key_Down, None, context), Plain(GridCommand::CancelInsert));
    EXPECT_EQ(KeyAction(Qt::Key_Up, None, context), Step(-1, false));
    context.atEnd = true;
    EXPECT_EQ(KeyAction(Qt::Key_Down, None, context), GridKeyAction{});
    EXPECT_EQ(KeyAction(Qt::Key_Up, None, context), Plain(GridCommand::CancelInsert));
    EXPECT_EQ(KeyAction(Qt::Key_Down, Ctrl, context), Move(15));
}

} // namespace
