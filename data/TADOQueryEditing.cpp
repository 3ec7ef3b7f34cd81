// Changing records: Edit, Insert, Post, Cancel, Refresh and Delete, and settling a pending
// change before the query moves.
#include "data/TADOQuery.h"

#include "data/DatabaseError.h"
#include "data/TField.h"
#include "platform/Exceptions.h"
#include "platform/db/AdoConstants.h"
#include "platform/db/AdoRecordset.h"

#include <exception>
#include <utility>

namespace {

bool IsEditing(TDataSetState state) {
    return state == dsEdit || state == dsInsert;
}

// Runs body; a failure comes back as EDatabaseError with the same message.
template <class Body> void AsDatabaseError(Body&& body) {
    try {
        body();
    } catch (const EDatabaseError&) {
        throw;
    } catch (const Exception& error) {
        throw EDatabaseError(error.message());
    }
}

// Drops the recordset's pending change after a failed write; the write's own error is what
// the caller needs to see.
void CancelPendingUpdate(AdoRecordset& recordset) {
    try {
        recordset.cancelUpdate();
    } catch (const Exception&) {
    }
}

} // namespace

void TADOQuery::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode);
    if (IsEditing(state_)) {
        DataEvent(deUpdateRecord);
        if (modified_) {
            Post();
        } else {
            Cancel();
        }
    }
}

void TADOQuery::CheckEditing() const {
    CheckActive();
    if (!IsEditing(state_)) {
        DatabaseError(DatabaseMessages::kNotEditing, name_);
    }
}

void TADOQuery::CheckCanModify() const {
    if (!recordset_->supports(ado::adUpdate)) {
        DatabaseError(DatabaseMessages::kDataSetReadOnly, name_);
    }
}

void TADOQuery::RunGuarded(const TDataSetErrorEvent& hook, const std::function<void()>& body) {
    for (;;) {
        try {
            body();
            return;
        } catch (const EDatabaseError& error) {
            if (!hook) {
                throw;
            }
            TDataAction action = daFail;
            hook(*this, error, action);
            if (action == daFail) {
                throw;
            }
            if (action == daAbort) {
                throw EAbort();
            }
        }
    }
}

void TADOQuery::Edit() {
    if (IsEditing(state_)) {
        return;
    }
    if (window_.IsEmpty()) {
        Insert();
        return;
    }
    CheckBrowseMode();
    RunGuarded(OnEditError, [this] { CheckCanModify(); });
    Run(BeforeEdit);
    // The optimistic lock takes no lock here; the row is checked when it is written.
    modifiedFields_.clear();
    SetState(dsEdit);
    DataEvent(deRecordChange);
    Run(AfterEdit);
}

void TADOQuery::Insert() {
    CheckBrowseMode();
    CheckCanModify();
    Run(BeforeInsert);
    Run(BeforeScroll);
    recordBeforeInsert_.reset();
    if (!window_.IsEmpty()) {
        recordBeforeInsert_ = window_.CurrentRecord();
    }
    RecordBuffer record;
    record.bookmarkFlag = bfInserted;
    record.values.assign(static_cast<std::size_t>(FieldCount()), AdoVariant{});
    window_.InsertAtCurrent(std::move(record));
    modifiedFields_.clear();
    SetState(dsInsert);
    Run(OnNewRecord);
    DataEvent(deDataSetChange);
    Run(AfterInsert);
    Run(AfterScroll);
}

void TADOQuery::Post() {
    CheckEditing();
    DataEvent(deUpdateRecord);
    DataEvent(deCheckBrowseMode);
    Run(BeforePost);
    RunGuarded(OnPostError, [this] { WriteRecord(); });
    RepositionAfterPost();
    recordBeforeInsert_.reset();
    modifiedFields_.clear();
    SetState(dsBrowse);
    ResyncAroundCursor();
    DataEvent(deDataSetChange);
    Run(AfterPost);
}

void TADOQuery::WriteRecord() {
    AsDatabaseError([this] {
        if (state_ == dsInsert) {
            recordset_->addNew();
        } else {
            window_.PositionCursorOn(window_.Current());
        }
        try {
            WriteModifiedFields();
        } catch (...) {
            CancelPendingUpdate(*recordset_);
            throw;
        }
    });
}

