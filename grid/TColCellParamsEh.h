#pragma once

#include "data/TField.h"
#include "grid/GridOptions.h"
#include "grid/TGridFont.h"
#include "platform/ui/Colors.h"

#include <QString>

// The look of one data cell while it is painted or compared with the cell above: filled in by
// the grid, then open to the grid's OnGetCellParams hook. One record serves every cell.
struct TColCellParamsEh {
    enum TCheckboxState { cbUnchecked, cbChecked, cbGrayed };

    int Col = 0;
    int Row = 0;
    TGridDrawState State;
    TGridFont Font;
    TAlignment Alignment = taLeftJustify;
    TColor Background = clWindow;
    QString Text;
    int ImageIndex = -1;
    TCheckboxState CheckboxState = cbUnchecked;
    bool ReadOnly = false;
};
