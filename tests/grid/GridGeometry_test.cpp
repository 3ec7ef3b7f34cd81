// The grid's geometry on both axes: row tops, hit tests and cell rectangles, and the column
// positions worked out again after every change of the columns.
#include "grid/GridGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The directory grid: indicator 11, Tel 49, Fio 187, Name 159; one title row and four data
// rows, both 15 pixels high, one-pixel lines.
GridGeometry Directory() {
    GridGeometry geometry({11, 49, 187, 159}, 1);
    geometry.SetRowHeights(15, 15, false);
    geometry.SetRowCount(5);
    return geometry;
}

TEST(GridGeometry, RowsFollowOneAnotherWithTheirLines) {
    const GridGeometry geometry = Directory();
    const struct {
        int row;
        int top;
    } tops[] = {{0, 0}, {1, 16}, {2, 32}, {4, 64}, {5, 80}};
    for (const auto& c : tops)
        EXPECT_EQ(geometry.RowTop(c.row), c.top) << c.row;
    const struct {
        int y;
        int row;
    } hits[] = {{-1, -1}, {0, 0}, {15, 0}, {16, 1}, {31, 1}, {79, 4}, {80, -1}};
    for (const auto& c : hits)
        EXPECT_EQ(geometry.RowAt(c.y), c.row) << c.y;
}

TEST(GridGeometry, RowsShownDependOnTheClientHeight) {
    const GridGeometry geometry = Directory();
    const struct {
        int height;
        int whole;
        int last;
    } cases[] = {{16, 0, -1}, {17, 0, 1}, {30, 0, 1}, {31, 1, 1},
                 {32, 1, 1},  {33, 1, 2}, {79, 4, 4}, {500, 4, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(geometry.WholeDataRows(c.height), c.whole) << c.height;
        EXPECT_EQ(geometry.LastRowShown(c.height), c.last) << c.height;
    }
}

TEST(GridGeometry, CellsAndHitsCombineBothAxes) {
    const GridGeometry geometry = Directory();
    EXPECT_EQ(geometry.CellRect(0, 0), (TRect{0, 0, 11, 15}));
    EXPECT_EQ(geometry.CellRect(2, 1), (TRect{62, 16, 249, 31}));
    EXPECT_EQ(geometry.CellRect(3, 5), TRect{});
    EXPECT_EQ(geometry.CellAt(QPoint(100, 40), 429, 321), (TGridCoord{2, 2}));
    EXPECT_EQ(geometry.CellAt(QPoint(100, 100), 429, 321), TGridCoord{});
    EXPECT_EQ(geometry.CellAt(QPoint(420, 20), 429, 321), TGridCoord{});
}

TEST(GridGeometry, EveryColumnChangeMovesThePositions) {
    GridGeometry geometry = Directory();
    EXPECT_EQ(geometry.Columns().Start(3), 250);
    geometry.SetColWidth(1, 99);
    EXPECT_EQ(geometry.Columns().Start(3), 300);
    geometry.MoveCol(3, 1);
    EXPECT_EQ(geometry.Columns().Start(2), 172);
    EXPECT_EQ(geometry.CellRect(1, 1), (TRect{12, 16, 171, 31}));
    geometry.SetLeftCol(2);
    EXPECT_EQ(geometry.Columns().Start(2), 12);
    EXPECT_EQ(geometry.CellRect(1, 1), TRect{});
    geometry.SetColumns({11, 40}, 1);
    geometry.SetLeftCol(1);
    EXPECT_EQ(geometry.Columns().Count(), 2);
    EXPECT_EQ(geometry.Columns().End(1), 53);
}

} // namespace
