#pragma once

#include "data/RecordBuffer.h"

#include <deque>

class RowCursor;

// The run of consecutive records a data set holds for its controls, with the current record's
// position in it. Records come from a RowCursor; the window remembers which of its records
// the cursor stands on, so it moves the cursor only when it has to.
class RowWindow {
public:
    // How far a move went and how far the window shifted (both positive towards the end).
    struct MoveResult {
        int moved = 0;
        int shift = 0;
    };

    explicit RowWindow(RowCursor& cursor) : cursor_(cursor) {}

    int Capacity() const { return capacity_; }
    // Sets the capacity (at least 1). A window holding records grows by records after its last
    // one, then by records before its first one; it shrinks from the end, then from the start,
    // never dropping the current record. A window holding a new unwritten record only stores
    // the capacity (the next fill uses it).
    void SetCapacity(int capacity);

    int Count() const { return static_cast<int>(records_.size()); }
    bool IsEmpty() const { return records_.empty(); }
    // The current record's position; 0 in an empty window.
    int Current() const { return current_; }
    // Makes another position current without touching the cursor; returns the previous one.
    int SetCurrent(int position);

    RecordBuffer& Record(int position) { return records_.at(static_cast<std::size_t>(position)); }
    const RecordBuffer& Record(int position) const {
        return records_.at(static_cast<std::size_t>(position));
    }
    RecordBuffer& CurrentRecord() { return Record(current_); }
    const RecordBuffer& CurrentRecord() const { return Record(current_); }

    // Drops every record.
    void Clear();
    // Fills from the first record on; the first record is current.
    void FillFromStart();
    // Fills back from the last record; the last record is current.
    void FillFromEnd();
    // Fills around the record under the cursor (or, when the cursor stands on none, the next
    // record, else the prior one), which becomes current at position anchor when that many
    // records precede it; the rest is filled with later records, then with earlier ones.
    void FillAroundCursor(int anchor);

    // Moves the current record by distance records, fetching past either end; the window shifts
    // by one record per record fetched once it is full. Stops at the end of the records.
    MoveResult MoveBy(int distance);

    // Places a new record at the current position (the last record drops out of a full window).
    void InsertAtCurrent(RecordBuffer record);
    // Removes the current record; the record after it (or the new last one) becomes current.
    void RemoveCurrent();

    // Puts the cursor on the record at the position unless it already stands there.
    void PositionCursorOn(int position);
    // The cursor was moved behind the window's back; the next use positions it again.
    void ForgetCursorPosition() { cursorAt_ = kNowhere; }

private:
    static constexpr int kNowhere = -1;

    bool FetchNext();
    bool FetchPrior();
    void DropFirst();
    void DropLast();
    bool HoldsNewRecord() const;
    void CheckBookmarks() const;

    RowCursor& cursor_;
    std::deque<RecordBuffer> records_;
    int capacity_ = 1;
    int current_ = 0;
    int cursorAt_ = kNowhere;
};
