#pragma once

#include "platform/db/AdoVariant.h"

#include <optional>
#include <vector>

// Where a record buffer stands relative to the recordset's rows.
enum TBookmarkFlag {
    bfCurrent,  // a row of the recordset, reachable by its bookmark
    bfBOF,      // before the first row
    bfEOF,      // after the last row
    bfInserted, // a new row not yet written; it has no bookmark
};

// One field's value in a record buffer: empty (not read yet) or a value, null included.
using ValueSlot = std::optional<AdoVariant>;

// A record held in the row window.
struct RecordBuffer {
    AdoBookmark bookmark = 0;
    TBookmarkFlag bookmarkFlag = bfCurrent;
    int status = 0;                // the row's status as the recordset reported it
    long rowNumber = -1;           // the row's 1-based position; -1 while unknown
    std::vector<ValueSlot> values; // one slot per field, in field order
};
