#include "grid/TDBGridEhSelection.h"

#include "grid/TDBGridEh.h"

void TDBGridEhSelection::SelectAll() {
    if (type_ == gstAll || !grid_.Options().Contains(dgMultiSelect) ||
        !grid_.AllowedSelections().Contains(gstAll))
        return;
    type_ = gstAll;
    grid_.InvalidateGrid();
    grid_.SelectionChanged();
}

void TDBGridEhSelection::Clear() {
    rows_.Clear();
    if (type_ != gstNon) {
        type_ = gstNon;
        grid_.InvalidateGrid();
        grid_.SelectionChanged();
    }
}

bool TDBGridEhSelection::DataCellSelected(const TBookmark& bookmark) const {
    switch (type_) {
    case gstRecordBookmarks:
        return rows_.Contains(bookmark);
    case gstAll:
        return true;
    default:
        return false;
    }
}

void TDBGridEhSelection::LinkActive(bool active) {
    rows_.SetActive(active);
    if (type_ != gstNon) {
        type_ = gstNon;
        grid_.InvalidateGrid();
    }
}

void TDBGridEhSelection::RowsChanged() {
    grid_.InvalidateCurrentRow();
    if (rows_.Count() > 0 && type_ != gstRecordBookmarks) {
        type_ = gstRecordBookmarks;
        grid_.InvalidateGrid();
    } else if (rows_.Count() == 0 && type_ == gstRecordBookmarks) {
        type_ = gstNon;
        grid_.InvalidateGrid();
    }
    grid_.SelectionChanged();
}
