// The grid's horizontal geometry: where columns start, which column holds an x, where a title
// edge can be grabbed, and whether the columns fit.
#include "grid/GridColumnAxis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The directory grid: indicator 11, Tel 49, Fio 187, Name 159, one-pixel lines.
const std::vector<int> DirectoryWidths{11, 49, 187, 159};

GridColumnAxis Directory(int leftCol = 1) {
    return GridColumnAxis(DirectoryWidths, 1, leftCol, 1);
}

TEST(GridColumnAxis, StartsAndIndexesFollowThePrefixSums) {
    const GridColumnAxis axis = Directory();
    EXPECT_EQ(axis.FixedEnd(), 12);
    EXPECT_EQ(axis.Start(0), 0);
    EXPECT_EQ(axis.Start(1), 12);
    EXPECT_EQ(axis.Start(2), 62);
    EXPECT_EQ(axis.Start(3), 250);
    EXPECT_EQ(axis.End(3), 410);
    const struct {
        int x;
        int col;
    } cases[] = {{-1, -1}, {0, 0},   {11, 0},  {12, 1},   {61, 1},   {62, 2},
                 {249, 2}, {250, 3}, {409, 3}, {410, -1}, {5000, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(axis.IndexAt(c.x), c.col) << c.x;
}

TEST(GridColumnAxis, ScrolledColumnsTakeNoRoomAndHiddenOnesNone) {
    const GridColumnAxis scrolled = Directory(2);
    EXPECT_EQ(scrolled.Start(2), 12);
    EXPECT_EQ(scrolled.IndexAt(12), 2);
    EXPECT_EQ(scrolled.IndexAt(199), 2);
    EXPECT_EQ(scrolled.IndexAt(200), 3);
    EXPECT_FALSE(scrolled.Shown(1));
    // A hidden column (width -1 with lines) is skipped by hit tests.
    const GridColumnAxis hidden({11, 49, -1, 159}, 1, 1, 1);
    EXPECT_EQ(hidden.Start(2), 62);
    EXPECT_EQ(hidden.Start(3), 62);
    EXPECT_EQ(hidden.IndexAt(62), 3);
}

TEST(GridColumnAxis, HandlesLieAroundEachRightLine) {
    const GridColumnAxis axis = Directory();
    const struct {
        int x;
        int col;
        int line;
    } cases[] = {{57, -1, 0},   {58, 1, 61},   {61, 1, 61},   {65, 1, 61},  {66, -1, 0},
                 {245, -1, 0},  {246, 2, 249}, {253, 2, 249}, {254, -1, 0}, {405, -1, 0},
                 {406, 3, 409}, {413, 3, 409}, {414, -1, 0},  {8, -1, 0}};
    for (const auto& c : cases) {
        const ColumnHandle handle = axis.HandleAt(c.x, 429);
        EXPECT_EQ(handle.col, c.col) << c.x;
        if (c.col >= 0) {
            EXPECT_EQ(handle.line, c.line) << c.x;
        }
    }
}

TEST(GridColumnAxis, TheRightEndGrabsTheColumnTheClientAreaCuts) {
    // Fio widened to 400: Name starts at 463, beyond a client width of 412.
    const GridColumnAxis axis({11, 49, 400, 159}, 1, 1, 1);
    EXPECT_EQ(axis.HandleAt(408, 412).col, -1);
    const ColumnHandle edge = axis.HandleAt(409, 412);
    EXPECT_EQ(edge.col, 2);
    EXPECT_EQ(edge.line, 412);
    EXPECT_EQ(axis.HandleAt(412, 412).col, 2);
    EXPECT_EQ(axis.HandleAt(413, 412).col, -1);
    // Columns that fit have no such handle.
    EXPECT_EQ(Directory().HandleAt(428, 429).col, -1);
}

TEST(GridColumnAxis, TheColumnsFitWhenTheClientWidthPlusALineHoldsThem) {
    const struct {
        std::vector<int> widths;
        int clientWidth;
        bool fit;
        int maxLeftCol;
    } cases[] = {
        {DirectoryWidths, 409, true, 1},     {DirectoryWidths, 408, false, 2},
        {{11, 49, 191, 159}, 412, false, 2}, {{11, 49, 190, 159}, 412, true, 1},
        {{11, 49, 187, 400}, 300, false, 3},
    };
    for (const auto& c : cases) {
        const GridColumnAxis axis(c.widths, 1, 1, 1);
        EXPECT_EQ(axis.AllFit(c.clientWidth), c.fit) << c.clientWidth;
        EXPECT_EQ(axis.MaxLeftCol(c.clientWidth), c.maxLeftCol) << c.clientWidth;
    }
}

TEST(GridColumnAxis, TheMaxLeftColIsTheFirstFromWhichTheRestFit) {
    // Hidden (-1) and empty columns among wide ones, over every client width that matters.
    const std::vector<int> widths{11, 49, -1, 187, 0, 159, 30, -1, 90, 400, 20};
    for (int leftCol : {1, 4}) {
        const GridColumnAxis axis(widths, 1, leftCol, 1);
        for (int clientWidth = 0; clientWidth <= 1000; ++clientWidth) {
            int expected = axis.Count() - 1;
            for (int col = axis.Count() - 1; col >= 1; --col) {
                int x = axis.FixedEnd();
                for (int c = col; c < axis.Count(); ++c)
                    x += std::max(widths[static_cast<std::size_t>(c)] + 1, 0);
                if (x <= clientWidth + 1)
                    expected = col;
            }
            EXPECT_EQ(axis.MaxLeftCol(clientWidth), expected) << clientWidth;
        }
    }
}

TEST(GridColumnAxis, TheLastShownColumnStartsLeftOfTheClientWidth) {
    EXPECT_EQ(Directory().LastShown(429), 3);
    EXPECT_EQ(Directory().LastShown(250), 2);
    EXPECT_EQ(Directory().LastShown(251), 3);
    EXPECT_EQ(Directory(3).LastShown(429), 3);
}

} // namespace
