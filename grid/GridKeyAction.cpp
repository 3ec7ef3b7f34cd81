#include "grid/GridKeyAction.h"

namespace {

GridKeyAction Command(GridCommand command) {
    return {.command = command};
}

// Moves one record at a time, selecting or clearing on the way.
GridKeyAction Step(int distance, bool select) {
    return {.command = GridCommand::Step, .distance = distance, .select = select};
}

GridKeyAction StepToEnd(int direction) {
    return {.command = GridCommand::Step, .distance = direction, .toEnd = true, .select = true};
}

// Clears the selection, then moves in one go.
GridKeyAction Move(int distance) {
    return {.command = GridCommand::MoveBy, .distance = distance, .clearFirst = true};
}

// Ctrl with a vertical key: to the top or bottom row of the row window.
GridKeyAction ToWindowEdge(int distance, bool shift) {
    return shift ? Step(distance, true) : Move(distance);
}

GridKeyAction ToEnd(int direction, bool shift) {
    if (shift)
        return StepToEnd(direction);
    GridKeyAction action = Command(direction > 0 ? GridCommand::Last : GridCommand::First);
    action.clearFirst = true;
    return action;
}

} // namespace

GridKeyAction KeyAction(int key, Qt::KeyboardModifiers modifiers, const GridKeyContext& context) {
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const int toBottom = context.capacity - context.position - 1;
    const int toTop = -context.position;
    switch (key) {
    case Qt::Key_Down:
        if (ctrl)
            return ToWindowEdge(toBottom, shift);
        if (context.unchangedInsert)
            return context.atEnd ? GridKeyAction{} : Command(GridCommand::CancelInsert);
        return Step(1, shift);
    case Qt::Key_Up:
        if (ctrl)
            return ToWindowEdge(toTop, shift);
        if (context.unchangedInsert && context.atEnd)
            return Command(GridCommand::CancelInsert);
        return Step(-1, shift);
    case Qt::Key_PageDown:
        if (ctrl)
            return ToWindowEdge(toBottom, shift);
        return shift ? Step(context.visibleRows, true) : Move(context.visibleRows);
    case Qt::Key_PageUp:
        if (ctrl)
            return ToWindowEdge(toTop, shift);
        return shift ? Step(-context.visibleRows, true) : Move(-context.visibleRows);
    case Qt::Key_End:
        return ToEnd(1, shift);
    case Qt::Key_Home:
        return ToEnd(-1, shift);
    case Qt::Key_Right:
        return ctrl ? Command(GridCommand::LastColumn)
                    : GridKeyAction{.command = GridCommand::ScrollColumns, .distance = 1};
    case Qt::Key_Left:
        return ctrl ? Command(GridCommand::FirstColumn)
                    : GridKeyAction{.command = GridCommand::ScrollColumns, .distance = -1};
    case Qt::Key_Delete:
        return ctrl ? Command(GridCommand::DeleteRecords) : GridKeyAction{};
    case Qt::Key_Escape:
        return Command(GridCommand::Reset);
    case Qt::Key_F:
        return ctrl ? Command(GridCommand::Find) : GridKeyAction{};
    case Qt::Key_Apostrophe:
        return ctrl ? Command(GridCommand::CopyFromAbove) : GridKeyAction{};
    case Qt::Key_Space:
        return Command(ctrl ? GridCommand::ToggleRow : GridCommand::Click);
    case Qt::Key_A:
        return ctrl ? Command(GridCommand::SelectAll) : GridKeyAction{};
    default:
        // Insert, Enter, F2, other printable characters and the clipboard keys have nothing to
        // do in a grid without an in-place editor or clipboard commands.
        return {};
    }
}
