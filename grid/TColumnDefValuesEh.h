#pragma once

#include "grid/TextLayout.h"

// The grid's defaults for the column properties that columns take from it
// (`ColumnDefValues`). Title defaults follow from the grid: its FixedColor, and centred titles
// only with a multi-line title tree.
struct TColumnDefValuesEh {
    bool EndEllipsis = false;
    TTextLayout Layout = tlTop;
    bool AlwaysShowEditButton = false;
    bool HighlightRequired = false;
    bool ToolTips = false;
};
