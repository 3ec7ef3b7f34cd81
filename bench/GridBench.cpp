// The results grid's painting: a full repaint of 19 rows against a QTableView showing the same
// 19 x 3 texts in a widget of the same size, and a one-row move at the bottom of the window
// (the rows' pixels move up and only the uncovered band and a few rows are repainted) against
// our own full repaint. Both run offscreen through Qt's backing store.
#include "BenchApplication.h"
#include "DirectoryFixture.h"
#include "DirectoryGridScene.h"
#include "Ratio.h"

#include "grid/TDBGridEh.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr qint64 DirectoryEntries = 2000;
constexpr int VisibleRows = 19;

// Repaints everything the widget shows: for the grid its cells, titles, indicator, border and
// vertical scroll bar; for the table its cells, both headers, frame and vertical scroll bar.
void RepaintGrid(TDBGridEh& grid) {
    grid.update();
    FlushPaints(grid);
}

void RepaintTable(QTableView& view) {
    view.update();
    view.viewport()->update();
    view.horizontalHeader()->viewport()->update();
    view.verticalHeader()->viewport()->update();
    view.verticalScrollBar()->update();
    FlushPaints(view);
}

// The grid over the whole generated directory.
struct GridScene : DirectoryGridScene {
    GridScene()
        : DirectoryGridScene(DirectoryFixture::withEntries(DirectoryEntries).connectionString()) {}

    // The texts of the rows shown, column by column, as the grid paints them.
    std::vector<std::vector<QString>> VisibleTexts() {
        std::vector<std::vector<QString>> rows;
        query.First();
        for (int row = 0; row < VisibleRows; ++row) {
            std::vector<QString> texts;
            for (int col = 0; col < grid.Columns().Count(); ++col)
                texts.push_back(grid.Columns()[col].CellDisplayText());
            rows.push_back(texts);
            query.Next();
        }
        query.First();
        return rows;
    }

    // Puts the current record on the last visible row, as before a Down at the bottom.
    void ToBottomRow() {
        query.First();
        query.MoveBy(VisibleRows - 1);
        FlushPaints(grid);
    }
};

// A QTableView over a model of the same texts, captions and column widths, 431 x 323.
struct TableScene {
    explicit TableScene(GridScene& grid) {
        const std::vector<std::vector<QString>> texts = grid.VisibleTexts();
        model.setRowCount(VisibleRows);
        model.setColumnCount(grid.grid.Columns().Count());
        for (int col = 0; col < grid.grid.Columns().Count(); ++col) {
            const TColumnEh& column = grid.grid.Columns()[col];
            model.setHorizontalHeaderItem(col, new QStandardItem(column.Title().Caption()));
            for (int row = 0; row < VisibleRows; ++row)
                model.setItem(row, col, new QStandardItem(texts[row][col]));
        }
        view.setModel(&model);
        view.setFont(WindowFont());
        view.verticalHeader()->setDefaultSectionSize(16);
        view.verticalHeader()->setMinimumSectionSize(16);
        view.verticalHeader()->setFixedWidth(11);
        for (int col = 0; col < grid.grid.Columns().Count(); ++col)
            view.setColumnWidth(col, grid.grid.Columns()[col].Width());
        // Both widgets show a vertical scroll bar, as the grid does over a longer result.
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view.resize(431, 323);
        view.show();
        QApplication::processEvents();
    }

    QStandardItemModel model;
    QTableView view;
};

GridScene& Grid() {
    EnsureApplication();
    static GridScene* scene = new GridScene;
    return *scene;
}

TableScene& Table() {
    static TableScene* scene = new TableScene(Grid());
    return *scene;
}

void GridFullRepaint(benchmark::State& state) {
    GridScene& grid = Grid();
    TableScene& table = Table();
    grid.query.First();
    FlushPaints(grid.grid);
    const std::vector<int> inputs{0};
    bench::RunWithRatio(
        state, inputs,
        [&](int) {
            RepaintGrid(grid.grid);
            return 0;
        },
        [&](int) {
            RepaintTable(table.view);
            return 0;
        });
    state.SetLabel("ratio: ours / QTableView, same 19 x 3 texts");
}
BENCHMARK(GridFullRepaint)->Unit(benchmark::kMicrosecond);

void GridRowMove(benchmark::State& state) {
    GridScene& grid = Grid();
    grid.ToBottomRow();
    const std::vector<int> inputs{0};
    bench::RunWithRatio(
        state, inputs,
        [&](int) {
            // A Down at the last visible row: the window shifts by one record.
            if (grid.query.MoveBy(1) == 0) {
                grid.ToBottomRow();
                grid.query.MoveBy(1);
            }
            FlushPaints(grid.grid);
            return 0;
        },
        [&](int) {
            RepaintGrid(grid.grid);
            return 0;
        });
    state.SetLabel("ratio: one-row move / our full repaint");
}
BENCHMARK(GridRowMove)->Unit(benchmark::kMicrosecond);

} // namespace
