#pragma once

#include <Qt>

// What a key asks of the grid.
enum class GridCommand {
    None,
    Step,          // step-select `distance` records, or to the end with `toEnd`
    MoveBy,        // move the current record `distance` records
    First,         // go to the first record
    Last,          // go to the last record
    CancelInsert,  // drop the new record nobody has filled in
    ScrollColumns, // show one more column on the right (+1) or the left (-1)
    FirstColumn,   // request the first data column as the current column
    LastColumn,    // request the last column as the current column
    DeleteRecords, // delete the current or the selected records, after the question
    Reset,         // drop a pending change, clear the selection, end a column gesture
    CopyFromAbove, // copy the current column's value from the record above
    Find,          // open the find dialog
    Click,         // what a click on the current record does
    ToggleRow,     // select or unselect the current record, as a click with Ctrl does
    SelectAll,     // select everything, or clear the selection, as the corner cell does
};

// A key's command with its arguments.
struct GridKeyAction {
    GridCommand command = GridCommand::None;
    int distance = 0;
    bool toEnd = false;
    bool select = false;     // Step: extend the selection instead of clearing it
    bool clearFirst = false; // clear the selection before the command

    friend bool operator==(const GridKeyAction&, const GridKeyAction&) = default;
};

// What the grid knows when a key arrives.
struct GridKeyContext {
    int position = 0;             // the current record's position in the row window
    int capacity = 1;             // how many records the row window holds
    int visibleRows = 1;          // how many data rows are wholly visible
    bool unchangedInsert = false; // a new record with nothing assigned and no editor change
    bool atEnd = false;           // the data set stands at the end of its result
};

// The grid's answer to a key pressed with the modifiers, for a grid that selects whole rows
// and has no in-place editor. Shift extends the selection, Ctrl reaches further (the edges of
// the row window, the last column) and gives the commands Delete, F and the apostrophe key.
// Space, Ctrl+Space and Ctrl+A give the keyboard what the mouse does on a row and on the corner
// cell.
GridKeyAction KeyAction(int key, Qt::KeyboardModifiers modifiers, const GridKeyContext& context);
