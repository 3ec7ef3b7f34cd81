#pragma once

#include "grid/GridColumnGestureController.h"
#include "grid/GridGeometry.h"

#include <QCursor>
#include <QPoint>
#include <QTimer>

class QMouseEvent;
class TDBGridEh;

// The mouse over the grid: a press on a data row makes its record current and selects, a drag
// extends the selection (stepping on by a timer beyond the rows), the release of a left click
// fires OnCellClick or OnTitleClick, the wheel moves the record by notches, and the cursor
// tells what a press would do. Presses in the title row go to the column gestures it owns. It
// holds the state of its gestures between events: the row drag's timer and last point, the
// right press that acts as a left one, and the part of a wheel notch not yet used.
class GridMouseController {
public:
    explicit GridMouseController(TDBGridEh& grid);

    GridColumnGestureController& ColumnGestures() { return columns_; }
    const GridColumnGestureController& ColumnGestures() const { return columns_; }

    void Press(QMouseEvent& event, bool doubleClick);
    void Move(QMouseEvent& event);
    void Release(QMouseEvent& event);
    // The wheel turned by delta (eighths of a degree; a notch is 120).
    void Wheel(int delta);
    // A part of a notch left from the previous result does not count for the next one.
    void ForgetWheel() { wheelDelta_ = 0; }
    // Ends a row drag: its timer stops and the selection's gesture ends.
    void StopTracking();
    // Ends a column gesture without effect and shows the cursor for where the mouse is now.
    void CancelColumnGesture();
    void UpdateCursor(QPoint point);

private:
    bool PressTitleRow(QPoint point, const TGridCoord& cell, Qt::MouseButton button);
    void PressDataRow(const TGridCoord& cell, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers);
    void SelectPressedRow(int pressedRow, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void FollowMouse(bool select);
    // The distance in pixels from the data rows to y: negative above, positive below, 0 within.
    int DistanceFromDataRows(int y) const;
    void TrackingTick();
    void Click(QPoint point);
    // The cursor the grid shows over a client point.
    QCursor CursorAt(QPoint point) const;
    QPoint ClientPoint(const QMouseEvent& event) const;

    TDBGridEh& grid_;
    GridColumnGestureController columns_;
    // The row drag beyond the data rows: the timer (named "TrackingTimer"), the last mouse
    // point in client coordinates and whether the left button drags.
    QTimer trackingTimer_;
    QPoint trackPoint_;
    bool trackSelects_ = false;
    // A right press on a title acts as a left one, up to its release.
    bool rightPressAsLeft_ = false;
    int wheelDelta_ = 0;
};
