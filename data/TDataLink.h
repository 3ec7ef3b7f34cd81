#pragma once

#include "data/DataEvent.h"

class TADOQuery;
class TDataSource;
class TField;

// A control's connection to a data set through a data source. It sees the part of the data
// set's row window it asked for (BufferCount records) and hears the data set's notifications
// through the virtual hooks. The grid's link derives from it.
class TDataLink {
public:
    TDataLink();
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* dataSource);
    // The data source's data set, or nullptr.
    TADOQuery* DataSet() const;

    // Whether the data set is open.
    bool Active() const { return active_; }
    // Whether the data set is in edit or insert state.
    bool Editing() const { return editing_; }

    // How many records the link wants in the row window (at least 1). Setting it makes the
    // data set resize its window to the largest count any of its links asks for.
    int BufferCount() const { return bufferCount_; }
    void SetBufferCount(int count);

    // The current record's position in the link's part of the window.
    int ActiveRecord() const;
    // Makes a position of the link's part of the window current, without any notification
    // (painting reads other records this way and then restores the previous position).
    void SetActiveRecord(int position);
    // The number of records in the link's part of the window; 0 when the data set is closed.
    int RecordCount() const;

protected:
    // The data set was opened or closed.
    virtual void ActiveChanged() {}
    // Edit or insert state began or ended.
    virtual void EditingChanged() {}
    // The row window was filled anew.
    virtual void DataSetChanged() {}
    // The current record moved; the window shifted by distance records (positive: towards the end).
    virtual void DataSetScrolled(int distance) { (void)distance; }
    // A field of the current record changed, or the whole record when field is nullptr.
    virtual void RecordChanged(TField* field) { (void)field; }
    // The data set's fields changed.
    virtual void LayoutChanged() { DataSetChanged(); }
    // Before a change is posted: hand unsaved input to the fields.
    virtual void UpdateData() {}
    // Before a pending change is settled.
    virtual void CheckBrowseMode() {}

private:
    friend class TDataSource;

    void DataEvent(TDataEvent event, TField* field, int distance);
    void UpdateState();
    // Keeps the current record inside the link's part of the window; returns how far that part
    // moved over the records.
    int UpdateRange(int shift);

    TDataSource* dataSource_ = nullptr;
    int bufferCount_ = 1;
    int firstRecord_ = 0; // the link's first record in the data set's window
    bool active_ = false;
    bool editing_ = false;
};
