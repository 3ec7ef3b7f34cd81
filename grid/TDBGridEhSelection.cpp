#include "grid/TDBGridEhSelection.h"

#include "data/TADOQuery.h"
#include "grid/ActiveRecordGuard.h"
#include "grid/GridLocks.h"
#include "grid/TDBGridEh.h"

// --- What may be selected ------------------------------------------------------------------

bool TDBGridEhSelection::MultiSelect() const {
    return grid_.Options().Contains(dgMultiSelect);
}

bool TDBGridEhSelection::Allows(TDBGridEhSelectionType kind) const {
    return MultiSelect() && allowed_.Contains(kind);
}

bool TDBGridEhSelection::ShiftExtendsRange() const {
    return MultiSelect() && grid_.Options().Contains(dgRowSelect);
}

// --- What is selected ----------------------------------------------------------------------

bool TDBGridEhSelection::DataCellSelected() const {
    switch (type_) {
    case gstRecordBookmarks:
        return rows_.Contains(grid_.DataSet()->GetBookmark());
    case gstAll:
        return true;
    default:
        return false;
    }
}

bool TDBGridEhSelection::IndicatorSelected() const {
    if (type_ == gstAll)
        return true;
    return type_ == gstRecordBookmarks && MultiSelect() &&
           rows_.Contains(grid_.DataSet()->GetBookmark());
}

bool TDBGridEhSelection::IndicatorSelectedAt(int position) const {
    if (position < 0 || position >= grid_.DataLink().RecordCount())
        return type_ == gstAll;
    // Nothing selected: the record need not be visited.
    if (type_ == gstNon)
        return false;
    const ActiveRecordGuard guard(grid_.DataLink(), position);
    return IndicatorSelected();
}

// --- Changing the kind -----------------------------------------------------------------------

void TDBGridEhSelection::SelectAll() {
    if (type_ == gstAll || !Allows(gstAll))
        return;
    SetKind(gstAll);
    grid_.SelectionChanged();
}

void TDBGridEhSelection::ToggleAll() {
    if (!Allows(gstAll) || !grid_.DataLink().Active())
        return;
    if (type_ != gstNon)
        Clear();
    else
        SelectAll();
}

void TDBGridEhSelection::Clear() {
    rows_.Clear();
    if (type_ != gstNon) {
        SetKind(gstNon);
        grid_.SelectionChanged();
    }
}

void TDBGridEhSelection::LinkActive(bool active) {
    rows_.SetActive(active);
    selecting_ = false;
    anchor_.clear();
    SetKind(gstNon);
}

void TDBGridEhSelection::RowsChanged() {
    grid_.InvalidateCurrentRow();
    UpdateKind();
    grid_.SelectionChanged();
}

void TDBGridEhSelection::UpdateKind() {
    if (rows_.Count() > 0)
        SetKind(gstRecordBookmarks);
    else if (type_ == gstRecordBookmarks)
        SetKind(gstNon);
}

void TDBGridEhSelection::SetKind(TDBGridEhSelectionType type) {
    if (type == type_)
        return;
    type_ = type;
    grid_.InvalidateGrid();
}

// --- Gestures --------------------------------------------------------------------------------

bool TDBGridEhSelection::RowGesturesAllowed() const {
    return MultiSelect() && grid_.DataLink().Active();
}

void TDBGridEhSelection::ClearSelection() {
    const bool clears = grid_.OptionsEh().Contains(dghClearSelection);
    if (clears && MultiSelect())
        rows_.Clear();
    selecting_ = false;
    if (clears && type_ != gstNon) {
        SetKind(gstNon);
        grid_.SelectionChanged();
    }
}

void TDBGridEhSelection::StepSelect(bool select, int distance, bool toEnd) {
    TADOQuery* dataSet = grid_.DataSet();
    if (dataSet == nullptr || distance == 0)
        return;
    const int direction = distance > 0 ? 1 : -1;
    const GridUpdateLock lock(grid_);
    while (distance != 0) {
        const bool addAfter = BeforeStep(*dataSet, select, direction);
        if (dataSet->MoveBy(direction) == 0)
            break;
        if (addAfter)
            rows_.SetCurrentRowSelected(AfterStepSelection());
        if (!toEnd)
            distance -= direction;
    }
}

bool TDBGridEhSelection::BeforeStep(TADOQuery& dataSet, bool select, int direction) {
    if (!RowGesturesAllowed())
        return false;
    if (!select) {
        ClearSelection();
        return false;
    }
    if (!selecting_) {
        anchor_ = dataSet.GetBookmark();
        anchorPriorSelected_ = rows_.CurrentRowSelected();
        rows_.SetCurrentRowSelected(AfterStepSelection());
        selecting_ = true;
        return true;
    }
    // Moving away from the anchor (or off it) adds the next row; moving back towards it
    // takes the row left behind out of the range.
    const int order = dataSet.CompareBookmarks(dataSet.GetBookmark(), anchor_);
    if (order != -direction)
        return true;
    rows_.SetCurrentRowSelected(toggleMode_ ? anchorPriorSelected_ : false);
    return false;
}

void TDBGridEhSelection::CtrlClickCurrentRow(bool selected) {
    selecting_ = false;
    rows_.SetCurrentRowSelected(selected);
}

void TDBGridEhSelection::ArmRowDrag(bool toggleMode) {
    anchor_ = grid_.DataSet()->GetBookmark();
    anchorPriorSelected_ = !rows_.CurrentRowSelected();
    toggleMode_ = toggleMode;
    selecting_ = true;
    mouseMode_ = TMouseSelectionMode::Rows;
}

void TDBGridEhSelection::EndMouseGesture() {
    selecting_ = false;
    mouseMode_ = TMouseSelectionMode::None;
}
