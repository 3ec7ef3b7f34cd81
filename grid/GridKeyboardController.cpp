#include "grid/GridKeyboardController.h"

#include "data/TADOQuery.h"
#include "grid/GridResultRows.h"
#include "grid/TDBGridEh.h"
#include "grid/TDBGridEhDataService.h"
#include "platform/ui/ShortcutKey.h"

#include <QKeyEvent>

namespace {

int MirroredKey(int key, Qt::LayoutDirection direction) {
    if (direction != Qt::RightToLeft)
        return key;
    if (key == Qt::Key_Left)
        return Qt::Key_Right;
    if (key == Qt::Key_Right)
        return Qt::Key_Left;
    return key;
}

} // namespace

void GridKeyboardController::KeyDown(QKeyEvent& event) {
    grid_.HideHint();
    // Esc ends a column gesture whatever the data set's state.
    if (event.key() == Qt::Key_Escape)
        grid_.CancelColumnGesture();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    grid_.Selection().SetToggleMode(modifiers.testFlag(Qt::ControlModifier) ||
                                    !grid_.OptionsEh().Contains(dghClearSelection));
    if (!grid_.DataLink().Active() || grid_.DataSet() == nullptr)
        return;
    const int key = MirroredKey(ShortcutKey(event), grid_.layoutDirection());
    Perform(KeyAction(key, modifiers, Context()));
}

GridKeyContext GridKeyboardController::Context() const {
    const TADOQuery& dataSet = *grid_.DataSet();
    GridKeyContext context;
    context.position = grid_.DataLink().ActiveRecord();
    context.capacity = grid_.WindowCapacity();
    context.visibleRows = grid_.VisibleDataRowCount();
    context.unchangedInsert = UnchangedInsert();
    context.atEnd = dataSet.Eof();
    return context;
}

void GridKeyboardController::Perform(const GridKeyAction& action) {
    TADOQuery& dataSet = *grid_.DataSet();
    if (action.clearFirst)
        grid_.Selection().ClearSelection();
    switch (action.command) {
    case GridCommand::None:
        break;
    case GridCommand::Step:
        grid_.Selection().StepSelect(action.select, action.distance, action.toEnd);
        break;
    case GridCommand::MoveBy:
        dataSet.MoveBy(action.distance);
        break;
    case GridCommand::First:
        dataSet.First();
        break;
    case GridCommand::Last:
        dataSet.Last();
        break;
    case GridCommand::CancelInsert:
        dataSet.Cancel();
        break;
    case GridCommand::ScrollColumns:
        ScrollColumns(action.distance);
        break;
    case GridCommand::FirstColumn:
        grid_.RequestColumn(grid_.IndicatorOffset());
        break;
    case GridCommand::LastColumn:
        grid_.RequestColumn(grid_.ColCount() - 1);
        break;
    case GridCommand::DeleteRecords:
        grid_.DeleteRecords();
        break;
    case GridCommand::Reset:
        Reset();
        break;
    case GridCommand::CopyFromAbove:
        grid_.CopyFromAbove();
        break;
    case GridCommand::Find:
        ShowFindDialog();
        break;
    case GridCommand::Click: {
        GridResultRows rows(grid_);
        rows.Click(rows.CurrentRow(), rows.CurrentColumn());
        break;
    }
    case GridCommand::ToggleRow:
        if (grid_.Selection().Allows(gstRecordBookmarks))
            grid_.Selection().CtrlClickCurrentRow();
        break;
    case GridCommand::SelectAll:
        grid_.Selection().ToggleAll();
        break;
    }
}

void GridKeyboardController::Reset() {
    TGridDataLinkEh& link = grid_.DataLink();
    if (link.Modified()) {
        link.Reset();
        grid_.InvalidateCurrentRow();
    } else {
        grid_.DataSet()->Cancel();
    }
    grid_.Selection().ClearSelection();
    grid_.CancelColumnGesture();
}

void GridKeyboardController::ScrollColumns(int distance) {
    // The keys work as the horizontal bar's arrows: nothing while the columns fit.
    if (distance != 0)
        grid_.HorzScrollCommand(distance > 0 ? scLineDown : scLineUp, 0);
}

void GridKeyboardController::ShowFindDialog() {
    if (!grid_.OptionsEh().Contains(dghDialogFind))
        return;
    // The grid always asks for the modal dialog.
    DBGridEhDataService().ShowFindDialog(grid_, QString(), QString(), true);
}

bool GridKeyboardController::UnchangedInsert() const {
    const TADOQuery& dataSet = *grid_.DataSet();
    return dataSet.State() == dsInsert && !dataSet.Modified() && !grid_.DataLink().Modified();
}

void GridKeyboardController::FocusLeaving() {
    TADOQuery* dataSet = grid_.DataSet();
    if (!grid_.DataLink().Active() || dataSet == nullptr)
        return;
    try {
        if (grid_.Options().Contains(dgCancelOnExit) && UnchangedInsert())
            dataSet->Cancel();
    } catch (...) {
        // The grid keeps the focus while its record cannot be settled.
        grid_.setFocus(Qt::OtherFocusReason);
        throw;
    }
}
