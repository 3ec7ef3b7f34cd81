#pragma once

#include "data/CursorOptions.h"
#include "data/DataEvent.h"
#include "data/DataSetEvents.h"
#include "data/DataSetState.h"
#include "data/FieldDef.h"
#include "data/RecordsetCursor.h"
#include "data/RowWindow.h"
#include "data/TBookmark.h"
#include "data/TADOCommand.h"
#include "data/TWideStringList.h"
#include "platform/db/AdoVariant.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class AdoProvider;
class AdoRecordset;
class TDataSource;
class TField;

// The data set over one SQL command: its SQL lines become the command text, Open runs it into a
// static client-side recordset of the provider, persistent fields read and assign the current
// record, and a row window of records serves the data links of controls. Every check that
// fails raises EDatabaseError, prefixed with "<Name>: " where the query is the source; the
// provider's failures arrive as EOleException.
class TADOQuery {
public:
    // The provider reaches the database; the program passes the one it runs on.
    explicit TADOQuery(AdoProvider& provider);
    ~TADOQuery();
    TADOQuery(const TADOQuery&) = delete;
    TADOQuery& operator=(const TADOQuery&) = delete;

    // --- Configuration ---------------------------------------------------------------------
    // The component name that prefixes the query's own messages.
    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    // While the owner is still being built from its layout, SQL changes ask the provider nothing.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    const QString& ConnectionString() const { return command_.ConnectionString(); }
    // Stores the string and releases the connection held for the old one; the query must be closed.
    void SetConnectionString(const QString& connectionString);

    // The SQL lines. Clearing a non-empty list or adding a line closes the query and hands the
    // joined text to the command.
    TWideStringList& SQL() { return sql_; }
    const TWideStringList& SQL() const { return sql_; }
    bool ParamCheck() const { return command_.ParamCheck(); }
    void SetParamCheck(bool paramCheck) { command_.SetParamCheck(paramCheck); }
    const std::vector<TParameter>& Parameters() const { return command_.Parameters(); }

    const QString& Filter() const { return filter_; }
    // Stores the filter text; applies it at once (and goes to the first record) only when the
    // query is open and Filtered. A text the provider rejects is not stored.
    void SetFilter(const QString& filter);
    bool Filtered() const { return filtered_; }
    // Switches the filter; applies it at once (and goes to the first record) only when open.
    void SetFiltered(bool filtered);

    // The cursor settings handed to the provider at Open; they change only while closed.
    TCursorType CursorType() const { return cursorType_; }
    void SetCursorType(TCursorType cursorType);
    TLockType LockType() const { return lockType_; }
    void SetLockType(TLockType lockType);
    TCursorLocation CursorLocation() const { return cursorLocation_; }
    void SetCursorLocation(TCursorLocation cursorLocation);
    int CacheSize() const { return cacheSize_; }
    void SetCacheSize(int cacheSize);
    // The largest number of rows Open fetches; 0 means no limit.
    int MaxRecords() const { return maxRecords_; }
    void SetMaxRecords(int maxRecords);
    // Whether decimal columns bind as BCD (else as Float).
    bool EnableBCD() const { return enableBcd_; }
    void SetEnableBCD(bool enableBcd);

    // --- Fields ----------------------------------------------------------------------------
    // Appends a persistent field (the query owns it); fields keep the order they were added in.
    TField& AddField(std::unique_ptr<TField> field);
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField& Field(int index) const { return *fields_.at(static_cast<std::size_t>(index)); }
    // The field with the name, compared without regard to case; nullptr when there is none.
    TField* FindField(const QString& fieldName) const;
    // As FindField, but a missing field raises "Field '%s' not found".
    TField& FieldByName(const QString& fieldName) const;
    // The result columns of the open query.
    const std::vector<TFieldDef>& FieldDefs() const { return fieldDefs_; }

