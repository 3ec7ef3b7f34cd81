#include "grid/TGridDataLinkEh.h"

#include "grid/TDBGridEh.h"

void TGridDataLinkEh::ActiveChanged() {
    modified_ = false;
    grid_.LinkActive(Active());
}

void TGridDataLinkEh::EditingChanged() {
    grid_.EditingChanged();
}

void TGridDataLinkEh::DataSetChanged() {
    modified_ = false;
    grid_.DataChanged();
}

void TGridDataLinkEh::DataSetScrolled(int distance) {
    grid_.Scroll(distance);
}

void TGridDataLinkEh::RecordChanged(TField* field) {
    modified_ = false;
    grid_.RecordChanged(field);
}

void TGridDataLinkEh::LayoutChanged() {
    layoutFromDataSet_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{layoutFromDataSet_};
    grid_.LayoutChanged();
}

void TGridDataLinkEh::UpdateData() {
    // No in-place editor is ever shown, so there is never editor text to write to a field.
    modified_ = false;
}
