#include "data/RowWindow.h"

#include "data/DatabaseError.h"
#include "data/RowCursor.h"

#include <algorithm>
#include <utility>

void RowWindow::SetCapacity(int capacity) {
    capacity = std::max(capacity, 1);
    if (capacity == capacity_) {
        return;
    }
    capacity_ = capacity;
    if (records_.empty() || HoldsNewRecord()) {
        return;
    }
    while (Count() > capacity_) {
        if (current_ < Count() - 1) {
            DropLast();
        } else {
            DropFirst();
        }
    }
    while (Count() < capacity_ && FetchNext()) {
    }
    while (Count() < capacity_ && FetchPrior()) {
    }
}

int RowWindow::SetCurrent(int position) {
    return std::exchange(current_, position);
}

void RowWindow::Clear() {
    records_.clear();
    current_ = 0;
    cursorAt_ = kNowhere;
}

void RowWindow::FillFromStart() {
    Clear();
    cursor_.MoveToStart();
    while (Count() < capacity_ && FetchNext()) {
    }
    current_ = 0;
}

void RowWindow::FillFromEnd() {
    Clear();
    cursor_.MoveToEnd();
    while (Count() < capacity_ && FetchPrior()) {
    }
    current_ = std::max(Count() - 1, 0);
}

void RowWindow::FillAroundCursor(int anchor) {
    Clear();
    RecordBuffer record;
    if (cursor_.FetchCurrent(record)) {
        records_.push_back(std::move(record));
        cursorAt_ = 0;
    } else if (!FetchNext() && !FetchPrior()) {
        return;
    }
    current_ = 0;
    while (current_ < anchor && Count() < capacity_ && FetchPrior()) {
    }
    while (Count() < capacity_ && FetchNext()) {
    }
    while (Count() < capacity_ && FetchPrior()) {
    }
}

RowWindow::MoveResult RowWindow::MoveBy(int distance) {
    MoveResult result;
    if (records_.empty()) {
        return result;
    }
    for (; distance > 0; --distance, ++result.moved) {
        if (current_ < Count() - 1) {
            ++current_;
            continue;
        }
        if (!FetchNext()) {
            break;
        }
        current_ = Count() - 1;
        if (Count() > capacity_) {
            DropFirst();
            ++result.shift;
        }
    }
    for (; distance < 0; ++distance, --result.moved) {
        if (current_ > 0) {
            --current_;
            continue;
        }
        if (!FetchPrior()) {
            break;
        }
        current_ = 0;
        if (Count() > capacity_) {
            DropLast();
            --result.shift;
        }
    }
    return result;
}

void RowWindow::InsertAtCurrent(RecordBuffer record) {
    current_ = std::min(current_, Count());
    records_.insert(records_.begin() + current_, std::move(record));
    if (cursorAt_ >= current_) {
        ++cursorAt_;
    }
    if (Count() > capacity_) {
        DropLast();
    }
}

void RowWindow::RemoveCurrent() {
    if (records_.empty()) {
        return;
    }
    records_.erase(records_.begin() + current_);
    if (cursorAt_ == current_) {
        cursorAt_ = kNowhere;
    } else if (cursorAt_ > current_) {
        --cursorAt_;
    }
    current_ = std::clamp(current_, 0, std::max(Count() - 1, 0));
}

void RowWindow::PositionCursorOn(int position) {
    if (cursorAt_ == position) {
        return;
    }
    cursor_.MoveTo(Record(position));
    cursorAt_ = position;
}

bool RowWindow::FetchNext() {
    CheckBookmarks();
    if (!records_.empty()) {
        PositionCursorOn(Count() - 1);
    }
    RecordBuffer record;
    if (!cursor_.FetchNext(record)) {
        cursorAt_ = kNowhere;
        return false;
    }
    records_.push_back(std::move(record));
    cursorAt_ = Count() - 1;
    return true;
}

bool RowWindow::FetchPrior() {
    CheckBookmarks();
    const bool wasEmpty = records_.empty();
    if (!wasEmpty) {
        PositionCursorOn(0);
    }
    RecordBuffer record;
    if (!cursor_.FetchPrior(record)) {
        cursorAt_ = kNowhere;
        return false;
    }
    records_.push_front(std::move(record));
    cursorAt_ = 0;
    if (!wasEmpty) {
        ++current_;
    }
    return true;
}

void RowWindow::DropFirst() {
    records_.pop_front();
    current_ = std::max(current_ - 1, 0);
    cursorAt_ = cursorAt_ > 0 ? cursorAt_ - 1 : kNowhere;
}

void RowWindow::DropLast() {
    records_.pop_back();
    if (cursorAt_ >= Count()) {
        cursorAt_ = kNowhere;
    }
    current_ = std::min(current_, std::max(Count() - 1, 0));
}

bool RowWindow::HoldsNewRecord() const {
    return std::any_of(records_.begin(), records_.end(),
                       [](const RecordBuffer& r) { return r.bookmarkFlag == bfInserted; });
}

void RowWindow::CheckBookmarks() const {
    if (capacity_ > 1 && !cursor_.HasBookmarks()) {
        DatabaseError(DatabaseMessages::kBookmarksRequired);
    }
}
