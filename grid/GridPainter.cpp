// The paint loop: the drawing geometry, the grid lines of each region, the cells of each region
// that lie in the paint region, the empty area beside and below the rows; and the cells by
// their kind: the corner and indicator cells with their glyphs, the title cells, and the data
// cells with their record colours, highlight, hidden duplicates and text.
#include "grid/GridPainter.h"

#include "data/DataSetState.h"
#include "data/TADOQuery.h"
#include "grid/ActiveRecordGuard.h"
#include "grid/GridCellParams.h"
#include "grid/GridPainting.h"
#include "grid/IndicatorGlyphs.h"
#include "grid/TDBGridEh.h"
#include "platform/ui/TCanvas.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

// The background and text of selected title and indicator cells.
constexpr TColor FixedHighlightColor = RGB(64, 64, 64);
constexpr TColor FixedHighlightText = clWhite;

// The glyphs of the indicator's image list.
constexpr int GlyphArrow = 0;
constexpr int GlyphEdit = 1;
constexpr int GlyphInsert = 2;
constexpr int GlyphSelectedArrow = 5;
constexpr int NoGlyph = -1;

constexpr int LineWidth = GridGeometry::LineWidth;

// Sets the font only when it differs from the canvas's: changing it costs a metrics lookup.
void ApplyFont(TCanvas& canvas, const TGridFont& font) {
    if (canvas.Font() == font.Font)
        canvas.SetFontColor(font.Color);
    else
        canvas.SetFont(font.Font, font.Color);
}

} // namespace

// What one paint pass needs to know, worked out once before the cells are drawn: the region
// boundaries in client coordinates, the last columns and rows shown, and the state of the data
// link and the focus.
struct GridPainter::DrawInfo {
    int fixedBoundaryX = 0; // end of the indicator column, its line included
    int fixedBoundaryY = 0; // end of the title row, its line included
    int gridBoundaryX = 0;  // end of the last shown column, at most the client width
    int gridBoundaryY = 0;  // end of the last shown row, at most the client height
    int lastCol = -1;
    int lastRow = -1;
    bool focused = false;
    bool linkActive = false;
    int windowCount = 0;       // records in the row window
    int currentRecordRow = -1; // the current record's grid row
    bool sequenced = false;
    TDataSetState state = dsInactive;
};

// A block of cells painted together: its columns and rows (inclusive) and its bounds.
struct GridPainter::Region {
    int firstCol = 0;
    int lastCol = -1;
    int firstRow = 0;
    int lastRow = -1;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool fixed = false; // the corner, the title row and the indicator column
};

GridPainter::GridPainter(const TDBGridEh& grid, TDataLink& records)
    : grid_(grid), geometry_(grid.geometry_), records_(records) {
}

// --- The paint loop ----------------------------------------------------------------------------

GridPainter::DrawInfo GridPainter::ComputeDrawInfo() const {
    DrawInfo info;
    const int clientWidth = grid_.ClientWidth();
    const int clientHeight = grid_.ClientHeight();
    const GridColumnAxis& axis = geometry_.Columns();
    info.fixedBoundaryX = axis.FixedEnd();
    info.lastCol = axis.LastShown(clientWidth);
    info.gridBoundaryX =
        std::min(info.lastCol >= 0 ? axis.End(info.lastCol) : info.fixedBoundaryX, clientWidth);
    info.fixedBoundaryY = geometry_.RowTop(geometry_.TitleRowCount());
    info.lastRow = geometry_.LastRowShown(clientHeight);
    info.gridBoundaryY = std::min(
        info.lastRow >= 0 ? geometry_.RowTop(info.lastRow + 1) : info.fixedBoundaryY, clientHeight);

    const TADOQuery* dataSet = grid_.DataSet();
    const TGridDataLinkEh& link = grid_.DataLink();
    info.focused = grid_.hasFocus();
    info.linkActive = link.Active() && dataSet != nullptr;
    if (info.linkActive) {
        info.windowCount = link.RecordCount();
        info.currentRecordRow = geometry_.TitleRowCount() + link.ActiveRecord();
        info.sequenced = dataSet->IsSequenced();
        info.state = dataSet->State();
    }
    return info;
}

