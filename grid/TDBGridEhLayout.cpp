// The grid's layout: the column model and widths, the row heights, the row count over the row
// window, the current-row synchronisation, the update and layout locks and the geometry.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "grid/GridLocks.h"
#include "grid/TGridHorzScrollBar.h"
#include "platform/ui/TextMetrics.h"

#include <algorithm>

// --- Locks ---------------------------------------------------------------------------------

void TDBGridEh::EndUpdate() {
    if (updateLock_ == 0 || --updateLock_ > 0)
        return;
    if (std::exchange(pendingResize_, false)) {
        UpdateRowCount();
        pendingScrollBar_ = true;
    }
    if (std::exchange(pendingScrollBar_, false))
        UpdateScrollBar();
    if (std::exchange(pendingRepaint_, false))
        InvalidateGrid();
    // A layout change requested while the lock was held is carried out now.
    if (std::exchange(pendingLayout_, false))
        LayoutChanged();
}

void TDBGridEh::BeginLayout() {
    ++layoutLock_;
    ++updateLock_;
    ++paintLock_;
    columns_.BeginUpdate();
}

void TDBGridEh::EndLayout() {
    columns_.EndUpdate();
    --paintLock_;
    --updateLock_;
    --layoutLock_;
}

void TDBGridEh::LayoutChanged() {
    if (loading_)
        return;
    if (layoutLock_ > 0)
        return;
    if (updateLock_ > 0) {
        pendingLayout_ = true;
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
    titleRowCount_ = options_.Contains(dgTitles) ? 1 : 0;
    ComputeRowHeights();
    // The horizontal bar takes its height before the rows are counted.
    UpdateHorzScrollBar();
    const int savedLeftCol = leftCol_;
    UpdateRowCount();
    if (options_.Contains(dgRowSelect))
        leftCol_ = std::clamp(savedLeftCol, indicatorOffset_, std::max(ColCount() - 1, 0));
    SyncCurrentRow();
    InvalidateGrid();
}

void TDBGridEh::RebuildColumnWidths() {
    indicatorOffset_ = options_.Contains(dgIndicator) ? 1 : 0;
    colWidths_.clear();
    if (indicatorOffset_ == 1)
        colWidths_.push_back(IndicatorWidth);
    for (int i = 0; i < columns_.Count(); ++i) {
        const TColumnEh& column = columns_[i];
        const int hidden = options_.Contains(dgColLines) ? -1 : 0;
        colWidths_.push_back(column.Visible() ? column.Width() : hidden);
    }
    // A grid without columns still shows one empty column.
    if (columns_.Count() == 0)
        colWidths_.push_back(TColumnEh::DefaultColumnWidth);
    leftCol_ = std::clamp(leftCol_, indicatorOffset_, ColCount() - 1);
    col_ = std::clamp(col_, indicatorOffset_, ColCount() - 1);
    // With whole-row selection the first data column is always current.
    if (options_.Contains(dgRowSelect))
        col_ = indicatorOffset_;
}

void TDBGridEh::ComputeRowHeights() {
    const int lineWidth = options_.Contains(dgRowLines) ? GridLineWidth : 0;
    const int textHeight = GetTextMetrics(font_.Font).Height;
    if (rowHeight_ > 0)
        dataRowHeight_ = rowHeight_;
    else if (rowLines_ > 0)
        dataRowHeight_ = textHeight * rowLines_ + (flat_ ? 1 : 3) + lineWidth;
    else
        dataRowHeight_ = textHeight + (flat_ ? 1 : 3) + lineWidth;
    multiLineRows_ = RowsHoldSeveralLines(font_.Font);
    // The interlinear space of titles: 2 for a flat grid, else 4.
    const int titleSpace = flat_ ? 2 : 4;
    int titleHeight = GetTextMetrics(titleFont_.Font).Height + titleSpace;
    for (int i = 0; i < columns_.Count(); ++i)
        titleHeight = std::max(titleHeight,
                               GetTextMetrics(columns_[i].Title().Font().Font).Height + titleSpace);
    titleRowHeight_ = titleHeight;
}

// --- Row count -----------------------------------------------------------------------------

int TDBGridEh::FixedHeight() const {
    int height = 0;
    if (options_.Contains(dgTitles))
        height += titleRowHeight_ + GridLineWidth;
    if (footerRowCount_ > 0)
        height += footerRowCount_ * (dataRowHeight_ + GridLineWidth) + GridLineWidth;
    return height;
}

void TDBGridEh::SetRowCount(int rowCount) {
    if (rowCount == rowCount_)
        return;
    row_ = std::min(row_, rowCount - 1);
    rowCount_ = rowCount;
    InvalidateGrid();
}

void TDBGridEh::UpdateRowCount() {
    if (rowCount_ <= titleRowCount_)
        SetRowCount(titleRowCount_ + 1);
    row_ = std::max(row_, titleRowCount_);
    const TADOQuery* dataSet = DataSet();
    if (dataLink_.Active() && dataSet != nullptr && !dataSet->IsEmpty() && hasHandle_) {
        const int pitch = dataRowHeight_ + GridLineWidth;
        const int capacity = std::max((ClientHeight() - FixedHeight()) / pitch, 1);
        dataLink_.SetBufferCount(capacity);
        SetRowCount(titleRowCount_ + std::max(dataLink_.RecordCount(), 1));
        SyncCurrentRow();
    } else {
        SetRowCount(titleRowCount_ + 1);
    }
}

void TDBGridEh::SyncCurrentRow() {
    if (!dataLink_.Active() || !hasHandle_ || loading_)
        return;
    const int row = titleRowCount_ + dataLink_.ActiveRecord();
    if (row == row_ || row >= rowCount_)
        return;
    InvalidateRow(row_);
    row_ = row;
    InvalidateRow(row_);
}

void TDBGridEh::ClientSizeChanged() {
    UpdateHorzScrollBar();
    PlaceScrollBar();
    if (updateLock_ > 0) {
        pendingResize_ = true;
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
    int count = 0;
    for (int row = TopRow(); row < rowCount_; ++row) {
        if (RowTop(row) + dataRowHeight_ > ClientHeight())
            break;
        ++count;
    }
    return count;
}

int TDBGridEh::ColLeft(int col) const {
    return ColumnAxis().Start(col);
}

int TDBGridEh::RowTop(int row) const {
    if (row < titleRowCount_)
        return row * (titleRowHeight_ + GridLineWidth);
    return titleRowCount_ * (titleRowHeight_ + GridLineWidth) +
           (row - titleRowCount_) * (dataRowHeight_ + GridLineWidth);
}

TRect TDBGridEh::CellRect(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= rowCount_ ||
        (col >= indicatorOffset_ && col < leftCol_))
        return {};
    const int left = ColLeft(col);
    const int top = RowTop(row);
    return {left, top, left + std::max(ColWidth(col), 0), top + RowHeightOf(row)};
}

TRect TDBGridEh::RowRect(int row) const {
    const int top = RowTop(row);
    return {0, top, ClientWidth(), top + RowHeightOf(row) + GridLineWidth};
}

QRect TDBGridEh::ToWidget(const TRect& rect) const {
    return rect.ToQRect().translated(BorderWidth(), BorderWidth()) & ClientRect();
}

TGridCoord TDBGridEh::MouseCoord(QPoint point) const {
    if (point.x() < 0 || point.y() < 0 || point.x() >= ClientWidth() || point.y() >= ClientHeight())
        return {};
    TGridCoord coord;
    coord.X = ColumnAxis().IndexAt(point.x());
    for (int row = 0; row < rowCount_ && coord.Y < 0; ++row) {
        const int top = RowTop(row);
        if (point.y() >= top && point.y() < top + RowHeightOf(row) + GridLineWidth)
            coord.Y = row;
    }
    if (coord.X < 0 || coord.Y < 0)
        return {};
    return coord;
}

// --- Invalidation --------------------------------------------------------------------------

void TDBGridEh::InvalidateGrid() {
    update(ClientRect());
}

void TDBGridEh::InvalidateRow(int row) {
    if (row < 0 || row >= rowCount_)
        return;
    update(ToWidget(RowRect(row)));
}

void TDBGridEh::InvalidateCell(int col, int row) {
    const TRect cell = CellRect(col, row);
    if (cell.IsEmpty())
        return;
    update(
        ToWidget({cell.Left, cell.Top, cell.Right + GridLineWidth, cell.Bottom + GridLineWidth}));
}
