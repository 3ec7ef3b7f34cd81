// Configuration, SQL lines, filter, open and close, state and notifications of the query.
#include "data/TADOQuery.h"

#include "data/DatabaseError.h"
#include "data/TDataLink.h"
#include "data/TDataSource.h"
#include "data/TField.h"
#include "platform/Exceptions.h"
#include "platform/db/AdoConstants.h"
#include "platform/db/AdoProvider.h"
#include "platform/db/AdoRecordset.h"

#include <algorithm>
#include <utility>

TADOQuery::TADOQuery(AdoProvider& provider) : provider_(provider), command_(provider) {
    sql_.OnChange = [this] {
        SQLChanged();
    };
}

TADOQuery::~TADOQuery() {
    const std::vector<TDataSource*> sources = dataSources_;
    for (TDataSource* source : sources) {
        source->DataSetDestroyed();
    }
    dataSources_.clear();
    if (recordset_) {
        try {
            recordset_->detachEventSink();
        } catch (const Exception&) {
            // The recordset goes away with the query either way.
        }
    }
}

void TADOQuery::SetConnectionString(const QString& connectionString) {
    if (connectionString == command_.ConnectionString()) {
        return;
    }
    CheckInactive();
    command_.SetConnectionString(connectionString);
}

void TADOQuery::SQLChanged() {
    Close();
    const QString text = sql_.Text();
    if (text == command_.CommandText()) {
        return;
    }
    command_.SetCommandText(text, !command_.ConnectionString().isEmpty() && !loading_);
}

void TADOQuery::SetFilter(const QString& filter) {
    if (filter == filter_) {
        return;
    }
    if (Active() && filtered_) {
        CheckBrowseMode();
        window_.ForgetCursorPosition();
        recordset_->setFilter(filter);
        filter_ = filter;
        GoFirst();
        return;
    }
    filter_ = filter;
}

void TADOQuery::SetFiltered(bool filtered) {
    if (filtered == filtered_) {
        return;
    }
    if (Active()) {
        CheckBrowseMode();
        window_.ForgetCursorPosition();
        recordset_->setFilter(filtered ? filter_ : QString());
        filtered_ = filtered;
        GoFirst();
        return;
    }
    filtered_ = filtered;
}

void TADOQuery::SetCursorType(TCursorType cursorType) {
    CheckInactive();
    cursorType_ = cursorType;
}

void TADOQuery::SetLockType(TLockType lockType) {
    CheckInactive();
    lockType_ = lockType;
}

void TADOQuery::SetCursorLocation(TCursorLocation cursorLocation) {
    CheckInactive();
    cursorLocation_ = cursorLocation;
}

void TADOQuery::SetCacheSize(int cacheSize) {
    CheckInactive();
    cacheSize_ = cacheSize;
}

void TADOQuery::SetMaxRecords(int maxRecords) {
    CheckInactive();
    maxRecords_ = maxRecords;
}

void TADOQuery::SetEnableBCD(bool enableBcd) {
    CheckInactive();
    enableBcd_ = enableBcd;
}

void TADOQuery::SetActive(bool active) {
    if (active) {
        Open();
    } else {
        Close();
    }
}

void TADOQuery::Open() {
    if (Active()) {
        return;
    }
    Run(BeforeOpen);
    try {
        OpenCursor();
        FillWindowFromStart();
    } catch (...) {
        ReleaseCursor();
        throw;
    }
    SetState(dsBrowse);
    Run(AfterOpen);
}

void TADOQuery::OpenCursor() {
    command_.AddConnectionReason(ConnectionReason::DataSetOpen);
    if (command_.CommandText().isEmpty()) {
        DatabaseError(DatabaseMessages::kMissingProperty.arg(QStringLiteral("SQL")), name_);
    }
    CreateRecordset();
    recordset_->open(command_.Command(), CursorTypeCode(cursorType_), LockTypeCode(lockType_),
                     ado::adCmdText);
    while (recordset_->state() == ado::adStateClosed) {
        if (!recordset_->nextRecordset()) {
            DatabaseError(DatabaseMessages::kNoResultSet, name_);
        }
    }
    bookmarks_ = recordset_->supports(ado::adBookmark);
    fieldDefs_ = BuildFieldDefs(*recordset_, enableBcd_);
    BindFields();
    cursor_.Attach(recordset_.get(), bookmarks_, FieldCount());
    PrepareCursor();
}

