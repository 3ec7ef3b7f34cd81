#include "data/TDataSource.h"

#include "data/TADOQuery.h"
#include "data/TDataLink.h"

#include <algorithm>

TDataSource::~TDataSource() {
    if (dataSet_ != nullptr) {
        dataSet_->DetachDataSource(this);
        dataSet_ = nullptr;
    }
    const std::vector<TDataLink*> links = links_;
    links_.clear();
    for (TDataLink* link : links) {
        link->dataSource_ = nullptr;
        link->UpdateState();
    }
}

void TDataSource::SetDataSet(TADOQuery* dataSet) {
    if (dataSet == dataSet_) {
        return;
    }
    if (dataSet_ != nullptr) {
        dataSet_->DetachDataSource(this);
    }
    dataSet_ = dataSet;
    if (dataSet_ != nullptr) {
        dataSet_->AttachDataSource(this);
    }
    const std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links) {
        link->UpdateState();
    }
}

TDataSetState TDataSource::State() const {
    return dataSet_ != nullptr ? dataSet_->State() : dsInactive;
}

void TDataSource::AddLink(TDataLink* link) {
    links_.push_back(link);
    if (dataSet_ != nullptr) {
        dataSet_->UpdateBufferCount();
    }
}

void TDataSource::RemoveLink(TDataLink* link) {
    std::erase(links_, link);
    if (dataSet_ != nullptr) {
        dataSet_->UpdateBufferCount();
    }
}

void TDataSource::DataEvent(TDataEvent event, TField* field, int distance) {
    const std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links) {
        // A link that left during an earlier link's reaction hears nothing more.
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) {
            link->DataEvent(event, field, distance);
        }
    }
}

void TDataSource::DataSetDestroyed() {
    dataSet_ = nullptr;
    const std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links) {
        link->UpdateState();
    }
}
