#pragma once

#include "platform/db/AdoVariant.h"

#include <QString>

class AdoCommand;

// What the provider reports of one result column.
struct AdoFieldInfo {
    QString name;
    int type = 0;         // ado::adInteger, ado::adDouble, ado::adVarWChar, ...
    long definedSize = 0; // the largest length of a text column, in characters
    long attributes = 0;  // ado::adFldUpdatable, ado::adFldUnknownUpdatable, ...
    int precision = 0;
    int numericScale = 0;
    bool isAutoIncrement = false; // the column property "ISAUTOINCREMENT"
};

// The provider's recordset: a static client-side copy of a command's result with a current
// row. Positions, counts and bookmarks apply to the rows that pass the filter.
// Every failure raises EOleException with the provider's description.
class AdoRecordset {
public:
    virtual ~AdoRecordset() = default;

    virtual void setCursorLocation(int location) = 0;
    virtual void setCacheSize(int size) = 0;
    virtual void setMaxRecords(int count) = 0;
    virtual void attachEventSink() = 0;
    virtual void detachEventSink() = 0;

    // Runs the command and holds its whole result, positioned on the first row.
    virtual void open(AdoCommand& source, int cursorType, int lockType, int options) = 0;
    virtual int state() const = 0;
    // Moves on to the command's next result; false when there is none.
    virtual bool nextRecordset() = 0;
    virtual bool supports(long options) const = 0;

    virtual int fieldCount() const = 0;
    virtual AdoFieldInfo field(int index) const = 0;
    // The value of a column in the current row.
    virtual AdoVariant value(int index) const = 0;
    // Sets a column of the current row; takes effect at update().
    virtual void setValue(int index, const AdoVariant& value) = 0;

    virtual AdoBookmark bookmark() const = 0;
    virtual void setBookmark(AdoBookmark bookmark) = 0;
    virtual int compareBookmarks(AdoBookmark first, AdoBookmark second) const = 0;

    virtual bool bof() const = 0;
    virtual bool eof() const = 0;
    virtual void moveFirst() = 0;
    virtual void moveNext() = 0;
    virtual void movePrevious() = 0;
    virtual void moveLast() = 0;
    // The 1-based position of the current row; 0 or below when there is none.
    virtual long absolutePosition() const = 0;
    virtual void setAbsolutePosition(long position) = 0;
    virtual int status() const = 0;
    virtual long recordCount() const = 0;

    // Only rows that pass the filter stay visible; the empty text removes the filter.
    virtual void setFilter(const QString& filter) = 0;

    virtual void addNew() = 0;
    virtual void update() = 0;
    virtual void cancelUpdate() = 0;
    virtual int editMode() const = 0;

    virtual void deleteRows(int affectRecords) = 0;
    // Groups the writes that follow, until endWriteBatch, into one database transaction that
    // reaches the disk once at its end. Each write still succeeds or fails on its own: a failed
    // one leaves the batch's earlier writes in place. Without batching these do nothing.
    virtual void beginWriteBatch() {}
    // Commits the batch's writes; a failure to commit reports them lost.
    virtual void endWriteBatch() {}
    virtual void resync(int affectRecords, int resyncValues) = 0;
    virtual void requery(int options) = 0;
};
