#include "grid/GridCellParams.h"

#include "grid/TDBGridEh.h"

TColCellParamsEh DataCellParams(const TDBGridEh& grid, TColumnEh& column, int col, int row,
                                TGridDrawState state, TColor background) {
    TColCellParamsEh params;
    params.Col = col;
    params.Row = row;
    params.State = state;
    params.Font = column.Font();
    params.Alignment = column.Alignment();
    params.Background = background;
    params.Text = column.CellDisplayText();
    params.ReadOnly = column.ReadOnly();
    if (grid.OnGetCellParams)
        grid.OnGetCellParams(column, params);
    return params;
}
