#pragma once

#include "grid/GridOptions.h"
#include "grid/TColCellParamsEh.h"
#include "platform/ui/Colors.h"

class TColumnEh;
class TDBGridEh;

// The look and text of the column's cell for the data set's current record, as the grid paints
// it: the column's font, alignment and display text on the given background, after the grid's
// OnGetCellParams hook. Painting and the grid's accessible table read cells through it alike.
TColCellParamsEh DataCellParams(const TDBGridEh& grid, TColumnEh& column, int col, int row,
                                TGridDrawState state, TColor background);
