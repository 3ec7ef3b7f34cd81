#pragma once

#include "data/TADOQuery.h"
#include "grid/GridOptions.h"
#include "grid/TBookmarkListEh.h"

class TDBGridEh;

// The grid's selection: its kind and the selected records. Painting asks it whether a record's
// cells are selected; the grid's selection gestures (and code) change it.
class TDBGridEhSelection {
public:
    explicit TDBGridEhSelection(TDBGridEh& grid) : grid_(grid) {}
    TDBGridEhSelection(const TDBGridEhSelection&) = delete;
    TDBGridEhSelection& operator=(const TDBGridEhSelection&) = delete;

    TDBGridEh& Grid() const { return grid_; }
    TDBGridEhSelectionType SelectionType() const { return type_; }
    // The selected records (kind gstRecordBookmarks while it holds any).
    TBookmarkListEh& Rows() { return rows_; }
    const TBookmarkListEh& Rows() const { return rows_; }

    // Selects every cell of every record, when multi-row selection allows gstAll.
    void SelectAll();
    // Clears the kind to gstNon and empties the selected rows.
    void Clear();
    // Whether the data cells of the record with the bookmark are selected.
    bool DataCellSelected(const TBookmark& bookmark) const;

    // The data link opened or closed: the rows are emptied and every kind is cleared.
    void LinkActive(bool active);

private:
    friend class TBookmarkListEh;

    // The rows changed; repaints the current row, or everything when the kind changed.
    void RowsChanged();

    TDBGridEh& grid_;
    TDBGridEhSelectionType type_ = gstNon;
    TBookmarkListEh rows_{*this};
};
