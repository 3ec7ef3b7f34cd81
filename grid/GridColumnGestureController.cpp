#include "grid/GridColumnGestureController.h"

#include "grid/TDBGridEh.h"
#include "platform/ui/EventBoundary.h"

#include <QPainter>

#include <algorithm>

GridColumnGestureController::GridColumnGestureController(TDBGridEh& grid) : grid_(grid) {
    gesture_.MoveTimer().setParent(&grid);
    QObject::connect(&gesture_.MoveTimer(), &QTimer::timeout, &grid,
                     [this] { RunHandler([&] { MoveTimerTick(); }); });
}

ColumnHandle GridColumnGestureController::SizingHandleAt(QPoint point) const {
    const GridGeometry& geometry = grid_.geometry_;
    const GridColumnAxis& axis = geometry.Columns();
    if (!grid_.Options().Contains(dgColumnResize) || point.x() <= axis.FixedEnd() ||
        point.y() < 0 || point.y() >= geometry.RowTop(geometry.TitleRowCount()))
        return {};
    return axis.HandleAt(point.x(), grid_.ClientWidth());
}

bool GridColumnGestureController::Start(QPoint point, const TGridCoord& cell,
                                        Qt::MouseButton button) {
    if (!grid_.Options().Contains(dgColumnResize))
        return cell.Y >= 0 && cell.Y < grid_.TitleRowCount();
    const ColumnHandle handle = SizingHandleAt(point);
    if (handle.col >= 0) {
        // Other buttons do nothing in a sizing zone.
        if (button == Qt::LeftButton) {
            gesture_.StartSizing(handle.col, handle.line, point.x());
            InvalidateLine();
        }
        return true;
    }
    if (button != Qt::LeftButton || cell.X < grid_.IndicatorOffset())
        return true;
    gesture_.StartMoving(cell.X);
    gesture_.SetMousePoint(point);
    grid_.InvalidateGrid();
    gesture_.MoveTimer().start();
    return true;
}

void GridColumnGestureController::Follow(QPoint point) {
    if (gesture_.State() == TGridState::ColSizing) {
        InvalidateLine();
        gesture_.FollowSizing(point.x());
        InvalidateLine();
        return;
    }
    gesture_.SetMousePoint(point);
    const int target = MoveTarget(point.x());
    if (target == gesture_.MovePosition())
        return;
    InvalidateLine();
    gesture_.SetMovePosition(target);
    InvalidateLine();
}

void GridColumnGestureController::MoveTimerTick() {
    if (gesture_.State() == TGridState::ColMoving)
        Follow(gesture_.MousePoint());
}

int GridColumnGestureController::MoveTarget(int x) {
    const GridGeometry& geometry = grid_.geometry_;
    const int clientWidth = grid_.ClientWidth();
    const int first = geometry.FixedColCount();
    const int leftCol = geometry.LeftCol();
    {
        const GridColumnAxis& axis = geometry.Columns();
        const int last = axis.LastShown(clientWidth);
        // Beyond either end the columns scroll one step while some are hidden there.
        if (x < axis.FixedEnd() && leftCol > first) {
            InvalidateLine();
            grid_.SetLeftCol(leftCol - 1);
        } else if (x >= std::min(axis.End(std::max(last, 0)), clientWidth) &&
                   leftCol < axis.MaxLeftCol(clientWidth)) {
            InvalidateLine();
            grid_.SetLeftCol(leftCol + 1);
        }
    }
    // The columns may have scrolled: the axis is asked again.
    const GridColumnAxis& shown = geometry.Columns();
    const int col = shown.IndexAt(x);
    if (col >= first)
        return col;
    // Left of the columns the target is the left column, right of them the last shown.
    if (x < shown.FixedEnd())
        return geometry.LeftCol();
    return std::max(shown.LastShown(clientWidth), first);
}

bool GridColumnGestureController::Finish(QPoint point) {
    switch (gesture_.State()) {
    case TGridState::Normal:
        return false;
    case TGridState::ColSizing:
        InvalidateLine();
        gesture_.FollowSizing(point.x());
        FinishSizing();
        return true;
    case TGridState::ColMoving: {
        InvalidateLine();
        const int from = gesture_.MoveIndex();
        const int to = gesture_.MovePosition();
        gesture_.End();
        if (from != to)
            grid_.MoveColumn(from, to);
        return false;
    }
    }
    return false;
}

bool GridColumnGestureController::Cancel() {
    if (!gesture_.Active())
        return false;
    InvalidateLine();
    gesture_.End();
    return true;
}

void GridColumnGestureController::InvalidateLine() {
    const QRect line = gesture_.LineRect(grid_.geometry_.Columns(), grid_.ClientHeight());
    if (!line.isEmpty())
        grid_.update(line.translated(grid_.BorderWidth(), grid_.BorderWidth()) &
                     grid_.ClientRect());
}

void GridColumnGestureController::PaintLine(QPainter& painter) const {
    gesture_.PaintLine(painter, grid_.geometry_.Columns(), grid_.ClientHeight());
}

void GridColumnGestureController::FinishSizing() {
    const int col = gesture_.SizingIndex();
    const int width = gesture_.SizingPosition() - grid_.geometry_.Columns().Start(col);
    gesture_.End();
    // A width of one pixel or less is no width: the column keeps its own.
    if (width <= 1 || col < 0 || col >= grid_.ColCount())
        return;
    grid_.geometry_.SetColWidth(col, width);
    grid_.ColWidthsChanged();
}
