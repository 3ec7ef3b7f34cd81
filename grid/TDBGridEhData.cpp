// The grid and its records: the reactions to the notifications of its data link (opening and
// closing, a new row window, a move of the current record, a changed record, the start and end
// of editing), and the commands that change records: delete and copy from above.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "data/TField.h"
#include "grid/ActiveRecordGuard.h"
#include "grid/GridDeletion.h"
#include "platform/ui/DialogService.h"

#include <cstdlib>

namespace {

bool IsEditing(TDataSetState state) {
    return state == dsEdit || state == dsInsert;
}

// Whether the grid lets the user change the column's value in the current record.
bool ColumnEditable(const TDBGridEh& grid, const TColumnEh& column) {
    const TField* field = column.Field();
    const TADOQuery& dataSet = *grid.DataSet();
    const TDBGridEhAllowedOperations allowed = grid.AllowedOperations();
    const bool inserting = dataSet.State() == dsInsert;
    const bool mayAdd = allowed.Contains(alopInsertEh) || allowed.Contains(alopAppendEh);
    return field != nullptr && !field->ReadOnly() && dataSet.CanModify() && !grid.ReadOnly() &&
           !column.ReadOnly() && (allowed.Contains(alopUpdateEh) || inserting) &&
           (!dataSet.IsEmpty() || mayAdd);
}

} // namespace

// --- Data link reactions -------------------------------------------------------------------

void TDBGridEh::LinkActive(bool active) {
    mouse_.ForgetWheel();
    accessibleEvents_.ResultReplaced();
    selection_.LinkActive(active);
    LayoutChanged();
    UpdateScrollBar();
}

void TDBGridEh::EditingChanged() {
    InvalidateCell(0, row_);
}

void TDBGridEh::DataChanged() {
    accessibleEvents_.RowsChanged();
    if (!hasHandle_)
        return;
    UpdateRowCount();
    UpdateScrollBar();
    SyncCurrentRow();
    // One full repaint follows, whatever was invalidated on the way.
    InvalidateGrid();
}

void TDBGridEh::Scroll(int distance) {
    accessibleEvents_.RowsChanged();
    // With whole-row selection the first column in display order is current from the next
    // move of the record on, also after a column move put another one there.
    if (options_.Contains(dgRowSelect))
        col_ = IndicatorOffset();
    if (!hasHandle_)
        return;
    if (dataLink_.ActiveRecord() >= RowCount() - TitleRowCount())
        UpdateRowCount();
    if (locks_.update > 0) {
        ScrollUnderLock(distance);
        return;
    }
    const int oldRow = row_;
    UpdateScrollBar();
    SyncCurrentRow();
    InvalidateRow(oldRow);
    InvalidateRow(row_);
    if (distance == 0)
        return;
    if (std::abs(distance) > VisibleDataRowCount()) {
        InvalidateGrid();
        return;
    }
    // The indicator glyph the rows carry along is repainted where it lands, and where the
    // current record's glyph belongs now.
    if (IndicatorOffset() > 0)
        InvalidateRow(indicatorRow_);
    ScrollDataRows(distance);
    if (IndicatorOffset() > 0)
        InvalidateRow(row_);
    if (columns_.AnyHideDuplicates())
        InvalidateScrolledDuplicates(distance);
}

void TDBGridEh::InvalidateScrolledDuplicates(int distance) {
    // The top row's upper neighbour changed, so its hidden duplicates may show now; its other
    // cells and its lines came with the pixels unchanged.
    for (int i = 0; i < columns_.Count(); ++i) {
        if (columns_[i].HideDuplicates())
            update(ToWidget(CellRect(IndicatorOffset() + i, TitleRowCount())));
    }
    // Rows moving down bring the line above the row that dropped out to the bottom, where it
    // may still carry that row's duplicate colour.
    if (distance < 0) {
        const int line = geometry_.RowTop(RowCount() - 1) + DataRowHeight();
        update(ToWidget({0, line, ClientWidth(), line + GridLineWidth}));
    }
}

void TDBGridEh::ScrollUnderLock(int distance) {
    // A gesture may move the record thousands of times under one lock: the scroll bar and the
    // rows are brought up to date once, when the lock is released.
    locks_.pendingScrollBar = true;
    locks_.pendingRepaint = locks_.pendingRepaint || distance != 0;
    if (!locks_.pendingRepaint) {
        SyncCurrentRow();
        return;
    }
    const int row = TitleRowCount() + dataLink_.ActiveRecord();
    if (row < RowCount())
        row_ = row;
}

void TDBGridEh::RecordChanged(TField* field) {
    if (!hasHandle_)
        return;
    if (field == nullptr) {
        InvalidateGrid();
        return;
    }
    for (int i = 0; i < columns_.Count(); ++i) {
        if (columns_[i].Field() == field)
            InvalidateRow(row_);
    }
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

void TDBGridEh::CopyFromAbove() {
    const int position = dataLink_.ActiveRecord();
    TColumnEh* column = ColumnAt(col_);
    if (!dataLink_.Active() || position <= 0 || column == nullptr ||
        !ColumnEditable(*this, *column))
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
