#pragma once

#include <QCursor>

// The grid's own cursors, loaded once from the program's resources: the row-select arrow
// (RIGHTCUREH, LEFTCUREH for right-to-left layouts) and the column-select arrow (DOWNCUREH).
class GridCursors {
public:
    // Loads the three cursors unless loaded already; a missing one raises EResNotFound
    // "Cannot load cursor resource". The program calls it at start-up.
    static const GridCursors& Load();

    const QCursor& RowSelect(Qt::LayoutDirection direction) const {
        return direction == Qt::RightToLeft ? left_ : right_;
    }
    const QCursor& ColumnSelect() const { return down_; }

private:
    GridCursors();

    QCursor right_;
    QCursor left_;
    QCursor down_;
};
