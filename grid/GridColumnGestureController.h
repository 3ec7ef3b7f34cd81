#pragma once

#include "grid/GridColumnAxis.h"
#include "grid/GridGeometry.h"
#include "grid/TColumnGestureEh.h"

#include <QPoint>

class QPainter;
class TDBGridEh;

// Sizing a column by dragging its title's right edge and moving a column by dragging its
// title: the press starts the gesture, the mouse moves its line, the release carries it out,
// and cancel mode drops it. It owns the gesture's state and its move timer; the grid carries
// out the new width or the move. Both lines are drawn in XOR mode over the grid, which is not
// repainted while they move.
class GridColumnGestureController {
public:
    explicit GridColumnGestureController(TDBGridEh& grid);

    const TColumnGestureEh& Gesture() const { return gesture_; }
    bool Active() const { return gesture_.Active(); }
    // The column whose title edge lies at a client point, with dgColumnResize; col -1 for none.
    ColumnHandle SizingHandleAt(QPoint point) const;
    // A press in the title row or a sizing zone; false when the press is not the gesture's.
    bool Start(QPoint point, const TGridCoord& cell, Qt::MouseButton button);
    void Follow(QPoint point);
    // Ends the gesture at the release; true when it was a sizing (the release goes no further).
    bool Finish(QPoint point);
    // Ends the gesture without effect; false when none was under way.
    bool Cancel();
    void PaintLine(QPainter& painter) const;

private:
    void MoveTimerTick();
    // The target column of a move for the mouse at x; scrolls the columns at either end.
    int MoveTarget(int x);
    void InvalidateLine();
    void FinishSizing();

    TDBGridEh& grid_;
    TColumnGestureEh gesture_;
};
