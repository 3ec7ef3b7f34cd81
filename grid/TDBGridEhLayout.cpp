// The grid's layout: the column model and widths, the row heights, the row count over the row
// window, the current-row synchronisation, the update and layout locks, the current column and
// the carrying out of column moves and width changes. The positions themselves are the
// geometry's.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "grid/GridLocks.h"
#include "grid/GridPainting.h"
#include "grid/TGridHorzScrollBar.h"
#include "platform/ui/TextMetrics.h"

#include <algorithm>

namespace {

// The title row height and the data row height the grid's fonts and options ask for.
void ComputeRowHeights(const TDBGridEh& grid, GridGeometry& geometry) {
    const int lineWidth = grid.Options().Contains(dgRowLines) ? TDBGridEh::GridLineWidth : 0;
    const int textHeight = GetTextMetrics(grid.Font().Font).Height;
    const int spacing = grid.Flat() ? 1 : 3;
    int dataHeight = textHeight + spacing + lineWidth;
    if (grid.RowHeight() > 0)
        dataHeight = grid.RowHeight();
    else if (grid.RowLines() > 0)
        dataHeight = textHeight * grid.RowLines() + spacing + lineWidth;
    // The interlinear space of titles: 2 for a flat grid, else 4.
    const int titleSpace = grid.Flat() ? 2 : 4;
    int titleHeight = GetTextMetrics(grid.TitleFont().Font).Height + titleSpace;
    const TDBGridColumnsEh& columns = grid.Columns();
    for (int i = 0; i < columns.Count(); ++i)
        titleHeight = std::max(titleHeight,
                               GetTextMetrics(columns[i].Title().Font().Font).Height + titleSpace);
    geometry.SetRowHeights(titleHeight, dataHeight,
                           RowsHoldSeveralLines(grid.Font().Font, dataHeight));
}

// The height of the title row and the footer rows with their lines.
int FixedHeight(const TDBGridEh& grid) {
    const int line = TDBGridEh::GridLineWidth;
    int height = 0;
    if (grid.Options().Contains(dgTitles))
        height += grid.TitleRowHeight() + line;
    if (grid.FooterRowCount() > 0)
        height += grid.FooterRowCount() * (grid.DataRowHeight() + line) + line;
    return height;
}

} // namespace

// --- Locks ---------------------------------------------------------------------------------

void TDBGridEh::EndUpdate() {
    if (locks_.update == 0 || --locks_.update > 0)
        return;
    if (std::exchange(locks_.pendingResize, false)) {
        UpdateRowCount();
        locks_.pendingScrollBar = true;
    }
    if (std::exchange(locks_.pendingScrollBar, false))
        UpdateScrollBar();
    if (std::exchange(locks_.pendingRepaint, false))
        InvalidateGrid();
    // A layout change requested while the lock was held is carried out now.
    if (std::exchange(locks_.pendingLayout, false))
        LayoutChanged();
}

void TDBGridEh::BeginLayout() {
    ++locks_.layout;
    ++locks_.update;
    ++locks_.paint;
    columns_.BeginUpdate();
}

void TDBGridEh::EndLayout() {
    columns_.EndUpdate();
    --locks_.paint;
    --locks_.update;
    --locks_.layout;
}

void TDBGridEh::LayoutChanged() {
    if (loading_)
        return;
    if (locks_.layout > 0)
        return;
    if (locks_.update > 0) {
        locks_.pendingLayout = true;
        return;
    }
    RebuildLayout();
}

void TDBGridEh::ColumnsChanged(bool layout) {
    if (layout)
        LayoutChanged();
    else
        InvalidateGrid();
}

// --- Layout rebuild ------------------------------------------------------------------------

void TDBGridEh::RebuildLayout() {
    const GridLayoutLock lock(*this);
    columns_.RebuildColumns(DataSet());
    RebuildColumnWidths();
    geometry_.SetTitleRowCount(options_.Contains(dgTitles) ? 1 : 0);
    ComputeRowHeights(*this, geometry_);
    // The horizontal bar takes its height before the rows are counted.
    UpdateHorzScrollBar();
    const int savedLeftCol = LeftCol();
    UpdateRowCount();
    if (options_.Contains(dgRowSelect))
        geometry_.SetLeftCol(
            std::clamp(savedLeftCol, IndicatorOffset(), std::max(ColCount() - 1, 0)));
    SyncCurrentRow();
    InvalidateGrid();
}

void TDBGridEh::RebuildColumnWidths() {
    const int first = options_.Contains(dgIndicator) ? 1 : 0;
    std::vector<int> widths;
    if (first == 1)
        widths.push_back(IndicatorWidth);
    const int hidden = options_.Contains(dgColLines) ? -1 : 0;
    for (int i = 0; i < columns_.Count(); ++i) {
        const TColumnEh& column = columns_[i];
        widths.push_back(column.Visible() ? column.Width() : hidden);
    }
    // A grid without columns still shows one empty column.
    if (columns_.Count() == 0)
        widths.push_back(TColumnEh::DefaultColumnWidth);
    geometry_.SetColumns(std::move(widths), first);
    geometry_.SetLeftCol(std::clamp(LeftCol(), first, ColCount() - 1));
    col_ = std::clamp(col_, first, ColCount() - 1);
    // With whole-row selection the first data column is always current.
    if (options_.Contains(dgRowSelect))
        col_ = first;
}

// --- Row count -----------------------------------------------------------------------------

