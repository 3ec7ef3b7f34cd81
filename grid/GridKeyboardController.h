#pragma once

#include "grid/GridKeyAction.h"

class QKeyEvent;
class TDBGridEh;

// The keyboard over the grid: each key becomes a command on the current record, the selection
// or the columns, and leaving the grid cancels a new record nothing was entered in. It keeps
// no state between keys: the range a key gesture extends is the selection's.
class GridKeyboardController {
public:
    explicit GridKeyboardController(TDBGridEh& grid) : grid_(grid) {}

    void KeyDown(QKeyEvent& event);
    // Carries out a key's command on the current record, the selection or the columns.
    void Perform(const GridKeyAction& action);
    // The focus went to another control of the window: with dgCancelOnExit an unchanged new
    // record is dropped; when that fails the grid keeps the focus.
    void FocusLeaving();

private:
    GridKeyContext Context() const;
    // Esc: drops the in-place change, else the record's edit, clears the selection and ends a
    // column gesture.
    void Reset();
    void ScrollColumns(int distance);
    void ShowFindDialog();
    // A new record with nothing assigned to it, neither through its fields nor an editor.
    bool UnchangedInsert() const;

    TDBGridEh& grid_;
};
