#pragma once

#include "grid/TVertDBGridEhScrollBar.h"

#include <QObject>

class QScrollBar;
class TDBGridEh;

// The grid's horizontal scroll bar below the client area: there, with the range 0..127, only
// while the scrollable columns do not fit the client width. Its position tells where the left
// column stands between the first and the last it can be; its commands move the left column.
class TGridHorzScrollBar : public QObject {
    Q_OBJECT

public:
    static constexpr int Height = 17;
    static constexpr int RangeMax = 127;

    explicit TGridHorzScrollBar(TDBGridEh& grid);

    // Whether the bar takes its place below the grid now.
    bool Showing() const { return showing_; }
    QScrollBar& Control() const { return *bar_; }
    // Shows the bar at a position, or removes it; returns whether it appeared or disappeared.
    bool Apply(bool show, int position);
    // Places the bar below a client area of the given width, from (left, top).
    void Place(int left, int top, int clientWidth);

private:
    void ActionTriggered(int action);
    void Command(TScrollCode code, int position);

    TDBGridEh& grid_;
    QScrollBar* bar_;
    bool showing_ = false;
    int position_ = 0;
};
