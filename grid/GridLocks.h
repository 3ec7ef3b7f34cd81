#pragma once

#include "grid/TDBGridEh.h"

#include <exception>

// Holds the grid's update lock for its lifetime: size changes, layout rebuilds and the repaint
// after moves of the current record wait for the outermost release.
class GridUpdateLock {
public:
    explicit GridUpdateLock(TDBGridEh& grid)
        : grid_(grid), exceptions_(std::uncaught_exceptions()) {
        grid_.BeginUpdate();
    }
    // The release's work may fail like any other change of the grid; while an error unwinds,
    // the lock is only let go and the pending work waits for the next release.
    ~GridUpdateLock() noexcept(false) {
        if (std::uncaught_exceptions() > exceptions_)
            grid_.AbandonUpdate();
        else
            grid_.EndUpdate();
    }
    GridUpdateLock(const GridUpdateLock&) = delete;
    GridUpdateLock& operator=(const GridUpdateLock&) = delete;

private:
    TDBGridEh& grid_;
    int exceptions_;
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
