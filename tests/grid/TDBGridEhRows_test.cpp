// The grid's row window: the row count and window capacity, the current row, the vertical
// scroll bar's modes, and the grid's state while closed, empty, hidden or never shown.
#include "grid/TVertDBGridEhScrollBar.h"
#include "tests/grid/GridFixture.h"

#include <QApplication>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

using GridRows = GridTest;

void ExpectBar(const TDBGridEh& grid, TScrollBarSettingsEh expected, bool showing) {
    const TScrollBarSettingsEh& settings = grid.VertScrollBar().Settings();
    EXPECT_EQ(settings.Min, expected.Min);
    EXPECT_EQ(settings.Max, expected.Max);
    EXPECT_EQ(settings.Page, expected.Page);
    EXPECT_EQ(settings.Pos, expected.Pos);
    EXPECT_EQ(grid.VertScrollBar().Showing(), showing);
    EXPECT_EQ(grid.VertScrollBar().Control().isVisible(), showing);
}

struct ResultCase {
    int records;
    int rowCount;
    int capacity;
    TScrollBarSettingsEh bar;
    bool showing;
};

TEST_F(GridRows, RowCountAndBarForAResult) {
    const ResultCase cases[] = {
        {0, 2, 1, {1, 0, 1, -1}, false},      {1, 2, 19, {1, 1, 1, 1}, false},
        {2, 3, 19, {1, 3, 2, 1}, true},       {5, 6, 19, {1, 9, 5, 1}, true},
        {200, 20, 19, {1, 218, 19, 1}, true},
    };
    Show();
    int added = 0;
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.records);
        AddNumbered(c.records - added);
        added = c.records;
        OpenAll();
        EXPECT_EQ(grid->RowCount(), c.rowCount);
        EXPECT_EQ(grid->WindowCapacity(), c.capacity);
        EXPECT_EQ(grid->Row(), 1);
        EXPECT_EQ(grid->DataLink().RecordCount(), c.rowCount - 1 - (c.records == 0 ? 1 : 0));
        ExpectBar(*grid, c.bar, c.showing);
        query.Close();
    }
}

TEST_F(GridRows, TheBarsRangeMapsToTheThumb) {
    AddNumbered(200);
    Show();
    OpenAll();
    query.MoveBy(49);
    const QScrollBar& bar = grid->VertScrollBar().Control();
    EXPECT_EQ(bar.minimum(), 1);
    EXPECT_EQ(bar.maximum(), 200);
    EXPECT_EQ(bar.pageStep(), 19);
    EXPECT_EQ(bar.value(), 50);
    // The client area leaves room for the 17-pixel bar.
    EXPECT_EQ(grid->ClientWidth(), 412);
    EXPECT_EQ(bar.geometry(), QRect(413, 1, 17, 321));
}

TEST_F(GridRows, TheFilteredSearchHasAThreeStateBar) {
    addEntries({DirectoryEntry{1.0, QStringLiteral("Ivanov A"), QStringLiteral("LENINA 1"), {}},
                DirectoryEntry{2.0, QStringLiteral("Petrov"), QStringLiteral("LENINA 2"), {}},
                DirectoryEntry{3.0, QStringLiteral("Ivanov B"), QStringLiteral("LENINA 3"), {}},
                DirectoryEntry{4.0, QStringLiteral("Ivanov C"), QStringLiteral("LENINA 4"), {}},
                DirectoryEntry{5.0, QStringLiteral("Ivanov D"), QStringLiteral("MIRA 5"), {}}});
    Show();
    OpenFiltered(QStringLiteral("LENINA"), QStringLiteral("Ivanov"));
    EXPECT_EQ(grid->RowCount(), 4);
    ExpectBar(*grid, {0, 4, 0, 0}, true);
    query.Last();
    ExpectBar(*grid, {0, 4, 0, 4}, true);
    query.First();
    query.MoveBy(1);
    ExpectBar(*grid, {0, 4, 0, 2}, true);

    OpenFiltered(QStringLiteral("MIRA"), QStringLiteral("Ivanov"));
    EXPECT_EQ(grid->RowCount(), 2);
    ExpectBar(*grid, {0, 4, 0, 0}, true);
    OpenFiltered(QStringLiteral("MIRA"), QStringLiteral("Nobody"));
    EXPECT_EQ(grid->RowCount(), 2);
    ExpectBar(*grid, {0, 4, 0, 0}, true);
}

