#include "data/RecordsetCursor.h"

#include "data/RecordBuffer.h"
#include "platform/db/AdoConstants.h"
#include "platform/db/AdoRecordset.h"

#include <utility>

void RecordsetCursor::Attach(AdoRecordset* recordset, bool hasBookmarks, int fieldCount) {
    onUnreadFirst_ = false;
    recordset_ = recordset;
    hasBookmarks_ = hasBookmarks;
    fieldCount_ = fieldCount;
}

void RecordsetCursor::MoveToStart() {
    onUnreadFirst_ = false;
    if (!recordset_->supports(ado::adBookmark | ado::adMovePrevious)) {
        // A cursor that cannot step back stands on the first row; the next fetch reads it.
        if (!recordset_->bof()) {
            recordset_->moveFirst();
        }
        onUnreadFirst_ = !recordset_->eof();
        return;
    }
    if (!recordset_->bof()) {
        recordset_->moveFirst();
    }
    if (!recordset_->bof()) {
        recordset_->movePrevious();
    }
}

void RecordsetCursor::MoveToEnd() {
    onUnreadFirst_ = false;
    if (recordset_->eof()) {
        return;
    }
    recordset_->moveLast();
    recordset_->moveNext();
}

void RecordsetCursor::MoveTo(const RecordBuffer& record) {
    onUnreadFirst_ = false;
    if (hasBookmarks_ && record.bookmarkFlag == bfCurrent) {
        recordset_->setBookmark(record.bookmark);
    }
}

bool RecordsetCursor::FetchCurrent(RecordBuffer& record) {
    onUnreadFirst_ = false;
    if (recordset_->bof() || recordset_->eof()) {
        return false;
    }
    Read(record);
    return true;
}

bool RecordsetCursor::FetchNext(RecordBuffer& record) {
    if (std::exchange(onUnreadFirst_, false)) {
        Read(record);
        return true;
    }
    if (!recordset_->eof()) {
        recordset_->moveNext();
    }
    if (recordset_->eof()) {
        return false;
    }
    Read(record);
    return true;
}

bool RecordsetCursor::FetchPrior(RecordBuffer& record) {
    onUnreadFirst_ = false;
    if (!recordset_->bof()) {
        recordset_->movePrevious();
    }
    if (recordset_->bof()) {
        return false;
    }
    Read(record);
    return true;
}

void RecordsetCursor::Read(RecordBuffer& record) const {
    record = RecordBuffer{};
    record.status = recordset_->status();
    if (hasBookmarks_) {
        record.bookmark = recordset_->bookmark();
    }
    record.rowNumber = recordRowNumbers_ ? recordset_->absolutePosition() : -1;
    record.values.assign(static_cast<std::size_t>(fieldCount_), ValueSlot{});
}