int GridPainter::Paint(TCanvas& canvas) {
    indicatorRow_ = -1;
    const DrawInfo info = ComputeDrawInfo();
    const int lastFixedCol = geometry_.FixedColCount() - 1;
    const int lastTitleRow = geometry_.TitleRowCount() - 1;
    const int leftCol = geometry_.LeftCol();
    const int topRow = grid_.TopRow();
    const Region regions[] = {
        {0, lastFixedCol, 0, lastTitleRow, 0, 0, info.fixedBoundaryX, info.fixedBoundaryY, true},
        {leftCol, info.lastCol, 0, lastTitleRow, info.fixedBoundaryX, 0, info.gridBoundaryX,
         info.fixedBoundaryY, true},
        {0, lastFixedCol, topRow, info.lastRow, 0, info.fixedBoundaryY, info.fixedBoundaryX,
         info.gridBoundaryY, true},
        {leftCol, info.lastCol, topRow, info.lastRow, info.fixedBoundaryX, info.fixedBoundaryY,
         info.gridBoundaryX, info.gridBoundaryY, false},
    };
    for (const Region& region : regions)
        DrawRegionLines(canvas, region);
    for (const Region& region : regions)
        DrawRegionCells(canvas, region, info);
    FillEmptyArea(canvas, info);
    return indicatorRow_;
}

TColor GridPainter::FixedLineColor() const {
    return grid_.Flat() ? clGray : clBlack;
}

TColor GridPainter::DataLineColor() const {
    return ColorToRGB(grid_.Color()) == clSilver ? clGray : clSilver;
}

void GridPainter::DrawRegionLines(TCanvas& canvas, const Region& region) const {
    if (region.firstCol > region.lastCol || region.firstRow > region.lastRow)
        return;
    // Only the lines that reach the paint region are drawn.
    const GridColumnAxis& axis = geometry_.Columns();
    std::vector<QPoint> vertical;
    for (int col = region.firstCol; col <= region.lastCol; ++col) {
        const int width = geometry_.ColWidth(col);
        const int lineX = axis.Start(col) + width + LineWidth / 2;
        if (width > 0 && canvas.RectVisible({lineX, region.top, lineX + 1, region.bottom}))
            vertical.insert(vertical.end(),
                            {QPoint(lineX, region.top), QPoint(lineX, region.bottom)});
    }
    std::vector<QPoint> horizontal;
    for (int row = region.firstRow; row <= region.lastRow; ++row) {
        const int lineY = geometry_.RowTop(row) + geometry_.RowHeight(row) + LineWidth / 2;
        if (canvas.RectVisible({region.left, lineY, region.right, lineY + 1}))
            horizontal.insert(horizontal.end(),
                              {QPoint(region.left, lineY), QPoint(region.right, lineY)});
    }
    const TGridOptions options = grid_.Options();
    const TColor lineColor = region.fixed ? FixedLineColor() : DataLineColor();
    const TColor background = region.fixed ? grid_.FixedColor() : grid_.Color();
    const auto draw = [&](const std::vector<QPoint>& points, bool on) {
        if (points.empty())
            return;
        const std::vector<int> counts(points.size() / 2, 2);
        canvas.SetPenColor(on ? lineColor : background);
        canvas.PolyPolyline(points, counts);
    };
    canvas.SetPenWidth(LineWidth);
    // The lines drawn second win at the crossings: the horizontal ones while they are shown.
    if (options.Contains(dgRowLines)) {
        draw(vertical, options.Contains(dgColLines));
        draw(horizontal, true);
    } else {
        draw(horizontal, false);
        draw(vertical, options.Contains(dgColLines));
    }
}

TGridDrawState GridPainter::CellState(int col, int row) const {
    TGridDrawState state;
    if (col < geometry_.FixedColCount() || row < geometry_.TitleRowCount()) {
        state.Include(gdFixed);
        return state;
    }
    const int currentRow = grid_.Row();
    const int currentCol = grid_.Col();
    const bool inSelection =
        row == currentRow && (grid_.Options().Contains(dgRowSelect) || col == currentCol);
    state.Set(gdSelected, inSelection);
    state.Set(gdFocused, grid_.hasFocus() && row == currentRow && col == currentCol);
    return state;
}