void TADOQuery::CreateRecordset() {
    recordset_ = provider_.createRecordset();
    if (!recordset_) {
        throw EOleSysError(DatabaseMessages::kErrorCreatingObject, 0);
    }
    recordset_->setCursorLocation(CursorLocationCode(cursorLocation_));
    recordset_->setCacheSize(cacheSize_);
    recordset_->setMaxRecords(maxRecords_);
    recordset_->attachEventSink();
}

void TADOQuery::PrepareCursor() {
    // The window fill that follows moves the cursor to before the first row.
    if (filtered_ && !filter_.isEmpty()) {
        recordset_->setFilter(filter_);
    }
}

void TADOQuery::ReleaseCursor() {
    window_.Clear();
    cursor_.Detach();
    UnbindFields();
    fieldDefs_.clear();
    modifiedFields_.clear();
    recordBeforeInsert_.reset();
    bookmarks_ = false;
    bof_ = true;
    eof_ = true;
    if (recordset_) {
        try {
            recordset_->detachEventSink();
        } catch (const Exception&) {
            // The recordset is released either way.
        }
        recordset_.reset();
    }
    command_.RemoveConnectionReason(ConnectionReason::DataSetOpen);
}

void TADOQuery::Close() {
    if (!Active()) {
        return;
    }
    Run(BeforeClose);
    // Dropped first, so that a control reacting to the state change finds nothing to fetch.
    window_.Clear();
    SetState(dsInactive);
    ReleaseCursor();
    Run(AfterClose);
}

void TADOQuery::CheckActive() const {
    if (!Active()) {
        DatabaseError(DatabaseMessages::kDataSetClosed, name_);
    }
}

void TADOQuery::CheckInactive() const {
    if (Active()) {
        DatabaseError(DatabaseMessages::kDataSetOpen, name_);
    }
}

void TADOQuery::SetState(TDataSetState state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    modified_ = false;
    DataEvent(deUpdateState);
}

void TADOQuery::DataEvent(TDataEvent event, TField* field, int distance) {
    if (event == deFieldChange) {
        modified_ = true;
    }
    if (ControlsDisabled()) {
        missedEvent_ = true;
        return;
    }
    const std::vector<TDataSource*> sources = dataSources_;
    for (TDataSource* source : sources) {
        source->DataEvent(event, field, distance);
    }
}

void TADOQuery::Run(const TDataSetNotifyEvent& hook) {
    if (hook) {
        hook(*this);
    }
}

void TADOQuery::DisableControls() {
    if (disableCount_ == 0) {
        disableState_ = state_;
        missedEvent_ = false;
    }
    ++disableCount_;
    cursor_.SetRecordRowNumbers(false);
}

void TADOQuery::EnableControls() {
    if (disableCount_ == 0 || --disableCount_ > 0) {
        return;
    }
    cursor_.SetRecordRowNumbers(true);
    const bool missed = std::exchange(missedEvent_, false);
    if (state_ != disableState_) {
        DataEvent(deUpdateState);
    }
    if (missed && Active()) {
        DataEvent(deDataSetChange);
    }
}

void TADOQuery::AttachDataSource(TDataSource* dataSource) {
    dataSources_.push_back(dataSource);
    UpdateBufferCount();
}

void TADOQuery::DetachDataSource(TDataSource* dataSource) {
    std::erase(dataSources_, dataSource);
    UpdateBufferCount();
}

void TADOQuery::UpdateBufferCount() {
    int count = 1;
    for (const TDataSource* source : dataSources_) {
        for (const TDataLink* link : source->Links()) {
            count = std::max(count, link->BufferCount());
        }
    }
    window_.SetCapacity(count);
}
