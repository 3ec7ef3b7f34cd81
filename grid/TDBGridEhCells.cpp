// The cell painter: the corner and indicator cells with their glyphs, the title cells, and the
// data cells with their record colours, highlight, hidden duplicates and text.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "grid/ActiveRecordGuard.h"
#include "grid/GridPainting.h"
#include "grid/IndicatorGlyphs.h"
#include "grid/TDBGridEhDrawInfo.h"
#include "platform/ui/TCanvas.h"

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

// Sets the font only when it differs from the canvas's: changing it costs a metrics lookup.
void ApplyFont(TCanvas& canvas, const TGridFont& font) {
    if (canvas.Font() == font.Font)
        canvas.SetFontColor(font.Color);
    else
        canvas.SetFont(font.Font, font.Color);
}

} // namespace

void TDBGridEh::PaintCell(TCanvas& canvas, int col, int row, TRect rect, TGridDrawState state,
                          const DrawInfo& info) {
    canvas.SetBrushStyle(bsSolid);
    TColumnEh* column = ColumnAt(col);
    const bool indicator = col < IndicatorOffset();
    if (loading_ || (!indicator && column == nullptr)) {
        canvas.SetBrushColor(color_);
        canvas.FillRect(rect);
        return;
    }
    const bool title = row < TitleRowCount();
    if (!indicator && !title) {
        PaintDataCell(canvas, *column, col, row, rect, state, info);
        return;
    }
    // Title and indicator cells are raised: drawn one pixel inside their frame.
    const bool raised = optionsEh_.Contains(dghFixed3D);
    TRect inner = rect;
    if (raised)
        InflateRect(inner, -1, -1);
    const int dx = raised ? 1 : 2;
    const int dy = (raised ? 1 : 2) - (flat_ ? 1 : 0);
    bool highlighted = false;
    if (indicator)
        PaintIndicatorCell(canvas, row, inner, dx, info, highlighted);
    else
        PaintTitleCell(canvas, *column, inner, dx, dy, highlighted);
    if (raised)
        DrawRaisedFrame(canvas, rect, highlighted);
}

int TDBGridEh::IndicatorGlyph(int row, bool selected, const DrawInfo& info) const {
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

void TDBGridEh::PaintIndicatorCell(TCanvas& canvas, int row, const TRect& rect, int dx,
                                   const DrawInfo& info, bool& highlighted) {
    canvas.SetBrushColor(fixedColor_);
    if (!info.linkActive) {
        canvas.FillRect(rect);
        return;
    }
    const bool selected = selection_.IndicatorSelectedAt(row - TitleRowCount());
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

void TDBGridEh::PaintTitleCell(TCanvas& canvas, TColumnEh& column, const TRect& rect, int dx,
                               int dy, bool& highlighted) const {
    const TColumnTitleEh& title = column.Title();
    ApplyFont(canvas, title.Font());
    canvas.SetBrushColor(title.Color());
    if (selection_.AllSelected()) {
        canvas.SetBrushColor(FixedHighlightColor);
        canvas.SetFontColor(FixedHighlightText);
        highlighted = true;
    }
    WriteCellText(canvas, rect, true, dx, dy, title.Caption(), title.Alignment(), tlTop,
                  title.EndEllipsis(), false);
}

void TDBGridEh::PaintDataCell(TCanvas& canvas, TColumnEh& column, int col, int row,
                              const TRect& rect, TGridDrawState state, const DrawInfo& info) {
    const int position = row - TitleRowCount();
    if (!info.linkActive || position >= info.windowCount) {
        PaintEmptyDataCell(canvas, column, rect, info);
        return;
    }
    const ActiveRecordGuard guard(dataLink_, position);
    TColCellParamsEh params = CellParams(column, col, row, state, RecordBackground(column, info));
    Highlight(params, row, selection_.DataCellSelected(), info);
    const bool duplicate = column.HideDuplicates() && IsDuplicateOfPrior(column, position, params);
    if (duplicate) {
        params.Text.clear();
        params.ImageIndex = -1;
    }
    ApplyFont(canvas, params.Font);
    canvas.SetBrushColor(params.Background);
    const int dy = flat_ ? 1 : 2;
    const bool multiLine = params.Font.Font == font_.Font
                               ? info.multiLineRows
                               : RowsHoldSeveralLines(params.Font.Font, DataRowHeight());
    WriteCellText(canvas, rect, true, 2, dy, params.Text, params.Alignment, column.Layout(),
                  column.EndEllipsis(), column.WordWrap() && multiLine);
    // A hidden duplicate merges with the cell above: the line between them takes the colour.
    if (duplicate && options_.Contains(dgRowLines)) {
        const QPoint segment[] = {QPoint(rect.Left, rect.Top - 1),
                                  QPoint(rect.Right, rect.Top - 1)};
        canvas.SetPenColor(column.Color());
        canvas.Polyline(segment);
    }
}

void TDBGridEh::PaintEmptyDataCell(TCanvas& canvas, const TColumnEh& column, const TRect& rect,
                                   const DrawInfo& info) const {
    TColor background = column.Color();
    if (info.linkActive && selection_.AllSelected())
        background = info.focused ? TintColor(background, clHighlight, true)
                                  : TintColor(background, clBtnShadow, false);
    canvas.SetBrushColor(background);
    canvas.FillRect(rect);
}

TColor TDBGridEh::RecordBackground(const TColumnEh& column, const DrawInfo& info) const {
    const TColor background = column.Color();
    if (background != color_ || !info.sequenced)
        return background;
    return DataSet()->RecNo() % 2 == 1 ? oddRowColor_ : evenRowColor_;
}

TColCellParamsEh TDBGridEh::CellParams(TColumnEh& column, int col, int row, TGridDrawState state,
                                       TColor background) const {
    TColCellParamsEh params;
    params.Col = col;
    params.Row = row;
    params.State = state;
    params.Font = column.Font();
    params.Alignment = column.Alignment();
    params.Background = background;
    params.Text = column.CellDisplayText();
    params.ReadOnly = column.ReadOnly();
    if (OnGetCellParams)
        OnGetCellParams(column, params);
    return params;
}

void TDBGridEh::Highlight(TColCellParamsEh& params, int row, bool inSelection,
                          const DrawInfo& info) const {
    const bool currentRow = row == info.currentRecordRow;
    const bool showsFocus = options_.Contains(dgAlwaysShowSelection) ||
                            (info.focused && optionsEh_.Contains(dghHighlightFocus));
    if (!inSelection && !((params.State.Contains(gdSelected) || currentRow) && showsFocus))
        return;
    params.State.Include(gdSelected);
    if (info.focused && currentRow) {
        params.Background = clHighlight;
        params.Font.Color = clHighlightText;
    } else if (info.focused) {
        params.Background = TintColor(params.Background, clHighlight, true);
    } else if (currentRow && options_.Contains(dgAlwaysShowSelection)) {
        params.Background = clBtnShadow;
        params.Font.Color = clHighlightText;
    } else {
        params.Background = TintColor(params.Background, clBtnShadow, false);
    }
}

bool TDBGridEh::IsDuplicateOfPrior(TColumnEh& column, int position,
                                   const TColCellParamsEh& params) {
    if (position == 0)
        return false;
    QString priorText;
    {
        const ActiveRecordGuard guard(dataLink_, position - 1);
        priorText =
            CellParams(column, params.Col, params.Row - 1, params.State, params.Background).Text;
    }
    return priorText == params.Text;
}