void TDBGridEh::SetRowCount(int rowCount) {
    if (rowCount == RowCount())
        return;
    row_ = std::min(row_, rowCount - 1);
    geometry_.SetRowCount(rowCount);
    InvalidateGrid();
}

void TDBGridEh::UpdateRowCount() {
    const int titleRows = TitleRowCount();
    if (RowCount() <= titleRows)
        SetRowCount(titleRows + 1);
    row_ = std::max(row_, titleRows);
    const TADOQuery* dataSet = DataSet();
    if (dataLink_.Active() && dataSet != nullptr && !dataSet->IsEmpty() && hasHandle_) {
        const int capacity =
            std::max((ClientHeight() - FixedHeight(*this)) / geometry_.DataRowPitch(), 1);
        dataLink_.SetBufferCount(capacity);
        SetRowCount(titleRows + std::max(dataLink_.RecordCount(), 1));
        SyncCurrentRow();
    } else {
        SetRowCount(titleRows + 1);
    }
}

void TDBGridEh::SyncCurrentRow() {
    if (!dataLink_.Active() || !hasHandle_ || loading_)
        return;
    const int row = TitleRowCount() + dataLink_.ActiveRecord();
    if (row == row_ || row >= RowCount())
        return;
    InvalidateRow(row_);
    row_ = row;
    InvalidateRow(row_);
}

void TDBGridEh::ClientSizeChanged() {
    UpdateHorzScrollBar();
    PlaceScrollBar();
    if (locks_.update > 0) {
        locks_.pendingResize = true;
        return;
    }
    UpdateRowCount();
    UpdateScrollBar();
}

// --- Geometry ------------------------------------------------------------------------------

QRect TDBGridEh::ClientRect() const {
    return QRect(BorderWidth(), BorderWidth(), ClientWidth(), ClientHeight());
}

int TDBGridEh::ClientWidth() const {
    const int bar = vertScrollBar_->Showing() ? TVertDBGridEhScrollBar::Width : 0;
    return std::max(width() - 2 * BorderWidth() - bar, 0);
}

int TDBGridEh::ClientHeight() const {
    const int bar = horzScrollBar_->Showing() ? TGridHorzScrollBar::Height : 0;
    return std::max(height() - 2 * BorderWidth() - bar, 0);
}

int TDBGridEh::VisibleDataRowCount() const {
    return geometry_.WholeDataRows(ClientHeight());
}

QRect TDBGridEh::ToWidget(const TRect& rect) const {
    return rect.ToQRect().translated(BorderWidth(), BorderWidth()) & ClientRect();
}

TGridCoord TDBGridEh::MouseCoord(QPoint point) const {
    return geometry_.CellAt(point, ClientWidth(), ClientHeight());
}

// --- Invalidation --------------------------------------------------------------------------

void TDBGridEh::InvalidateGrid() {
    update(ClientRect());
}

void TDBGridEh::InvalidateRow(int row) {
    if (row < 0 || row >= RowCount())
        return;
    update(ToWidget(geometry_.RowRect(row, ClientWidth())));
}

void TDBGridEh::InvalidateCell(int col, int row) {
    const TRect cell = CellRect(col, row);
    if (cell.IsEmpty())
        return;
    update(
        ToWidget({cell.Left, cell.Top, cell.Right + GridLineWidth, cell.Bottom + GridLineWidth}));
}

// --- The current column and the column gestures' results ------------------------------------

void TDBGridEh::RequestColumn(int col) {
    if (col == col_ || col < IndicatorOffset() || col >= ColCount())
        return;
    if (OnColExit)
        OnColExit();
    // With whole-row selection the first data column stays current.
    if (!options_.Contains(dgRowSelect))
        col_ = col;
    if (OnColEnter)
        OnColEnter();
}

void TDBGridEh::MoveColumn(int fromCol, int toCol) {
    const int fromIndex = fromCol - IndicatorOffset();
    const int toIndex = toCol - IndicatorOffset();
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= columns_.Count() ||
        toIndex >= columns_.Count())
        return;
    {
        // The widths move with their columns here; the columns' own order changes without a
        // layout rebuild, which would put the current column back on the first one at once.
        const GridLayoutLock lock(*this);
        geometry_.MoveCol(fromCol, toCol);
        // The current column goes with the moved one; those between shift towards its place.
        if (col_ == fromCol)
            col_ = toCol;
        else if (fromCol < toCol && col_ > fromCol && col_ <= toCol)
            --col_;
        else if (toCol < fromCol && col_ >= toCol && col_ < fromCol)
            ++col_;
        columns_.Move(fromIndex, toIndex);
    }
    InvalidateGrid();
    if (OnColumnMoved)
        OnColumnMoved(fromIndex, toIndex);
    ColWidthsChanged();
}

void TDBGridEh::ColWidthsChanged() {
    if (UpdateHorzScrollBar())
        ClientSizeChanged();
    for (int i = 0; i < columns_.Count(); ++i) {
        TColumnEh& column = columns_[i];
        const int col = IndicatorOffset() + i;
        if (!column.Visible() || col >= ColCount())
            continue;
        int width = ColWidth(col);
        if (column.MaxWidth() > 0)
            width = std::min(width, column.MaxWidth());
        width = std::max(width, column.MinWidth());
        geometry_.SetColWidth(col, width);
        if (column.Width() != width)
            column.SetWidth(width);
    }
    InvalidateGrid();
    if (OnColWidthsChanged)
        OnColWidthsChanged();
}
