#pragma once

#include <vector>

// Where a column's title edge may be dragged: the grid column and the x of its right line.
struct ColumnHandle {
    int col = -1; // -1: no handle at that point
    int line = 0; // the sizing position the drag starts from
};

// The grid's horizontal geometry, worked out once from the column widths: the fixed columns
// always at the left, then the scrollable columns from the left column on. Each column takes
// its width plus the line width; a hidden column (width -1 with lines) takes nothing. Painting,
// hit tests and the column gestures all ask this one place.
class GridColumnAxis {
public:
    GridColumnAxis(const std::vector<int>& widths, int fixedCount, int leftCol, int lineWidth);

    int Count() const { return static_cast<int>(widths_.size()); }
    int FixedCount() const { return fixedCount_; }
    int LeftCol() const { return leftCol_; }
    int Width(int col) const { return widths_[static_cast<std::size_t>(col)]; }
    // The x right of the fixed columns and their lines.
    int FixedEnd() const { return starts_[static_cast<std::size_t>(fixedCount_)]; }
    // The left x of a column's cell; a scrolled-off column starts where the left column does.
    int Start(int col) const { return starts_[static_cast<std::size_t>(col)]; }
    // The x just past the column's line: where the next column starts.
    int End(int col) const { return starts_[static_cast<std::size_t>(col) + 1]; }
    // Whether the column is shown at all (fixed, or the left column or right of it).
    bool Shown(int col) const { return col < fixedCount_ || col >= leftCol_; }
    // The column whose cell or right line holds x, or -1.
    int IndexAt(int x) const;
    // The last scrollable column that starts left of the client width, or -1 for none.
    int LastShown(int clientWidth) const;
    // Whether the last column ends within the client width (its line may lie just outside).
    bool AllFit(int clientWidth) const { return FitFrom(fixedCount_, clientWidth); }
    // The leftmost left column from which the remaining columns fit the client width.
    int MaxLeftCol(int clientWidth) const;
    // The sizing handle at x: within a tolerance around a shown column's right line, or at
    // the client area's right end for a column the client area cuts off.
    ColumnHandle HandleAt(int x, int clientWidth) const;

private:
    bool FitFrom(int leftCol, int clientWidth) const;

    std::vector<int> widths_;
    int fixedCount_;
    int leftCol_;
    int lineWidth_;
    // starts_[c]: left x of column c in the order shown; starts_[Count()]: the end of the last.
    std::vector<int> starts_;
};
