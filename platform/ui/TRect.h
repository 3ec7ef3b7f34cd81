#pragma once

#include <QRect>

// A rectangle with the platform's semantics: Right and Bottom are exclusive, so a cell from
// x 12 to 60 inclusive is {12, top, 61, bottom}. The painting formulas are written in these terms.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // True when the rectangle covers no pixel.
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    static TRect FromQRect(const QRect& rect) {
        return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    }

    friend bool operator==(const TRect&, const TRect&) = default;
};

// Grows the rectangle by dx on the left and right and by dy on the top and bottom (negative
// values shrink it).
inline void InflateRect(TRect& rect, int dx, int dy) {
    rect.Left -= dx;
    rect.Right += dx;
    rect.Top -= dy;
    rect.Bottom += dy;
}
