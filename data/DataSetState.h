#pragma once

// The states of a data set. An opening state for asynchronous opens is never entered.
enum TDataSetState {
    dsInactive, // closed
    dsBrowse,   // open, no pending change
    dsEdit,     // the current record is being changed
    dsInsert,   // a new record is being built
};
