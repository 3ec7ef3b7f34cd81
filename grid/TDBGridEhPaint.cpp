// The paint loop: the drawing geometry, the grid lines of each region, the cells of each region
// that lie in the paint region, the empty area beside and below the rows, and the border.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "grid/TDBGridEhDrawInfo.h"
#include "platform/ui/TCanvas.h"

#include <QPainter>

#include <algorithm>
#include <vector>

TDBGridEh::DrawInfo TDBGridEh::ComputeDrawInfo() const {
    DrawInfo info;
    const int clientWidth = ClientWidth();
    const int clientHeight = ClientHeight();
    const GridColumnAxis& axis = ColumnAxis();
    info.fixedBoundaryX = axis.FixedEnd();
    info.lastCol = axis.LastShown(clientWidth);
    info.gridBoundaryX =
        std::min(info.lastCol >= 0 ? axis.End(info.lastCol) : info.fixedBoundaryX, clientWidth);
    info.fixedBoundaryY = geometry_.RowTop(TitleRowCount());
    info.lastRow = geometry_.LastRowShown(clientHeight);
    info.gridBoundaryY = std::min(
        info.lastRow >= 0 ? geometry_.RowTop(info.lastRow + 1) : info.fixedBoundaryY, clientHeight);

    const TADOQuery* dataSet = DataSet();
    info.focused = hasFocus();
    info.linkActive = dataLink_.Active() && dataSet != nullptr;
    if (info.linkActive) {
        info.windowCount = dataLink_.RecordCount();
        info.currentRecordRow = TitleRowCount() + dataLink_.ActiveRecord();
        info.sequenced = dataSet->IsSequenced();
        info.state = dataSet->State();
    }
    info.multiLineRows = geometry_.MultiLineRows();
    return info;
}

void TDBGridEh::PaintGrid(TCanvas& canvas) {
    if (paintLock_ > 0)
        return;
    const DrawInfo info = ComputeDrawInfo();
    const int lastFixedCol = IndicatorOffset() - 1;
    const int lastTitleRow = TitleRowCount() - 1;
    const Region regions[] = {
        {0, lastFixedCol, 0, lastTitleRow, 0, 0, info.fixedBoundaryX, info.fixedBoundaryY, true},
        {LeftCol(), info.lastCol, 0, lastTitleRow, info.fixedBoundaryX, 0, info.gridBoundaryX,
         info.fixedBoundaryY, true},
        {0, lastFixedCol, TopRow(), info.lastRow, 0, info.fixedBoundaryY, info.fixedBoundaryX,
         info.gridBoundaryY, true},
        {LeftCol(), info.lastCol, TopRow(), info.lastRow, info.fixedBoundaryX, info.fixedBoundaryY,
         info.gridBoundaryX, info.gridBoundaryY, false},
    };
    for (const Region& region : regions)
        DrawRegionLines(canvas, region);
    for (const Region& region : regions)
        DrawRegionCells(canvas, region, info);
    FillEmptyArea(canvas, info);
}

TColor TDBGridEh::FixedLineColor() const {
    return flat_ ? clGray : clBlack;
}

TColor TDBGridEh::DataLineColor() const {
    return ColorToRGB(color_) == clSilver ? clGray : clSilver;
}

void TDBGridEh::DrawRegionLines(TCanvas& canvas, const Region& region) const {
    if (region.firstCol > region.lastCol || region.firstRow > region.lastRow)
        return;
    // Only the lines that reach the paint region are drawn.
    const GridColumnAxis& axis = ColumnAxis();
    std::vector<QPoint> vertical;
    for (int col = region.firstCol; col <= region.lastCol; ++col) {
        const int width = ColWidth(col);
        const int lineX = axis.Start(col) + width + GridLineWidth / 2;
        if (width > 0 && canvas.RectVisible({lineX, region.top, lineX + 1, region.bottom}))
            vertical.insert(vertical.end(),
                            {QPoint(lineX, region.top), QPoint(lineX, region.bottom)});
    }
    std::vector<QPoint> horizontal;
    for (int row = region.firstRow; row <= region.lastRow; ++row) {
        const int lineY = geometry_.RowTop(row) + RowHeightOf(row) + GridLineWidth / 2;
        if (canvas.RectVisible({region.left, lineY, region.right, lineY + 1}))
            horizontal.insert(horizontal.end(),
                              {QPoint(region.left, lineY), QPoint(region.right, lineY)});
    }
    const TColor lineColor = region.fixed ? FixedLineColor() : DataLineColor();
    const TColor background = region.fixed ? fixedColor_ : color_;
    const bool rowLines = options_.Contains(dgRowLines);
    const auto draw = [&](const std::vector<QPoint>& points, bool on) {
        if (points.empty())
            return;
        const std::vector<int> counts(points.size() / 2, 2);
        canvas.SetPenColor(on ? lineColor : background);
        canvas.PolyPolyline(points, counts);
    };
    canvas.SetPenWidth(GridLineWidth);
    // The lines drawn second win at the crossings: the horizontal ones while they are shown.
    if (rowLines) {
        draw(vertical, options_.Contains(dgColLines));
        draw(horizontal, true);
    } else {
        draw(horizontal, false);
        draw(vertical, options_.Contains(dgColLines));
    }
}

TGridDrawState TDBGridEh::CellState(int col, int row) const {
    TGridDrawState state;
    if (col < IndicatorOffset() || row < TitleRowCount()) {
        state.Include(gdFixed);
        return state;
    }
    const bool inSelection = row == row_ && (options_.Contains(dgRowSelect) || col == col_);
    state.Set(gdSelected, inSelection);
    state.Set(gdFocused, hasFocus() && row == row_ && col == col_);
    return state;
}

void TDBGridEh::DrawRegionCells(TCanvas& canvas, const Region& region, const DrawInfo& info) {
    const GridColumnAxis& axis = ColumnAxis();
    for (int row = region.firstRow; row <= region.lastRow; ++row) {
        const int y = geometry_.RowTop(row);
        const int height = RowHeightOf(row);
        for (int col = region.firstCol; col <= region.lastCol; ++col) {
            const int width = ColWidth(col);
            const int x = axis.Start(col);
            const TRect rect{x, y, x + width, y + height};
            // A hidden duplicate owns the line above it, which the line pass may have redrawn.
            TRect probe = rect;
            const TColumnEh* column = region.fixed ? nullptr : ColumnAt(col);
            if (column != nullptr && column->HideDuplicates())
                probe.Top -= GridLineWidth;
            if (width > 0 && canvas.RectVisible(probe))
                PaintCell(canvas, col, row, rect, CellState(col, row), info);
        }
    }
}

void TDBGridEh::FillEmptyArea(TCanvas& canvas, const DrawInfo& info) const {
    const int clientWidth = ClientWidth();
    const int clientHeight = ClientHeight();
    canvas.SetBrushStyle(bsSolid);
    canvas.SetBrushColor(color_);
    if (info.gridBoundaryX < clientWidth)
        canvas.FillRect({info.gridBoundaryX, 0, clientWidth, info.gridBoundaryY});
    if (info.gridBoundaryY < clientHeight)
        canvas.FillRect({0, info.gridBoundaryY, clientWidth, clientHeight});
}

void TDBGridEh::PaintBorder(QPainter& painter) const {
    TCanvas canvas(painter);
    canvas.DrawEdge({0, 0, width(), height()}, BDR_SUNKENOUTER, BF_RECT);
}