void GridPainter::DrawRegionCells(TCanvas& canvas, const Region& region, const DrawInfo& info) {
    const GridColumnAxis& axis = geometry_.Columns();
    for (int row = region.firstRow; row <= region.lastRow; ++row) {
        const int y = geometry_.RowTop(row);
        const int height = geometry_.RowHeight(row);
        for (int col = region.firstCol; col <= region.lastCol; ++col) {
            const int width = geometry_.ColWidth(col);
            const int x = axis.Start(col);
            const TRect rect{x, y, x + width, y + height};
            // A hidden duplicate owns the line above it, which the line pass may have redrawn.
            TRect probe = rect;
            const TColumnEh* column = region.fixed ? nullptr : grid_.ColumnAt(col);
            if (column != nullptr && column->HideDuplicates())
                probe.Top -= LineWidth;
            if (width > 0 && canvas.RectVisible(probe))
                PaintCell(canvas, col, row, rect, CellState(col, row), info);
        }
    }
}

void GridPainter::FillEmptyArea(TCanvas& canvas, const DrawInfo& info) const {
    const int clientWidth = grid_.ClientWidth();
    const int clientHeight = grid_.ClientHeight();
    canvas.SetBrushStyle(bsSolid);
    canvas.SetBrushColor(grid_.Color());
    if (info.gridBoundaryX < clientWidth)
        canvas.FillRect({info.gridBoundaryX, 0, clientWidth, info.gridBoundaryY});
    if (info.gridBoundaryY < clientHeight)
        canvas.FillRect({0, info.gridBoundaryY, clientWidth, clientHeight});
}

void GridPainter::PaintBorder(QPainter& painter, QSize size) {
    TCanvas canvas(painter);
    canvas.DrawEdge({0, 0, size.width(), size.height()}, BDR_SUNKENOUTER, BF_RECT);
}

// --- The cells ---------------------------------------------------------------------------------

void GridPainter::PaintCell(TCanvas& canvas, int col, int row, TRect rect, TGridDrawState state,
                            const DrawInfo& info) {
    canvas.SetBrushStyle(bsSolid);
    TColumnEh* column = grid_.ColumnAt(col);
    const bool indicator = col < geometry_.FixedColCount();
    if (grid_.Loading() || (!indicator && column == nullptr)) {
        canvas.SetBrushColor(grid_.Color());
        canvas.FillRect(rect);
        return;
    }
    const bool title = row < geometry_.TitleRowCount();
    if (!indicator && !title) {
        PaintDataCell(canvas, *column, col, row, rect, state, info);
        return;
    }
    // Title and indicator cells are raised: drawn one pixel inside their frame.
    const bool raised = grid_.OptionsEh().Contains(dghFixed3D);
    TRect inner = rect;
    if (raised)
        InflateRect(inner, -1, -1);
    const int dx = raised ? 1 : 2;
    const int dy = (raised ? 1 : 2) - (grid_.Flat() ? 1 : 0);
    bool highlighted = false;
    if (indicator)
        PaintIndicatorCell(canvas, row, inner, dx, info, highlighted);
    else
        PaintTitleCell(canvas, *column, inner, dx, dy, highlighted);
    if (raised)
        DrawRaisedFrame(canvas, rect, highlighted);
}

int GridPainter::IndicatorGlyph(int row, bool selected, const DrawInfo& info) const {
    switch (info.state) {
    case dsEdit:
        return GlyphEdit;
    case dsInsert:
        return GlyphInsert;
    case dsBrowse:
        if (row != info.currentRecordRow)
            return NoGlyph;
        return selected ? GlyphSelectedArrow : GlyphArrow;
    default:
        return GlyphArrow;
    }
}

void GridPainter::PaintIndicatorCell(TCanvas& canvas, int row, const TRect& rect, int dx,
                                     const DrawInfo& info, bool& highlighted) {
    canvas.SetBrushColor(grid_.FixedColor());
    if (!info.linkActive) {
        canvas.FillRect(rect);
        return;
    }
    const bool selected = grid_.Selection().IndicatorSelectedAt(row - geometry_.TitleRowCount());
    if (selected) {
        canvas.SetBrushColor(FixedHighlightColor);
        canvas.SetFontColor(FixedHighlightText);
        highlighted = true;
    }
    canvas.FillRect(rect);
    const bool current = row == info.currentRecordRow;
    if (!current && !selected)
        return;
    const int glyph = IndicatorGlyph(row, selected, info);
    if (glyph != NoGlyph)
        canvas.DrawGlyph(rect.Right - GlyphWidth - dx, (rect.Top + rect.Bottom - GlyphHeight) / 2,
                         IndicatorGlyphs::Instance().Glyph(glyph));
    if (current)
        indicatorRow_ = row;
}

