#pragma once

#include "grid/TColCellParamsEh.h"
#include "platform/ui/Colors.h"
#include "platform/ui/TRect.h"

#include <QSize>

class GridGeometry;
class QPainter;
class TCanvas;
class TColumnEh;
class TDataLink;
class TDBGridEh;

// Paints the grid's client area: a title row, an indicator column and the data cells of the
// row window, with their lines, in client coordinates, limited to the canvas's visible region.
// It reads the grid's configuration, geometry and selection and never changes them; to read
// the cells of a window row it makes that row the data link's active record for the moment,
// as the data link's own readers do. What it drew that the grid must remember (where the
// current record's indicator ended up) it reports back.
class GridPainter {
public:
    GridPainter(const TDBGridEh& grid, TDataLink& records);

    // Paints the cells and the empty area; returns the row the current record's indicator was
    // drawn in, or -1 when this paint did not draw it.
    int Paint(TCanvas& canvas);
    // The grid's sunken one-pixel border around a widget of the given size.
    static void PaintBorder(QPainter& painter, QSize size);

private:
    struct DrawInfo;
    struct Region;

    DrawInfo ComputeDrawInfo() const;
    void DrawRegionLines(TCanvas& canvas, const Region& region) const;
    void DrawRegionCells(TCanvas& canvas, const Region& region, const DrawInfo& info);
    void FillEmptyArea(TCanvas& canvas, const DrawInfo& info) const;
    TGridDrawState CellState(int col, int row) const;
    TColor FixedLineColor() const;
    TColor DataLineColor() const;

    void PaintCell(TCanvas& canvas, int col, int row, TRect rect, TGridDrawState state,
                   const DrawInfo& info);
    int IndicatorGlyph(int row, bool selected, const DrawInfo& info) const;
    void PaintIndicatorCell(TCanvas& canvas, int row, const TRect& rect, int dx,
                            const DrawInfo& info, bool& highlighted);
    void PaintTitleCell(TCanvas& canvas, TColumnEh& column, const TRect& rect, int dx, int dy,
                        bool& highlighted) const;
    void PaintDataCell(TCanvas& canvas, TColumnEh& column, int col, int row, const TRect& rect,
                       TGridDrawState state, const DrawInfo& info);
    void PaintEmptyDataCell(TCanvas& canvas, const TColumnEh& column, const TRect& rect,
                            const DrawInfo& info) const;
    // The background of the current record's cell before any highlight.
    TColor RecordBackground(const TColumnEh& column, const DrawInfo& info) const;
    void Highlight(TColCellParamsEh& params, int row, bool inSelection, const DrawInfo& info) const;
    // Whether the cell's text equals the text of the same column one row higher.
    bool IsDuplicateOfPrior(TColumnEh& column, int position, const TColCellParamsEh& params);

    const TDBGridEh& grid_;
    const GridGeometry& geometry_;
    TDataLink& records_;
    int indicatorRow_ = -1;
};
