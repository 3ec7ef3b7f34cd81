#include "data/TDataLink.h"

#include "data/TADOQuery.h"
#include "data/TDataSource.h"

#include <algorithm>

TDataLink::TDataLink() = default;

TDataLink::~TDataLink() {
    if (dataSource_ != nullptr) {
        dataSource_->RemoveLink(this);
        dataSource_ = nullptr;
    }
}

void TDataLink::SetDataSource(TDataSource* dataSource) {
    if (dataSource == dataSource_) {
        return;
    }
    if (dataSource_ != nullptr) {
        dataSource_->RemoveLink(this);
    }
    dataSource_ = dataSource;
    if (dataSource_ != nullptr) {
        dataSource_->AddLink(this);
    }
    UpdateState();
}

TADOQuery* TDataLink::DataSet() const {
    return dataSource_ != nullptr ? dataSource_->DataSet() : nullptr;
}

void TDataLink::SetBufferCount(int count) {
    count = std::max(count, 1);
    if (count == bufferCount_) {
        return;
    }
    bufferCount_ = count;
    if (TADOQuery* dataSet = DataSet()) {
        dataSet->UpdateBufferCount();
        UpdateRange(0);
    }
}

int TDataLink::ActiveRecord() const {
    const TADOQuery* dataSet = DataSet();
    if (dataSet == nullptr || !dataSet->Active()) {
        return 0;
    }
    return dataSet->window_.Current() - firstRecord_;
}

void TDataLink::SetActiveRecord(int position) {
    TADOQuery* dataSet = DataSet();
    if (dataSet != nullptr && dataSet->Active()) {
        dataSet->window_.SetCurrent(firstRecord_ + position);
    }
}

int TDataLink::RecordCount() const {
    const TADOQuery* dataSet = DataSet();
    if (dataSet == nullptr || !dataSet->Active()) {
        return 0;
    }
    return std::clamp(dataSet->window_.Count() - firstRecord_, 0, bufferCount_);
}

void TDataLink::DataEvent(TDataEvent event, TField* field, int distance) {
    if (event == deUpdateState) {
        UpdateState();
        return;
    }
    if (!active_) {
        return;
    }
    switch (event) {
    case deFieldChange:
    case deRecordChange:
        RecordChanged(field);
        break;
    case deDataSetChange:
        UpdateRange(0);
        DataSetChanged();
        break;
    case deDataSetScroll:
        DataSetScrolled(UpdateRange(distance));
        break;
    case deLayoutChange:
        LayoutChanged();
        break;
    case deUpdateRecord:
        UpdateData();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deUpdateState:
        break;
    }
}

void TDataLink::UpdateState() {
    const TADOQuery* dataSet = DataSet();
    const bool active = dataSet != nullptr && dataSet->Active();
    const bool editing = active && (dataSet->State() == dsEdit || dataSet->State() == dsInsert);
    if (active != active_) {
        active_ = active;
        firstRecord_ = 0;
        UpdateRange(0);
        ActiveChanged();
    }
    if (editing != editing_) {
        editing_ = editing;
        EditingChanged();
    }
}

int TDataLink::UpdateRange(int shift) {
    const TADOQuery* dataSet = DataSet();
    if (dataSet == nullptr || !dataSet->Active()) {
        firstRecord_ = 0;
        return 0;
    }
    // The window dropped shift records at its start: the link's records moved up by as many.
    const int shifted = firstRecord_ - shift;
    int first = std::max(shifted, 0);
    const int current = dataSet->window_.Current();
    if (current < first) {
        first = current;
    }
    if (current >= first + bufferCount_) {
        first = current - bufferCount_ + 1;
    }
    first = std::clamp(first, 0, std::max(dataSet->window_.Count() - bufferCount_, 0));
    firstRecord_ = first;
    return first - shifted;
}
