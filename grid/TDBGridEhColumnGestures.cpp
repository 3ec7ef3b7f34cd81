// Sizing a column by dragging its title's right edge and moving a column by dragging its title:
// the press starts the gesture, the mouse moves its line, the release carries it out, and
// cancel mode drops it. Both lines are drawn in XOR mode over the grid, which is not repainted
// while they move.
#include "grid/TDBGridEh.h"

#include "grid/GridLocks.h"

#include <QPainter>

#include <algorithm>

GridColumnAxis TDBGridEh::ColumnAxis() const {
    return GridColumnAxis(colWidths_, indicatorOffset_, leftCol_, GridLineWidth);
}

ColumnHandle TDBGridEh::SizingHandleAt(QPoint point) const {
    const GridColumnAxis axis = ColumnAxis();
    if (!options_.Contains(dgColumnResize) || point.x() <= axis.FixedEnd() || point.y() < 0 ||
        point.y() >= RowTop(titleRowCount_))
        return {};
    return axis.HandleAt(point.x(), ClientWidth());
}

bool TDBGridEh::StartColumnGesture(QPoint point, const TGridCoord& cell, Qt::MouseButton button) {
    if (!options_.Contains(dgColumnResize))
        return cell.Y >= 0 && cell.Y < titleRowCount_;
    const ColumnHandle handle = SizingHandleAt(point);
    if (handle.col >= 0) {
        // Other buttons do nothing in a sizing zone.
        if (button == Qt::LeftButton) {
            gesture_.StartSizing(handle.col, handle.line, point.x());
            InvalidateGestureLine();
        }
        return true;
    }
    if (button != Qt::LeftButton || cell.X < indicatorOffset_)
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
    const GridColumnAxis axis = ColumnAxis();
    const int clientWidth = ClientWidth();
    const int last = axis.LastShown(clientWidth);
    // Beyond either end the columns scroll one step while some are hidden there.
    if (x < axis.FixedEnd() && leftCol_ > indicatorOffset_) {
        InvalidateGestureLine();
        SetLeftCol(leftCol_ - 1);
    } else if (x >= std::min(axis.End(std::max(last, 0)), clientWidth) && leftCol_ < MaxLeftCol()) {
        InvalidateGestureLine();
        SetLeftCol(leftCol_ + 1);
    }
    const GridColumnAxis shown = ColumnAxis();
    const int col = shown.IndexAt(x);
    if (col >= indicatorOffset_)
        return col;
    // Left of the columns the target is the left column, right of them the last shown.
    if (x < shown.FixedEnd())
        return leftCol_;
    return std::max(shown.LastShown(clientWidth), indicatorOffset_);
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
    const int width = gesture_.SizingPosition() - ColLeft(col);
    gesture_.End();
    // A width of one pixel or less is no width: the column keeps its own.
    if (width <= 1 || col < 0 || col >= ColCount())
        return;
    colWidths_[static_cast<std::size_t>(col)] = width;
    ColWidthsChanged();
}

void TDBGridEh::MoveColumn(int fromCol, int toCol) {
    const int fromIndex = fromCol - indicatorOffset_;
    const int toIndex = toCol - indicatorOffset_;
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= columns_.Count() ||
        toIndex >= columns_.Count())
        return;
    {
        // The widths move with their columns here; the columns' own order changes without a
        // layout rebuild, which would put the current column back on the first one at once.
        const GridLayoutLock lock(*this);
        const auto widths = colWidths_.begin();
        if (fromCol < toCol)
            std::rotate(widths + fromCol, widths + fromCol + 1, widths + toCol + 1);
        else
            std::rotate(widths + toCol, widths + fromCol, widths + fromCol + 1);
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
        const std::size_t col = static_cast<std::size_t>(indicatorOffset_ + i);
        if (!column.Visible() || col >= colWidths_.size())
            continue;
        int width = colWidths_[col];
        if (column.MaxWidth() > 0)
            width = std::min(width, column.MaxWidth());
        width = std::max(width, column.MinWidth());
        colWidths_[col] = width;
        if (column.Width() != width)
            column.SetWidth(width);
    }
    InvalidateGrid();
    if (OnColWidthsChanged)
        OnColWidthsChanged();
}
