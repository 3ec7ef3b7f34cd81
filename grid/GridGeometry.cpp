#include "grid/GridGeometry.h"

#include <algorithm>

// --- Columns -----------------------------------------------------------------------------------

void GridGeometry::SetColumns(std::vector<int> widths, int fixedCount) {
    widths_ = std::move(widths);
    fixedCols_ = fixedCount;
    Changed();
}

void GridGeometry::SetColWidth(int col, int width) {
    widths_.at(static_cast<std::size_t>(col)) = width;
    Changed();
}

void GridGeometry::MoveCol(int fromCol, int toCol) {
    const auto widths = widths_.begin();
    if (fromCol < toCol)
        std::rotate(widths + fromCol, widths + fromCol + 1, widths + toCol + 1);
    else
        std::rotate(widths + toCol, widths + fromCol, widths + fromCol + 1);
    Changed();
}

void GridGeometry::SetLeftCol(int col) {
    if (col == leftCol_)
        return;
    leftCol_ = col;
    Changed();
}

const GridColumnAxis& GridGeometry::Columns() const {
    if (!columns_)
        columns_.emplace(widths_, fixedCols_, leftCol_, LineWidth);
    return *columns_;
}

// --- Rows --------------------------------------------------------------------------------------

void GridGeometry::SetRowHeights(int titleHeight, int dataHeight, bool multiLineRows) {
    titleHeight_ = titleHeight;
    dataHeight_ = dataHeight;
    multiLineRows_ = multiLineRows;
}

int GridGeometry::RowTop(int row) const {
    if (row < titleRows_)
        return row * (titleHeight_ + LineWidth);
    return titleRows_ * (titleHeight_ + LineWidth) + (row - titleRows_) * DataRowPitch();
}

int GridGeometry::RowAt(int y) const {
    if (y < 0)
        return -1;
    const int dataTop = RowTop(titleRows_);
    const int row =
        y < dataTop ? y / (titleHeight_ + LineWidth) : titleRows_ + (y - dataTop) / DataRowPitch();
    return row < rowCount_ ? row : -1;
}

int GridGeometry::WholeDataRows(int clientHeight) const {
    const int room = clientHeight - RowTop(titleRows_) - dataHeight_;
    if (room < 0)
        return 0;
    return std::clamp(room / DataRowPitch() + 1, 0, std::max(rowCount_ - titleRows_, 0));
}

int GridGeometry::LastRowShown(int clientHeight) const {
    const int room = clientHeight - RowTop(titleRows_);
    if (room <= 0 || titleRows_ >= rowCount_)
        return -1;
    return std::min(titleRows_ + (room - 1) / DataRowPitch(), rowCount_ - 1);
}

// --- Cells -------------------------------------------------------------------------------------

TRect GridGeometry::CellRect(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= rowCount_ ||
        (col >= fixedCols_ && col < leftCol_))
        return {};
    const int left = Columns().Start(col);
    const int top = RowTop(row);
    return {left, top, left + std::max(ColWidth(col), 0), top + RowHeight(row)};
}

TRect GridGeometry::RowRect(int row, int clientWidth) const {
    const int top = RowTop(row);
    return {0, top, clientWidth, top + RowHeight(row) + LineWidth};
}

TGridCoord GridGeometry::CellAt(QPoint point, int clientWidth, int clientHeight) const {
    if (point.x() < 0 || point.y() < 0 || point.x() >= clientWidth || point.y() >= clientHeight)
        return {};
    const TGridCoord coord{Columns().IndexAt(point.x()), RowAt(point.y())};
    if (coord.X < 0 || coord.Y < 0)
        return {};
    return coord;
}
