#pragma once

#include "grid/TDBGridEh.h"

// Holds the grid's update lock for its lifetime: size changes, layout rebuilds and the repaint
// after moves of the current record wait for the outermost release.
class GridUpdateLock {
public:
    explicit GridUpdateLock(TDBGridEh& grid) : grid_(grid) { grid_.BeginUpdate(); }
    ~GridUpdateLock() { grid_.EndUpdate(); }
    GridUpdateLock(const GridUpdateLock&) = delete;
    GridUpdateLock& operator=(const GridUpdateLock&) = delete;

private:
    TDBGridEh& grid_;
};

// Holds the grid's layout lock for its lifetime: layout requests made meanwhile are dropped and
// nothing paints.
class GridLayoutLock {
public:
    explicit GridLayoutLock(TDBGridEh& grid) : grid_(grid) { grid_.BeginLayout(); }
    ~GridLayoutLock() { grid_.EndLayout(); }
    GridLayoutLock(const GridLayoutLock&) = delete;
    GridLayoutLock& operator=(const GridLayoutLock&) = delete;

private:
    TDBGridEh& grid_;
};
