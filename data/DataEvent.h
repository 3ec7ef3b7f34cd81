#pragma once

// The notifications a data set sends through its data sources to their data links.
enum TDataEvent {
    deFieldChange,     // a field of the current record was assigned (marks the record modified)
    deRecordChange,    // the current record changed as a whole (an edit started)
    deDataSetChange,   // the row window was filled anew
    deDataSetScroll,   // the current record moved; the window shifted by the given distance
    deLayoutChange,    // the list of fields changed
    deUpdateRecord,    // collect edits: bound controls hand over unsaved input
    deUpdateState,     // the state changed
    deCheckBrowseMode, // a pending change is about to be settled
};
