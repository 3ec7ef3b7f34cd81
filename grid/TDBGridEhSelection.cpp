#include "grid/TDBGridEhSelection.h"

#include "data/TADOQuery.h"
#include "grid/GridLocks.h"
#include "grid/TDBGridEh.h"

#include "platform/Exceptions.h"

#include <exception>

namespace {

// A deletion failed, and then the batch around it failed too: the user sees both.
std::exception_ptr WithConsequence(const std::exception_ptr& cause, const Exception& consequence) {
    try {
        std::rethrow_exception(cause);
    } catch (const Exception& error) {
        return std::make_exception_ptr(
            EDatabaseError(error.message() + QLatin1Char('\n') + consequence.message()));
    } catch (...) {
        return cause;
    }
}

} // namespace

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
    return type_ == gstRecordBookmarks && grid_.Options().Contains(dgMultiSelect) &&
           rows_.Contains(grid_.DataSet()->GetBookmark());
}

// --- Changing the kind -----------------------------------------------------------------------

void TDBGridEhSelection::SelectAll() {
    if (type_ == gstAll || !grid_.Options().Contains(dgMultiSelect) ||
        !grid_.AllowedSelections().Contains(gstAll))
        return;
    SetKind(gstAll);
    grid_.SelectionChanged();
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
    return grid_.Options().Contains(dgMultiSelect) && grid_.DataLink().Active();
}

void TDBGridEhSelection::ClearSelection() {
    const bool clears = grid_.OptionsEh().Contains(dghClearSelection);
    if (clears && grid_.Options().Contains(dgMultiSelect))
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

void TDBGridEhSelection::ToggleCurrentRow() {
    rows_.SetCurrentRowSelected(!rows_.CurrentRowSelected());
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

// --- Deleting --------------------------------------------------------------------------------

void TDBGridEhSelection::DeleteSelectedRecords() {
    TADOQuery& dataSet = *grid_.DataSet();
    dataSet.DisableControls();
    std::exception_ptr failure;
    try {
        // One write batch: a thousand deletions reach the disk together, while each of them
        // still succeeds or fails on its own.
        dataSet.BeginWriteBatch();
        try {
            DeleteListedRecords(dataSet);
        } catch (...) {
            failure = std::current_exception();
        }
        dataSet.EndWriteBatch();
    } catch (const Exception& batchFailure) {
        failure = failure ? WithConsequence(failure, batchFailure) : std::current_exception();
    } catch (...) {
        failure = failure ? failure : std::current_exception();
    }
    dataSet.EnableControls();
    RowsChanged();
    if (failure)
        std::rethrow_exception(failure);
}

void TDBGridEhSelection::DeleteListedRecords(TADOQuery& dataSet) {
    while (rows_.Count() > 0) {
        const TBookmark bookmark = *rows_.rbegin();
        // A record that left the result by other means is not there to delete.
        if (dataSet.BookmarkValid(bookmark)) {
            dataSet.GotoBookmark(bookmark);
            dataSet.Delete();
        }
        rows_.Remove(bookmark);
    }
}