TEST_F(GridRows, ClosingEmptiesTheGrid) {
    AddNumbered(30);
    Show();
    OpenAll();
    query.MoveBy(2);
    grid->Selection().Rows().SetCurrentRowSelected(true);
    query.MoveBy(3);
    grid->Selection().Rows().SetCurrentRowSelected(true);
    ASSERT_EQ(grid->Selection().Rows().Count(), 2);
    query.Close();
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Selection().Rows().Count(), 0);
    EXPECT_EQ(grid->Selection().SelectionType(), gstNon);
    ExpectBar(*grid, {0, 1, 2, 0}, false);
    // The capacity survives the close and serves the next open.
    EXPECT_EQ(grid->WindowCapacity(), 19);
}

struct ClientHeightCase {
    int widgetHeight;
    int capacity;
    int visibleRows;
};

TEST_F(GridRows, TheCapacityIsTheWholeRowsOfTheClientArea) {
    AddNumbered(40);
    Show();
    OpenAll();
    const ClientHeightCase cases[] = {
        {323, 19, 19}, {322, 19, 19}, {321, 18, 18}, {200, 11, 11}, {18, 1, 0}};
    for (const ClientHeightCase& c : cases) {
        SCOPED_TRACE(c.widgetHeight);
        grid->resize(431, c.widgetHeight);
        EXPECT_EQ(grid->WindowCapacity(), c.capacity);
        EXPECT_EQ(grid->RowCount(), 1 + c.capacity);
        EXPECT_EQ(grid->VisibleDataRowCount(), c.visibleRows);
    }
}

TEST_F(GridRows, TheCurrentRowFollowsTheCurrentRecord) {
    AddNumbered(40);
    Show();
    OpenAll();
    query.MoveBy(5);
    EXPECT_EQ(grid->Row(), 6);
    query.MoveBy(20);
    EXPECT_EQ(grid->Row(), 19);
    EXPECT_EQ(query.RecNo(), 26);
    query.First();
    EXPECT_EQ(grid->Row(), 1);
    query.Last();
    EXPECT_EQ(grid->Row(), 19);
    EXPECT_EQ(grid->VertScrollBar().Settings().Pos, 40);
}

TEST_F(GridRows, ANeverShownGridKeepsOneEmptyRow) {
    AddNumbered(5);
    OpenAll();
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->WindowCapacity(), 1);
    EXPECT_FALSE(grid->VertScrollBar().Showing());
    // Showing it sizes the window at once.
    Show();
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->VertScrollBar().Settings().Page, 5);
}

TEST_F(GridRows, AHiddenGridFollowsTheQuery) {
    AddNumbered(40);
    Show();
    grid->hide();
    OpenAll();
    EXPECT_EQ(grid->RowCount(), 20);
    query.MoveBy(30);
    EXPECT_EQ(grid->Row(), 19);
    EXPECT_EQ(grid->VertScrollBar().Settings().Pos, 31);
    query.Close();
    EXPECT_EQ(grid->RowCount(), 2);
}

TEST_F(GridRows, TheLayoutDecidesTheMetrics) {
    Show();
    EXPECT_EQ(grid->TitleRowCount(), 1);
    EXPECT_EQ(grid->IndicatorOffset(), 1);
    EXPECT_EQ(grid->TitleRowHeight(), 15);
    EXPECT_EQ(grid->DataRowHeight(), 15);
    EXPECT_EQ(grid->ClientRect(), QRect(1, 1, 429, 321));
    EXPECT_EQ(grid->CellRect(0, 0), (TRect{0, 0, 11, 15}));
    EXPECT_EQ(grid->CellRect(1, 1), (TRect{12, 16, 61, 31}));
    EXPECT_EQ(grid->CellRect(2, 1), (TRect{62, 16, 249, 31}));
    EXPECT_EQ(grid->CellRect(3, 1), (TRect{250, 16, 409, 31}));
    EXPECT_EQ(grid->Col(), 1);
}

} // namespace
