#pragma once

#include "data/TBookmark.h"

class TADOQuery;
class TDBGridEh;
struct TGridSearchRequest;

// The grid's generic text search: looks through the records of the grid's data set for a cell
// that matches the request's pattern and makes the first match the current record. Answers
// whether it found one; without a match the current record and the row window are as before.
// Notifications to the grid are suspended while the search moves through the records, so the
// grid repaints once at the end, with the found record (or the former one) current. A failure
// of the data set during the search still resumes the notifications and propagates.
bool LocateGridText(TDBGridEh& grid, const TGridSearchRequest& request);

// The number of data columns wholly inside the grid's client area, counted from the grid's
// left column.
int FullyVisibleDataColumns(const TDBGridEh& grid);

// Where the grid stood before a search: the bookmark of the record in the middle of its row
// window and the current record's distance from it. Restoring goes to the bookmark, which puts
// that record in the middle of the window again, and moves by the distance, so a full window
// shows the same rows as before.
struct SavedGridPosition {
    TBookmark bookmark;
    int distance = 0;

    static SavedGridPosition Save(TDBGridEh& grid);
    void Restore(TADOQuery& dataSet) const;
};
