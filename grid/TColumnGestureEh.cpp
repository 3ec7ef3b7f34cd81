#include "grid/TColumnGestureEh.h"

#include "grid/GridColumnAxis.h"

#include <QPainter>

#include <algorithm>

TColumnGestureEh::TColumnGestureEh() {
    moveTimer_.setObjectName(QStringLiteral("MoveTimer"));
    moveTimer_.setInterval(MoveInterval);
}

void TColumnGestureEh::StartSizing(int col, int line, int mouseX) {
    state_ = TGridState::ColSizing;
    sizingIndex_ = col;
    sizingPosition_ = line;
    sizingOffset_ = line - mouseX;
}

void TColumnGestureEh::StartMoving(int col) {
    state_ = TGridState::ColMoving;
    moveIndex_ = col;
    movePosition_ = col;
}

void TColumnGestureEh::End() {
    state_ = TGridState::Normal;
    moveTimer_.stop();
}

QRect TColumnGestureEh::LineRect(const GridColumnAxis& axis, int clientHeight) const {
    switch (state_) {
    case TGridState::ColSizing:
        return QRect(sizingPosition_, 0, 1, clientHeight);
    case TGridState::ColMoving: {
        if (movePosition_ < 0 || movePosition_ >= axis.Count())
            return {};
        // Right of the dragged column the line marks the target's right edge, else its left.
        const int x = movePosition_ > moveIndex_
                          ? axis.Start(movePosition_) + std::max(axis.Width(movePosition_), 0)
                          : axis.Start(movePosition_);
        return QRect(x - MoveLineWidth / 2, 0, MoveLineWidth, clientHeight);
    }
    case TGridState::Normal:
        break;
    }
    return {};
}

void TColumnGestureEh::PaintLine(QPainter& painter, const GridColumnAxis& axis,
                                 int clientHeight) const {
    const QRect line = LineRect(axis, clientHeight);
    if (line.isEmpty())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (state_ == TGridState::ColMoving) {
        painter.fillRect(line, Qt::white);
    } else {
        // A dotted line: every other pixel from the top.
        for (int y = line.top(); y <= line.bottom(); y += 2)
            painter.fillRect(QRect(line.left(), y, 1, 1), Qt::white);
    }
    painter.restore();
}
