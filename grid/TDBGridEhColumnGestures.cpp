// Sizing a column by dragging its title's right edge and moving a column by dragging its title:
// the press starts the gesture, the mouse moves its line, the release carries it out, and
// cancel mode drops it. Both lines are drawn in XOR mode over the grid, which is not repainted
// while they move.
#include "grid/TDBGridEh.h"

#include "grid/GridLocks.h"

#include <QPainter>

#include <algorithm>

ColumnHandle TDBGridEh::SizingHandleAt(QPoint point) const {
    const GridColumnAxis& axis = ColumnAxis();
    if (!options_.Contains(dgColumnResize) || point.x() <= axis.FixedEnd() || point.y() < 0 ||
        point.y() >= geometry_.RowTop(TitleRowCount()))
        return {};
    return axis.HandleAt(point.x(), ClientWidth());
}

bool TDBGridEh::StartColumnGesture(QPoint point, const TGridCoord& cell, Qt::MouseButton button) {
    if (!options_.Contains(dgColumnResize))
        return cell.Y >= 0 && cell.Y < TitleRowCount();
    const ColumnHandle handle = SizingHandleAt(point);
    if (handle.col >= 0) {
        // Other buttons do nothing in a sizing zone.
        if (button == Qt::LeftButton) {
            gesture_.StartSizing(handle.col, handle.line, point.x());
            InvalidateGestureLine();
        }
        return true;
    }
    if (button != Qt::LeftButton || cell.X < IndicatorOffset())
        return true;
    gesture_.StartMoving(cell.X);
    gesture_.SetMousePoint(point);
    InvalidateGrid();
    gesture_.MoveTimer().start();
    return true;
}

void TDBGridEh::FollowColumnGesture(QPoint point) {
    if (gesture_.State() == TGridState::ColSizing) {
        InvalidateGestureLine();
        gesture_.FollowSizing(point.x());
        InvalidateGestureLine();
        return;
    }
    gesture_.SetMousePoint(point);
    const int target = MoveTarget(point.x());
    if (target == gesture_.MovePosition())
        return;
    InvalidateGestureLine();
    gesture_.SetMovePosition(target);
    InvalidateGestureLine();
}

void TDBGridEh::MoveTimerTick() {
    if (gesture_.State() == TGridState::ColMoving)
        FollowColumnGesture(gesture_.MousePoint());
}

int TDBGridEh::MoveTarget(int x) {
    const GridColumnAxis& axis = ColumnAxis();
    const int clientWidth = ClientWidth();
    const int last = axis.LastShown(clientWidth);
    // Beyond either end the columns scroll one step while some are hidden there.
    const int leftCol = LeftCol();
    if (x < axis.FixedEnd() && leftCol > IndicatorOffset()) {
        InvalidateGestureLine();
        SetLeftCol(leftCol - 1);
    } else if (x >= std::min(axis.End(std::max(last, 0)), clientWidth) &&
               leftCol < axis.MaxLeftCol(clientWidth)) {
        InvalidateGestureLine();
        SetLeftCol(leftCol + 1);
    }
    // The columns may have scrolled: the axis is asked again.
    const GridColumnAxis& shown = ColumnAxis();
    const int col = shown.IndexAt(x);
    if (col >= IndicatorOffset())
        return col;
    // Left of the columns the target is the left column, right of them the last shown.
    if (x < shown.FixedEnd())
        return LeftCol();
    return std::max(shown.LastShown(clientWidth), IndicatorOffset());
}

bool TDBGridEh::FinishColumnGesture(QPoint point) {
    switch (gesture_.State()) {
    case TGridState::Normal:
        return false;
    case TGridState::ColSizing:
        InvalidateGestureLine();
        gesture_.FollowSizing(point.x());
        FinishSizing();
        return true;
    case TGridState::ColMoving: {
        InvalidateGestureLine();
        const int from = gesture_.MoveIndex();
        const int to = gesture_.MovePosition();
        gesture_.End();
        if (from != to)
            MoveColumn(from, to);
        return false;
    }
    }
    return false;
}

void TDBGridEh::CancelColumnGesture() {
    if (!gesture_.Active())
        return;
    InvalidateGestureLine();
    gesture_.End();
    UpdateCursor(mapFromGlobal(QCursor::pos()) - QPoint(BorderWidth(), BorderWidth()));
}

void TDBGridEh::InvalidateGestureLine() {
    const QRect line = gesture_.LineRect(ColumnAxis(), ClientHeight());
    if (!line.isEmpty())
        update(line.translated(BorderWidth(), BorderWidth()) & ClientRect());
}

void TDBGridEh::PaintGestureLine(QPainter& painter) const {
    gesture_.PaintLine(painter, ColumnAxis(), ClientHeight());
}

// --- Carrying the gestures out ---------------------------------------------------------------

void TDBGridEh::FinishSizing() {
    const int col = gesture_.SizingIndex();
    const int width = gesture_.SizingPosition() - ColumnAxis().Start(col);
    gesture_.End();
    // A width of one pixel or less is no width: the column keeps its own.
    if (width <= 1 || col < 0 || col >= ColCount())
        return;
    geometry_.SetColWidth(col, width);
    ColWidthsChanged();
}

void TDBGridEh::MoveColumn(int fromCol, int toCol) {
    const int fromIndex = fromCol - IndicatorOffset();
    const int toIndex = toCol - IndicatorOffset();
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= columns_.Count() ||
        toIndex >= columns_.Count())
        return;
    {
        // The widths move with their columns here; the columns' own order changes without a
        // layout rebuild, which would put the current column back on the first one at once.
        const GridLayoutLock lock(*this);
        geometry_.MoveCol(fromCol, toCol);
        // The current column goes with the moved one; those between shift towards its place.
        if (col_ == fromCol)
            col_ = toCol;
        else if (fromCol < toCol && col_ > fromCol && col_ <= toCol)
            --col_;
        else if (toCol < fromCol && col_ >= toCol && col_ < fromCol)
            ++col_;
        columns_.Move(fromIndex, toIndex);
    }
    InvalidateGrid();
    if (OnColumnMoved)
        OnColumnMoved(fromIndex, toIndex);
    ColWidthsChanged();
}

void TDBGridEh::ColWidthsChanged() {
    if (UpdateHorzScrollBar())
        ClientSizeChanged();
    for (int i = 0; i < columns_.Count(); ++i) {
        TColumnEh& column = columns_[i];
        const int col = IndicatorOffset() + i;
        if (!column.Visible() || col >= ColCount())
            continue;
        int width = ColWidth(col);
        if (column.MaxWidth() > 0)
            width = std::min(width, column.MaxWidth());
        width = std::max(width, column.MinWidth());
        geometry_.SetColWidth(col, width);
        if (column.Width() != width)
            column.SetWidth(width);
    }
    InvalidateGrid();
    if (OnColWidthsChanged)
        OnColWidthsChanged();
}
