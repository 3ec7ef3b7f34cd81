// Moving through the query's records: the row window, record numbers, counts and bookmarks.
#include "data/TADOQuery.h"

#include "platform/Exceptions.h"
#include "platform/db/AdoConstants.h"
#include "platform/db/AdoRecordset.h"

#include <QtEndian>

#include <utility>

namespace {

TBookmark EncodeBookmark(AdoBookmark bookmark) {
    TBookmark bytes(sizeof(AdoBookmark), Qt::Uninitialized);
    qToBigEndian(bookmark, bytes.data());
    return bytes;
}

AdoBookmark DecodeBookmark(const TBookmark& bytes) {
    if (bytes.size() != sizeof(AdoBookmark)) {
        return 0;
    }
    return qFromBigEndian<AdoBookmark>(bytes.constData());
}

int Sign(AdoBookmark a, AdoBookmark b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

void TADOQuery::First() {
    CheckBrowseMode();
    GoFirst();
}

void TADOQuery::GoFirst() {
    Run(BeforeScroll);
    FillWindowFromStart();
    DataEvent(deDataSetChange);
    Run(AfterScroll);
}

void TADOQuery::FillWindowFromStart() {
    window_.FillFromStart();
    bof_ = true;
    eof_ = window_.IsEmpty();
}

void TADOQuery::Last() {
    CheckBrowseMode();
    Run(BeforeScroll);
    window_.FillFromEnd();
    eof_ = true;
    bof_ = window_.IsEmpty();
    DataEvent(deDataSetChange);
    Run(AfterScroll);
}

int TADOQuery::MoveBy(int distance) {
    CheckBrowseMode();
    if (distance == 0 || (distance > 0 && eof_) || (distance < 0 && bof_)) {
        return 0;
    }
    Run(BeforeScroll);
    bof_ = false;
    eof_ = false;
    const RowWindow::MoveResult result = window_.MoveBy(distance);
    if (result.moved != distance) {
        (distance > 0 ? eof_ : bof_) = true;
    }
    DataEvent(deDataSetScroll, nullptr, result.shift);
    Run(AfterScroll);
    return result.moved;
}

bool TADOQuery::IsEmpty() const {
    return !Active() || window_.IsEmpty();
}

long TADOQuery::RecordCount() const {
    CheckActive();
    return recordset_->recordCount();
}

long TADOQuery::RecNo() const {
    if (readRecord_ != nullptr) {
        return readRecord_->rowNumber;
    }
    if (!Active() || state_ == dsInsert || window_.IsEmpty()) {
        return -1;
    }
    RecordBuffer& record = window_.CurrentRecord();
    if (record.rowNumber < 0) {
        window_.PositionCursorOn(window_.Current());
        record.rowNumber = recordset_->absolutePosition();
    }
    return record.rowNumber;
}

void TADOQuery::SetRecNo(long recNo) {
    CheckBrowseMode();
    if (recNo == RecNo()) {
        return;
    }
    Run(BeforeScroll);
    window_.ForgetCursorPosition();
    recordset_->setAbsolutePosition(recNo);
    RecenterOnCursor();
    Run(AfterScroll);
}

bool TADOQuery::IsSequenced() const {
    return Active() && recordset_->supports(ado::adApproxPosition) &&
           cursorLocation_ == clUseClient && !filtered_;
}

TBookmark TADOQuery::GetBookmark() const {
    if (readRecord_ != nullptr) {
        return EncodeBookmark(readRecord_->bookmark);
    }
    if (!Active() || !bookmarks_ || state_ == dsInsert || window_.IsEmpty() ||
        window_.CurrentRecord().bookmarkFlag != bfCurrent) {
        return {};
    }
    return EncodeBookmark(window_.CurrentRecord().bookmark);
}

void TADOQuery::GotoBookmark(const TBookmark& bookmark) {
    CheckBrowseMode();
    if (bookmark.isEmpty()) {
        return;
    }
    Run(BeforeScroll);
    window_.ForgetCursorPosition();
    recordset_->setBookmark(DecodeBookmark(bookmark));
    RecenterOnCursor();
    Run(AfterScroll);
}

int TADOQuery::CompareBookmarks(const TBookmark& first, const TBookmark& second) const {
    if (first.isEmpty() || second.isEmpty()) {
        return static_cast<int>(!first.isEmpty()) - static_cast<int>(!second.isEmpty());
    }
    const AdoBookmark a = DecodeBookmark(first);
    const AdoBookmark b = DecodeBookmark(second);
    if (!recordset_) {
        return Sign(a, b);
    }
    switch (recordset_->compareBookmarks(a, b)) {
    case ado::adCompareLessThan:
        return -1;
    case ado::adCompareEqual:
        return 0;
    case ado::adCompareGreaterThan:
        return 1;
    default:
        return Sign(a, b);
    }
}

bool TADOQuery::BookmarkValid(const TBookmark& bookmark) const {
    if (!Active() || !bookmarks_ || bookmark.size() != sizeof(AdoBookmark)) {
        return false;
    }
    window_.ForgetCursorPosition();
    try {
        recordset_->setBookmark(DecodeBookmark(bookmark));
        return !recordset_->bof() && !recordset_->eof();
    } catch (const Exception&) {
        return false;
    }
}

bool TADOQuery::ReadRecordAt(long recNo, const std::function<void()>& read) {
    if (!Active() || !bookmarks_ || recNo < 1 || recNo > RecordCount()) {
        return false;
    }
    window_.ForgetCursorPosition();
    recordset_->setAbsolutePosition(recNo);
    RecordBuffer record;
    if (!cursor_.FetchCurrent(record)) {
        return false;
    }
    record.rowNumber = recNo;
    // The window's cursor position is forgotten again afterwards, as the record's reads move it.
    struct Restore {
        TADOQuery& query;
        RecordBuffer* saved;
        ~Restore() {
            query.readRecord_ = saved;
            query.window_.ForgetCursorPosition();
        }
    } restore{*this, std::exchange(readRecord_, &record)};
    read();
    return true;
}

long TADOQuery::RecNoOf(const TBookmark& bookmark) const {
    if (!BookmarkValid(bookmark)) {
        return -1;
    }
    return recordset_->absolutePosition();
}

bool TADOQuery::CanModify() const {
    return Active() && recordset_->supports(ado::adUpdate);
}

void TADOQuery::RecenterOnCursor() {
    window_.FillAroundCursor((window_.Capacity() - 1) / 2);
    bof_ = window_.IsEmpty();
    eof_ = window_.IsEmpty();
    DataEvent(deDataSetChange);
}

void TADOQuery::ResyncAroundCurrent() {
    if (window_.IsEmpty()) {
        window_.FillFromStart();
    } else {
        const int anchor = window_.Current();
        window_.PositionCursorOn(anchor);
        window_.FillAroundCursor(anchor);
    }
    if (window_.IsEmpty()) {
        bof_ = eof_ = true;
    }
}

void TADOQuery::ResyncAround(const RecordBuffer& record, int anchor) {
    window_.ForgetCursorPosition();
    cursor_.MoveTo(record);
    window_.FillAroundCursor(anchor);
}

void TADOQuery::ResyncAroundCursor() {
    const int anchor = window_.Current();
    window_.ForgetCursorPosition();
    window_.FillAroundCursor(anchor);
    if (window_.IsEmpty()) {
        bof_ = eof_ = true;
    }
}
