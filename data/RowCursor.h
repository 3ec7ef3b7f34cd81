#pragma once

struct RecordBuffer;

// The cursor a row window reads its records from. Fetching steps the cursor and reads the
// record it lands on; every method may raise the cursor's own errors.
class RowCursor {
public:
    virtual ~RowCursor() = default;

    // Whether records can be found again by their bookmarks (needed for a window of two or more).
    virtual bool HasBookmarks() const = 0;

    // Places the cursor before the first record.
    virtual void MoveToStart() = 0;
    // Places the cursor after the last record.
    virtual void MoveToEnd() = 0;
    // Places the cursor on a record read earlier.
    virtual void MoveTo(const RecordBuffer& record) = 0;

    // Reads the record under the cursor; false when it stands before the first or after the last.
    virtual bool FetchCurrent(RecordBuffer& record) = 0;
    // Steps to the next record and reads it; false past the end.
    virtual bool FetchNext(RecordBuffer& record) = 0;
    // Steps to the prior record and reads it; false before the start.
    virtual bool FetchPrior(RecordBuffer& record) = 0;
};