void GridPainter::PaintTitleCell(TCanvas& canvas, TColumnEh& column, const TRect& rect, int dx,
                                 int dy, bool& highlighted) const {
    const TColumnTitleEh& title = column.Title();
    ApplyFont(canvas, title.Font());
    canvas.SetBrushColor(title.Color());
    if (grid_.Selection().AllSelected()) {
        canvas.SetBrushColor(FixedHighlightColor);
        canvas.SetFontColor(FixedHighlightText);
        highlighted = true;
    }
    WriteCellText(canvas, rect, true, dx, dy, title.Caption(), title.Alignment(), tlTop,
                  title.EndEllipsis(), false);
}

void GridPainter::PaintDataCell(TCanvas& canvas, TColumnEh& column, int col, int row,
                                const TRect& rect, TGridDrawState state, const DrawInfo& info) {
    const int position = row - geometry_.TitleRowCount();
    if (!info.linkActive || position >= info.windowCount) {
        PaintEmptyDataCell(canvas, column, rect, info);
        return;
    }
    const ActiveRecordGuard guard(records_, position);
    TColCellParamsEh params =
        DataCellParams(grid_, column, col, row, state, RecordBackground(column, info));
    Highlight(params, row, grid_.Selection().DataCellSelected(), info);
    const bool duplicate = column.HideDuplicates() && IsDuplicateOfPrior(column, position, params);
    if (duplicate) {
        params.Text.clear();
        params.ImageIndex = -1;
    }
    ApplyFont(canvas, params.Font);
    canvas.SetBrushColor(params.Background);
    const int dy = grid_.Flat() ? 1 : 2;
    const bool multiLine = params.Font.Font == grid_.Font().Font
                               ? geometry_.MultiLineRows()
                               : RowsHoldSeveralLines(params.Font.Font, geometry_.DataRowHeight());
    WriteCellText(canvas, rect, true, 2, dy, params.Text, params.Alignment, column.Layout(),
                  column.EndEllipsis(), column.WordWrap() && multiLine);
    // A hidden duplicate merges with the cell above: the line between them takes the colour.
    if (duplicate && grid_.Options().Contains(dgRowLines)) {
        const QPoint segment[] = {QPoint(rect.Left, rect.Top - 1),
                                  QPoint(rect.Right, rect.Top - 1)};
        canvas.SetPenColor(column.Color());
        canvas.Polyline(segment);
    }
}

void GridPainter::PaintEmptyDataCell(TCanvas& canvas, const TColumnEh& column, const TRect& rect,
                                     const DrawInfo& info) const {
    TColor background = column.Color();
    if (info.linkActive && grid_.Selection().AllSelected())
        background = info.focused ? TintColor(background, clHighlight, true)
                                  : TintColor(background, clBtnShadow, false);
    canvas.SetBrushColor(background);
    canvas.FillRect(rect);
}

TColor GridPainter::RecordBackground(const TColumnEh& column, const DrawInfo& info) const {
    const TColor background = column.Color();
    if (background != grid_.Color() || !info.sequenced)
        return background;
    return grid_.DataSet()->RecNo() % 2 == 1 ? grid_.OddRowColor() : grid_.EvenRowColor();
}

void GridPainter::Highlight(TColCellParamsEh& params, int row, bool inSelection,
                            const DrawInfo& info) const {
    const TGridOptions options = grid_.Options();
    const bool currentRow = row == info.currentRecordRow;
    const bool showsFocus = options.Contains(dgAlwaysShowSelection) ||
                            (info.focused && grid_.OptionsEh().Contains(dghHighlightFocus));
    if (!inSelection && !((params.State.Contains(gdSelected) || currentRow) && showsFocus))
        return;
    params.State.Include(gdSelected);
    if (info.focused && currentRow) {
        params.Background = clHighlight;
        params.Font.Color = clHighlightText;
    } else if (info.focused) {
        params.Background = TintColor(params.Background, clHighlight, true);
    } else if (currentRow && options.Contains(dgAlwaysShowSelection)) {
        params.Background = clBtnShadow;
        params.Font.Color = clHighlightText;
    } else {
        params.Background = TintColor(params.Background, clBtnShadow, false);
    }
}

bool GridPainter::IsDuplicateOfPrior(TColumnEh& column, int position,
                                     const TColCellParamsEh& params) {
    if (position == 0)
        return false;
    QString priorText;
    {
        const ActiveRecordGuard guard(records_, position - 1);
        priorText = DataCellParams(grid_, column, params.Col, params.Row - 1, params.State,
                                   params.Background)
                        .Text;
    }
    return priorText == params.Text;
}
