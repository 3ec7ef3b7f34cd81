#pragma once

#include "grid/GridColumnAxis.h"
#include "platform/ui/TRect.h"

#include <QPoint>

#include <optional>
#include <utility>
#include <vector>

// A grid cell: column X and row Y; -1 for a point outside the cells.
struct TGridCoord {
    int X = -1;
    int Y = -1;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// The grid's geometry in client coordinates, both axes. Columns: their widths, how many are
// fixed at the left and the first scrollable one shown; their x positions come from one
// GridColumnAxis, built when first asked for and dropped by every change of the columns. Rows:
// the title rows, then the data rows of the row window, each title row and each data row the
// same height plus the line width; every row's y comes from RowTop.
class GridGeometry {
public:
    static constexpr int LineWidth = 1;

    // The column widths with the fixed ones first; the left column is the first scrollable.
    GridGeometry(std::vector<int> widths, int fixedCount)
        : widths_(std::move(widths)), fixedCols_(fixedCount), leftCol_(fixedCount) {}

    // --- Columns -------------------------------------------------------------------------------
    int ColCount() const { return static_cast<int>(widths_.size()); }
    // The columns fixed at the left (the indicator): 1 or 0.
    int FixedColCount() const { return fixedCols_; }
    int LeftCol() const { return leftCol_; }
    int ColWidth(int col) const { return widths_.at(static_cast<std::size_t>(col)); }
    // New widths; the left column stays as it is until the caller places it.
    void SetColumns(std::vector<int> widths, int fixedCount);
    void SetColWidth(int col, int width);
    // Moves a column's width from one grid column to another; those between shift.
    void MoveCol(int fromCol, int toCol);
    void SetLeftCol(int col);
    // The x positions of the columns as shown now.
    const GridColumnAxis& Columns() const;

    // --- Rows ----------------------------------------------------------------------------------
    int RowCount() const { return rowCount_; }
    void SetRowCount(int rowCount) { rowCount_ = rowCount; }
    int TitleRowCount() const { return titleRows_; }
    void SetTitleRowCount(int count) { titleRows_ = count; }
    int TitleRowHeight() const { return titleHeight_; }
    int DataRowHeight() const { return dataHeight_; }
    // Whether a data row can hold more than one line of the grid's font.
    bool MultiLineRows() const { return multiLineRows_; }
    void SetRowHeights(int titleHeight, int dataHeight, bool multiLineRows);
    int RowHeight(int row) const { return row < titleRows_ ? titleHeight_ : dataHeight_; }
    // The top of a row, for any row from 0 on (also below the last one).
    int RowTop(int row) const;
    // The distance from one data row's top to the next one's.
    int DataRowPitch() const { return dataHeight_ + LineWidth; }
    // The row whose cell or lower line holds y, or -1.
    int RowAt(int y) const;
    // How many data rows lie wholly within a client height.
    int WholeDataRows(int clientHeight) const;
    // The last data row that starts within a client height, or -1.
    int LastRowShown(int clientHeight) const;

    // --- Cells ---------------------------------------------------------------------------------
    // The cell's rectangle without its lines; empty for a cell that is not shown.
    TRect CellRect(int col, int row) const;
    // The row's rectangle over a client width, its lower line included.
    TRect RowRect(int row, int clientWidth) const;
    // The cell under a client point of a client area of the given size.
    TGridCoord CellAt(QPoint point, int clientWidth, int clientHeight) const;

private:
    void Changed() { columns_.reset(); }

    std::vector<int> widths_;
    int fixedCols_;
    int leftCol_;
    int rowCount_ = 2;
    int titleRows_ = 1;
    int titleHeight_ = 15;
    int dataHeight_ = 15;
    bool multiLineRows_ = false;
    mutable std::optional<GridColumnAxis> columns_;
};
