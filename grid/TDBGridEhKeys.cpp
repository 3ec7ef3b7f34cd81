// The keyboard over the grid: each key becomes a command on the current record, the selection
// or the columns; and the commands that change records, delete and copy from above.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "data/TField.h"
#include "grid/ActiveRecordGuard.h"
#include "grid/GridDeletion.h"
#include "grid/TDBGridEhDataService.h"
#include "platform/ui/DialogService.h"
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

bool IsEditing(TDataSetState state) {
    return state == dsEdit || state == dsInsert;
}

} // namespace

void TDBGridEh::KeyDown(QKeyEvent& event) {
    HideHint();
    // Esc ends a column gesture whatever the data set's state.
    if (event.key() == Qt::Key_Escape)
        CancelColumnGesture();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    selection_.SetToggleMode(modifiers.testFlag(Qt::ControlModifier) ||
                             !optionsEh_.Contains(dghClearSelection));
    if (!dataLink_.Active() || DataSet() == nullptr)
        return;
    const int key = MirroredKey(ShortcutKey(event), layoutDirection());
    PerformKeyAction(KeyAction(key, modifiers, KeyContext()));
}

GridKeyContext TDBGridEh::KeyContext() const {
    const TADOQuery& dataSet = *DataSet();
    GridKeyContext context;
    context.position = dataLink_.ActiveRecord();
    context.capacity = WindowCapacity();
    context.visibleRows = VisibleDataRowCount();
    context.unchangedInsert = UnchangedInsert();
    context.atEnd = dataSet.Eof();
    return context;
}

void TDBGridEh::PerformKeyAction(const GridKeyAction& action) {
    TADOQuery& dataSet = *DataSet();
    if (action.clearFirst)
        selection_.ClearSelection();
    switch (action.command) {
    case GridCommand::None:
        break;
    case GridCommand::Step:
        selection_.StepSelect(action.select, action.distance, action.toEnd);
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
        RequestColumn(IndicatorOffset());
        break;
    case GridCommand::LastColumn:
        RequestColumn(ColCount() - 1);
        break;
    case GridCommand::DeleteRecords:
        DeleteRecords();
        break;
    case GridCommand::Reset:
        Reset();
        break;
    case GridCommand::CopyFromAbove:
        CopyFromAbove();
        break;
    case GridCommand::Find:
        ShowFindDialog();
        break;
    }
}

void TDBGridEh::Reset() {
    if (dataLink_.Modified()) {
        dataLink_.Reset();
        InvalidateCurrentRow();
    } else {
        DataSet()->Cancel();
    }
    selection_.ClearSelection();
    CancelColumnGesture();
}

// --- Columns ---------------------------------------------------------------------------------

void TDBGridEh::ScrollColumns(int distance) {
    // The keys work as the horizontal bar's arrows: nothing while the columns fit.
    if (distance != 0)
        HorzScrollCommand(distance > 0 ? scLineDown : scLineUp, 0);
}

void TDBGridEh::RequestColumn(int col) {
    if (col == col_ || col < IndicatorOffset() || col >= ColCount())
        return;
    if (OnColExit)
        OnColExit();
    // With whole-row selection the first data column stays current.
    if (!options_.Contains(dgRowSelect))
        col_ = col;
    if (OnColEnter)
        OnColEnter();
}

void TDBGridEh::ShowFindDialog() {
    if (!optionsEh_.Contains(dghDialogFind))
        return;
    // The grid always asks for the modal dialog.
    DBGridEhDataService().ShowFindDialog(*this, QString(), QString(), true);
}

// --- Record commands -------------------------------------------------------------------------

void TDBGridEh::DeleteRecords() {
    TADOQuery& dataSet = *DataSet();
    if (readOnly_ || dataSet.IsEmpty() || !dataSet.CanModify() ||
        !allowedOperations_.Contains(alopDeleteEh))
        return;
    const bool several = selection_.Rows().Count() >= 2;
    if (options_.Contains(dgConfirmDelete) &&
        !ConfirmOkCancel(several ? QStringLiteral("Delete all selected records?")
                                 : QStringLiteral("Delete record?")))
        return;
    if (selection_.Rows().Count() == 0)
        dataSet.Delete();
    else
        DeleteSelectedRecords(dataSet, selection_);
}

bool TDBGridEh::ColumnEditable(const TColumnEh& column) const {
    const TField* field = column.Field();
    const TADOQuery& dataSet = *DataSet();
    const bool inserting = dataSet.State() == dsInsert;
    const bool mayAdd =
        allowedOperations_.Contains(alopInsertEh) || allowedOperations_.Contains(alopAppendEh);
    return field != nullptr && !field->ReadOnly() && dataSet.CanModify() && !readOnly_ &&
           !column.ReadOnly() && (allowedOperations_.Contains(alopUpdateEh) || inserting) &&
           (!dataSet.IsEmpty() || mayAdd);
}

void TDBGridEh::CopyFromAbove() {
    const int position = dataLink_.ActiveRecord();
    TColumnEh* column = ColumnAt(col_);
    if (!dataLink_.Active() || position <= 0 || column == nullptr || !ColumnEditable(*column))
        return;
    TADOQuery& dataSet = *DataSet();
    dataSet.Edit();
    if (!IsEditing(dataSet.State()))
        return;
    TField& field = *column->Field();
    AdoVariant value;
    {
        const ActiveRecordGuard above(dataLink_, position - 1);
        value = field.Value();
    }
    selection_.Clear();
    field.SetValue(value);
}

// --- Focus -----------------------------------------------------------------------------------

bool TDBGridEh::UnchangedInsert() const {
    const TADOQuery& dataSet = *DataSet();
    return dataSet.State() == dsInsert && !dataSet.Modified() && !dataLink_.Modified();
}

void TDBGridEh::FocusLeaving() {
    TADOQuery* dataSet = DataSet();
    if (!dataLink_.Active() || dataSet == nullptr)
        return;
    try {
        if (options_.Contains(dgCancelOnExit) && UnchangedInsert())
            dataSet->Cancel();
    } catch (...) {
        // The grid keeps the focus while its record cannot be settled.
        setFocus(Qt::OtherFocusReason);
        throw;
    }
}
