#pragma once

#include "data/DataSetState.h"
#include "grid/TDBGridEh.h"

// What one paint pass of the grid needs to know, worked out once before the cells are drawn:
// the region boundaries in client coordinates, the last columns and rows shown, and the state
// of the data link and the focus.
struct TDBGridEh::DrawInfo {
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
    bool multiLineRows = false; // whether rows hold several lines of the grid's font
};

// A block of cells painted together: its columns and rows (inclusive) and its bounds.
struct TDBGridEh::Region {
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
