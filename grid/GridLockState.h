#pragma once

// The grid's nesting locks and the work their release owes. While the update lock is held no
// layout rebuild starts, size changes wait, and moves of the current record put off the scroll
// bar and the repaint of the rows; the layout lock, held by a rebuild, drops layout requests
// made meanwhile; nothing paints under the paint lock.
struct GridLockState {
    int update = 0;
    int layout = 0;
    int paint = 0;
    bool pendingResize = false;
    bool pendingLayout = false;
    bool pendingScrollBar = false;
    bool pendingRepaint = false;
};
