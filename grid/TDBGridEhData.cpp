// The grid's reactions to the notifications of its data link: opening and closing, a new row
// window, a move of the current record, a changed record, and the start and end of editing.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"

#include <cstdlib>

void TDBGridEh::LinkActive(bool active) {
    mouse_.ForgetWheel();
    selection_.LinkActive(active);
    LayoutChanged();
    UpdateScrollBar();
}

void TDBGridEh::EditingChanged() {
    InvalidateCell(0, row_);
}

void TDBGridEh::DataChanged() {
    if (!hasHandle_)
        return;
    UpdateRowCount();
    UpdateScrollBar();
    SyncCurrentRow();
    // One full repaint follows, whatever was invalidated on the way.
    InvalidateGrid();
}

void TDBGridEh::Scroll(int distance) {
    // With whole-row selection the first column in display order is current from the next
    // move of the record on, also after a column move put another one there.
    if (options_.Contains(dgRowSelect))
        col_ = IndicatorOffset();
    if (!hasHandle_)
        return;
    if (dataLink_.ActiveRecord() >= RowCount() - TitleRowCount())
        UpdateRowCount();
    if (updateLock_ > 0) {
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
    if (columns_.AnyHideDuplicates()) {
        // The top row's upper neighbour changed, so its hidden duplicates may show now; its
        // other cells and its lines came with the pixels unchanged.
        for (int i = 0; i < columns_.Count(); ++i) {
            if (columns_[i].HideDuplicates())
                update(ToWidget(CellRect(IndicatorOffset() + i, TitleRowCount())));
        }
        // Rows moving down bring the line above the row that dropped out to the bottom, where
        // it may still carry that row's duplicate colour.
        if (distance < 0) {
            const int line = geometry_.RowTop(RowCount() - 1) + DataRowHeight();
            update(ToWidget({0, line, ClientWidth(), line + GridLineWidth}));
        }
    }
}

void TDBGridEh::ScrollUnderLock(int distance) {
    // A gesture may move the record thousands of times under one lock: the scroll bar and the
    // rows are brought up to date once, when the lock is released.
    pendingScrollBar_ = true;
    pendingRepaint_ = pendingRepaint_ || distance != 0;
    if (!pendingRepaint_) {
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