    // --- Open and close --------------------------------------------------------------------
    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool active);
    // Runs the command text and fills the row window from the first record; nothing when open.
    // A failure leaves the query closed.
    void Open();
    // Drops the rows (a pending change without a write); nothing when closed.
    void Close();
    TDataSetState State() const { return state_; }
    // Whether a field was assigned since the current edit or insert began.
    bool Modified() const { return modified_; }

    // --- Navigation ------------------------------------------------------------------------
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Moves the current record by distance records and returns how far it moved (signed),
    // stopping at either end of the result.
    int MoveBy(int distance);
    // After opening, First, or a failed move above the first record.
    bool Bof() const { return bof_; }
    // After Last, or a failed move below the last record (and for an empty result).
    bool Eof() const { return eof_; }
    // Whether there is no record (a closed query has none).
    bool IsEmpty() const;
    // The number of rows that pass the filter; the query must be open.
    long RecordCount() const;
    // The current record's 1-based position; -1 without records or in insert state.
    long RecNo() const;
    // Makes the record at the position current, in the middle of the row window.
    void SetRecNo(long recNo);
    // Whether record numbers are exact: approximate positions, a client cursor and no filter.
    bool IsSequenced() const;

    TBookmark GetBookmark() const;
    // Makes the bookmarked record current, in the middle of the row window.
    void GotoBookmark(const TBookmark& bookmark);
    // -1, 0 or 1 as first lies before, at or after second; an empty bookmark comes first.
    int CompareBookmarks(const TBookmark& first, const TBookmark& second) const;
    // Whether the bookmark names a record of the open query.
    bool BookmarkValid(const TBookmark& bookmark) const;
    // Whether the open query's rows can be changed.
    bool CanModify() const;

    // Suspends notifications to controls (nesting); the last EnableControls sends the state
    // change and a data-set change when anything happened in between.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // The row window the data links read.
    const RowWindow& Window() const { return window_; }

    // --- Reading other records --------------------------------------------------------------
    // Runs read with the record at a 1-based position standing in for the current one: the
    // fields give its values, GetBookmark its bookmark and RecNo its position. The current
    // record, the row window and the controls see nothing of it. Returns false without calling
    // read for a position outside the result, or when the recordset has no bookmarks.
    bool ReadRecordAt(long recNo, const std::function<void()>& read);
    // The 1-based position of a bookmarked record, without moving the current record; -1 when
    // the bookmark names no record of the open query.
    long RecNoOf(const TBookmark& bookmark) const;

    // --- Editing ---------------------------------------------------------------------------
    // Edit state on the current record; insert state when there is none. Nothing when editing.
    void Edit();
    // Insert state on a new empty record at the current position.
    void Insert();
    // Writes the edited or new record through the recordset; back to browse state.
    void Post();
    // Drops the held values; back to browse state. Nothing unless editing.
    void Cancel();
    // Settles a pending change and re-reads the held records from the database.
    void Refresh();
    // Deletes the current record from the table (in insert state: Cancel).
    void Delete();
    // Groups the writes that follow, until EndWriteBatch, so that they reach the disk together
    // at its end. Each write still succeeds or fails on its own; a failed one leaves the
    // earlier ones of the batch in place. EndWriteBatch raises the error of a failed commit.
    void BeginWriteBatch();
    void EndWriteBatch();

    // --- Hooks (none is assigned by the program) --------------------------------------------
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeEdit, AfterEdit, BeforeInsert, AfterInsert;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeRefresh, AfterRefresh;
    TDataSetNotifyEvent BeforeScroll, AfterScroll, OnNewRecord;
    TDataSetErrorEvent OnPostError, OnEditError, OnDeleteError;

private:
    friend class TField;
    friend class TDataLink;
    friend class TDataSource;

    // Open, close and configuration (TADOQuery.cpp).
    void SQLChanged();
    void OpenCursor();
    void CreateRecordset();
    void PrepareCursor();
    void ReleaseCursor();
    void CheckActive() const;
    void CheckInactive() const;
    void SetState(TDataSetState state);
    void DataEvent(TDataEvent event, TField* field = nullptr, int distance = 0);
    void Run(const TDataSetNotifyEvent& hook);
    void AttachDataSource(TDataSource* dataSource);
    void DetachDataSource(TDataSource* dataSource);
    void UpdateBufferCount();

    // Fields (TADOQueryFields.cpp).
    void BindFields();
    void UnbindFields();
    bool HasCurrentRecord() const;
    // The record the fields read: the one ReadRecordAt stands in, else the current one.
    RecordBuffer& FieldRecord() const;
    AdoVariant FieldValue(const TField& field);
    void SetFieldValue(TField& field, const AdoVariant& value);

    // Navigation (TADOQueryNavigation.cpp).
    void GoFirst();
    void FillWindowFromStart();
    void ResyncAroundCurrent();
    void ResyncAroundCursor();
    void ResyncAround(const RecordBuffer& record, int anchor);
    void RecenterOnCursor();

    // Editing (TADOQueryEditing.cpp).
    void CheckBrowseMode();
    void CheckEditing() const;
    void CheckCanModify() const;
    void WriteRecord();
    void WriteModifiedFields();
    void RepositionAfterPost();
    void DeleteCurrentRow();
    void RunGuarded(const TDataSetErrorEvent& hook, const std::function<void()>& body);

    AdoProvider& provider_;
    QString name_;
    bool loading_ = false;
    TADOCommand command_;
    TWideStringList sql_;
    QString filter_;
    bool filtered_ = false;
    TCursorType cursorType_ = ctKeyset;
    TLockType lockType_ = ltOptimistic;
    TCursorLocation cursorLocation_ = clUseClient;
    int cacheSize_ = 1;
    int maxRecords_ = 0;
    bool enableBcd_ = true;

    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<TFieldDef> fieldDefs_;
    std::unique_ptr<AdoRecordset> recordset_;
    bool bookmarks_ = false;
    mutable RecordsetCursor cursor_;
    mutable RowWindow window_{cursor_};
    // The record ReadRecordAt reads, while it runs.
    RecordBuffer* readRecord_ = nullptr;

    TDataSetState state_ = dsInactive;
    bool modified_ = false;
    bool bof_ = true;
    bool eof_ = true;
    std::vector<TField*> modifiedFields_;
    // The record that was current when an insert began; Cancel returns to it.
    std::optional<RecordBuffer> recordBeforeInsert_;

    std::vector<TDataSource*> dataSources_;
    int disableCount_ = 0;
    TDataSetState disableState_ = dsInactive;
    bool missedEvent_ = false;
};
