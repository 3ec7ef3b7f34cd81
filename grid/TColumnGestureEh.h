#pragma once

#include <QPoint>
#include <QRect>
#include <QTimer>

class GridColumnAxis;
class QPainter;

// What the grid is doing with the mouse between a press and its release.
enum class TGridState { Normal, ColSizing, ColMoving };

// The press state of a column gesture: dragging a title's right edge to size its column, or
// dragging a title to move its column. It remembers where the gesture started and where its
// line stands now; the grid carries out what the gesture means.
class TColumnGestureEh {
public:
    // How often a column move looks at the mouse again while it rests beyond the columns.
    static constexpr int MoveInterval = 60;
    // The move line's width; the sizing line is one pixel wide and dotted.
    static constexpr int MoveLineWidth = 5;

    TColumnGestureEh();

    TGridState State() const { return state_; }
    bool Active() const { return state_ != TGridState::Normal; }

    // Sizing: the column, the x of its line and the mouse x of the press.
    void StartSizing(int col, int line, int mouseX);
    // The line keeps its distance from the mouse.
    void FollowSizing(int mouseX) { sizingPosition_ = mouseX + sizingOffset_; }
    int SizingIndex() const { return sizingIndex_; }
    int SizingPosition() const { return sizingPosition_; }

    // Moving: the column pressed; the target starts there too.
    void StartMoving(int col);
    int MoveIndex() const { return moveIndex_; }
    int MovePosition() const { return movePosition_; }
    void SetMovePosition(int col) { movePosition_ = col; }
    // The last mouse point of a move, in client coordinates, for the timer's ticks.
    QPoint MousePoint() const { return mousePoint_; }
    void SetMousePoint(QPoint point) { mousePoint_ = point; }
    // The timer of a move (named "MoveTimer").
    QTimer& MoveTimer() { return moveTimer_; }

    // Back to normal; the timer stops.
    void End();

    // The strip the gesture's line covers in a client area of the given height; empty when no
    // line is drawn.
    QRect LineRect(const GridColumnAxis& axis, int clientHeight) const;
    // Draws the line in XOR mode over what the painter shows: drawing it twice erases it.
    void PaintLine(QPainter& painter, const GridColumnAxis& axis, int clientHeight) const;

private:
    TGridState state_ = TGridState::Normal;
    int sizingIndex_ = -1;
    int sizingPosition_ = 0;
    int sizingOffset_ = 0;
    int moveIndex_ = -1;
    int movePosition_ = -1;
    QPoint mousePoint_;
    QTimer moveTimer_;
};
