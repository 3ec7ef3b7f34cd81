#pragma once

#include "data/TDataLink.h"

class TDBGridEh;

// The grid's connection to its data source: hands every notification of the data set to the
// grid's reaction, and remembers whether an in-place editor changed a value not yet written.
class TGridDataLinkEh : public TDataLink {
public:
    explicit TGridDataLinkEh(TDBGridEh& grid) : grid_(grid) {}

    TDBGridEh& Grid() const { return grid_; }
    // Whether the in-place editor holds a change not yet written to its field.
    bool Modified() const { return modified_; }
    void Modify() { modified_ = true; }
    // Drops the in-place editor's unwritten change.
    void Reset() { modified_ = false; }
    // Whether a layout rebuild runs on the data set's own request.
    bool LayoutFromDataSet() const { return layoutFromDataSet_; }

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int distance) override;
    void RecordChanged(TField* field) override;
    void LayoutChanged() override;
    void UpdateData() override;

private:
    TDBGridEh& grid_;
    bool modified_ = false;
    bool layoutFromDataSet_ = false;
};
