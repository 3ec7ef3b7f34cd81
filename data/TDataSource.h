#pragma once

#include "data/DataEvent.h"
#include "data/DataSetState.h"

#include <vector>

class TADOQuery;
class TDataLink;
class TField;

// Connects a data set to the data links of controls and relays every notification of the
// data set to all of them.
class TDataSource {
public:
    TDataSource() = default;
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    TADOQuery* DataSet() const { return dataSet_; }
    void SetDataSet(TADOQuery* dataSet);
    // The data set's state; dsInactive without a data set.
    TDataSetState State() const;

    const std::vector<TDataLink*>& Links() const { return links_; }

private:
    friend class TADOQuery;
    friend class TDataLink;

    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);
    // The data set relays a notification to every link.
    void DataEvent(TDataEvent event, TField* field, int distance);
    // The data set is going away.
    void DataSetDestroyed();

    TADOQuery* dataSet_ = nullptr;
    std::vector<TDataLink*> links_;
};
