#pragma once

#include "data/TBookmark.h"
#include "grid/GridOptions.h"
#include "grid/TBookmarkListEh.h"

class TADOQuery;
class TDBGridEh;

// What a mouse drag over the grid selects while a button is held.
enum class TMouseSelectionMode { None, Rows, Columns, Block };

// The grid's selection: its kind, the selected records, the kinds the user may select, and the
// state of the gesture that is changing it (the anchor of a range, whether rows are toggled,
// whether a drag is under way). Painting asks it every "is this selected" question; keys and the
// mouse ask it what multi-selection allows and change it through the gestures below, which move
// the data set's current record.
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

    // --- What may be selected ------------------------------------------------------------------
    TDBGridEhAllowedSelections AllowedSelections() const { return allowed_; }
    void SetAllowedSelections(TDBGridEhAllowedSelections allowed) { allowed_ = allowed; }
    // Whether the grid selects several records at all (dgMultiSelect).
    bool MultiSelect() const;
    // Whether the user may select that kind: only with multi-selection, and only allowed kinds.
    bool Allows(TDBGridEhSelectionType kind) const;
    // Whether Shift with a press extends the range rather than moving first (whole-row
    // multi-selection).
    bool ShiftExtendsRange() const;

    // --- What is selected --------------------------------------------------------------------
    // Whether everything is selected: the titles, every record and the empty rows.
    bool AllSelected() const { return type_ == gstAll; }
    // Whether the data cells of the data set's current record are selected. The record's
    // bookmark is looked up only while records are listed.
    bool DataCellSelected() const;
    // Whether the indicator cell of the data set's current record is selected (everything,
    // or a listed record).
    bool IndicatorSelected() const;
    // Whether the indicator cell of a row window position is selected; a position without a
    // record in the window is selected only with everything.
    bool IndicatorSelectedAt(int position) const;

    // --- Changing the kind ---------------------------------------------------------------------
    // Selects every cell of every record, when multi-row selection allows gstAll.
    void SelectAll();
    // What the corner cell does (and Ctrl+A): clears a selection, or selects everything while
    // nothing is; only while the data link is active and gstAll is allowed.
    void ToggleAll();
    // Clears every kind and empties the selected rows, whatever the options say.
    void Clear();
    // The data link opened or closed: the rows are emptied and every kind is cleared.
    void LinkActive(bool active);

    // --- Gestures ------------------------------------------------------------------------------
    // The clearing a move without Shift does: only with dgMultiSelect and dghClearSelection.
    // Ends a range gesture in any case.
    void ClearSelection();
    // Moves the current record distance records (or, with toEnd, to the end of the result in
    // the distance's direction) one record at a time. With select the range from the anchor
    // grows while the record moves away from it and shrinks while it moves back; without, the
    // selection is cleared. Repaints once at the end.
    void StepSelect(bool select, int distance, bool toEnd = false);
    // What a click with Ctrl on the current record does (Ctrl+Space, a screen reader's select
    // or unselect): ends a range gesture, so that the next one starts here, and lists the
    // record as selected or unlists it; without an argument it toggles the record.
    void CtrlClickCurrentRow(bool selected);
    void CtrlClickCurrentRow() { CtrlClickCurrentRow(!rows_.CurrentRowSelected()); }
    // Rows are toggled relative to the anchor's prior state instead of simply selected.
    bool ToggleMode() const { return toggleMode_; }
    void SetToggleMode(bool toggleMode) { toggleMode_ = toggleMode; }
    // Starts or ends a range gesture.
    void SetSelecting(bool selecting) { selecting_ = selecting; }
    // A mouse press on a data row prepares a row drag anchored at the current record.
    void ArmRowDrag(bool toggleMode);
    TMouseSelectionMode MouseSelectionMode() const { return mouseMode_; }
    // The mouse button went up: the drag ends.
    void EndMouseGesture();

    // The rows changed; repaints the current row, or everything when the kind changed.
    void RowsChanged();

private:
    // The kind follows the rows: gstRecordBookmarks while any is listed.
    void UpdateKind();
    // Sets the kind and repaints the grid when it changed.
    void SetKind(TDBGridEhSelectionType type);
    bool RowGesturesAllowed() const;
    // One step of a range gesture before the move; returns whether the row moved onto is
    // added after the move.
    bool BeforeStep(TADOQuery& dataSet, bool select, int direction);
    bool AfterStepSelection() const { return toggleMode_ ? !anchorPriorSelected_ : true; }

    TDBGridEh& grid_;
    TDBGridEhSelectionType type_ = gstNon;
    TDBGridEhAllowedSelections allowed_{gstRecordBookmarks, gstRectangle, gstColumns, gstAll};
    TBookmarkListEh rows_{*this};
    // The record where the last range gesture or mouse press started, and whether it was
    // selected before the gesture changed it.
    TBookmark anchor_;
    bool anchorPriorSelected_ = false;
    bool selecting_ = false;
    bool toggleMode_ = false;
    TMouseSelectionMode mouseMode_ = TMouseSelectionMode::None;
};