void TADOQuery::WriteModifiedFields() {
    const RecordBuffer& record = window_.CurrentRecord();
    for (const TField* field : modifiedFields_) {
        const ValueSlot& slot = record.values.at(static_cast<std::size_t>(field->Index()));
        const int column = field->BoundColumn();
        if (!slot || column < 0) {
            continue;
        }
        const long attributes = recordset_->field(column).attributes;
        if ((attributes & (ado::adFldUpdatable | ado::adFldUnknownUpdatable)) == 0) {
            continue; // the provider will not write this column; it is left out silently
        }
        recordset_->setValue(column, *slot);
    }
    if (recordset_->editMode() != ado::adEditNone) {
        recordset_->update();
    }
}

void TADOQuery::RepositionAfterPost() {
    window_.ForgetCursorPosition();
    if (!bookmarks_) {
        return;
    }
    try {
        recordset_->setBookmark(recordset_->bookmark());
        if (recordset_->eof() && recordset_->supports(ado::adMovePrevious)) {
            recordset_->movePrevious();
        }
    } catch (const Exception&) {
        // The row is written; the window is re-read from wherever the cursor stands.
    }
}

void TADOQuery::Cancel() {
    if (!IsEditing(state_)) {
        return;
    }
    DataEvent(deCheckBrowseMode);
    const bool inserting = state_ == dsInsert;
    Run(BeforeCancel);
    if (inserting) {
        Run(BeforeScroll);
        window_.RemoveCurrent();
    }
    modifiedFields_.clear();
    SetState(dsBrowse);
    if (inserting && recordBeforeInsert_) {
        // A full window may have pushed that record out to make room for the new one.
        ResyncAround(*std::exchange(recordBeforeInsert_, std::nullopt), window_.Current());
    } else {
        ResyncAroundCurrent();
    }
    DataEvent(deDataSetChange);
    Run(AfterCancel);
    if (inserting) {
        Run(AfterScroll);
    }
}

void TADOQuery::Refresh() {
    Run(BeforeRefresh);
    CheckBrowseMode();
    std::exception_ptr failure;
    try {
        if (recordset_->supports(ado::adResync)) {
            recordset_->resync(ado::adAffectAll, ado::adResyncAllValues);
        } else {
            recordset_->requery(0);
        }
    } catch (const Exception&) {
        failure = std::current_exception();
    }
    if (failure && recordset_->state() == ado::adStateClosed) {
        Close();
        std::rethrow_exception(failure);
    }
    window_.ForgetCursorPosition();
    try {
        ResyncAroundCurrent();
    } catch (const EOleException&) {
        // The current record is gone; show the records from the first one.
        FillWindowFromStart();
    }
    DataEvent(deDataSetChange);
    Run(AfterRefresh);
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TADOQuery::Delete() {
    CheckActive();
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (window_.IsEmpty()) {
        DatabaseError(DatabaseMessages::kDataSetEmpty, name_);
    }
    DataEvent(deCheckBrowseMode);
    Run(BeforeDelete);
    Run(BeforeScroll);
    RunGuarded(OnDeleteError, [this] { DeleteCurrentRow(); });
    modifiedFields_.clear();
    SetState(dsBrowse);
    ResyncAroundCursor();
    DataEvent(deDataSetChange);
    Run(AfterDelete);
    Run(AfterScroll);
}

void TADOQuery::DeleteCurrentRow() {
    AsDatabaseError([this] {
        window_.PositionCursorOn(window_.Current());
        try {
            recordset_->deleteRows(ado::adAffectCurrent);
            recordset_->moveNext();
        } catch (...) {
            CancelPendingUpdate(*recordset_);
            throw;
        }
    });
    window_.ForgetCursorPosition();
}

void TADOQuery::BeginWriteBatch() {
    CheckActive();
    AsDatabaseError([this] { recordset_->beginWriteBatch(); });
}

void TADOQuery::EndWriteBatch() {
    if (recordset_) {
        AsDatabaseError([this] { recordset_->endWriteBatch(); });
    }
}
