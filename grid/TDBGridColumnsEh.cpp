#include "grid/TDBGridColumnsEh.h"

#include "data/TADOQuery.h"
#include "grid/TDBGridEh.h"

#include <algorithm>
#include <utility>

int TDBGridColumnsEh::IndexOf(const TColumnEh& column) const {
    const auto found = std::find_if(columns_.begin(), columns_.end(),
                                    [&](const auto& item) { return item.get() == &column; });
    return found == columns_.end() ? -1 : static_cast<int>(found - columns_.begin());
}

TColumnEh& TDBGridColumnsEh::Add() {
    if (State() == csDefault)
        columns_.clear();
    columns_.push_back(std::make_unique<TColumnEh>(this, true));
    ColumnChanged(true);
    return *columns_.back();
}

void TDBGridColumnsEh::Clear() {
    if (columns_.empty())
        return;
    columns_.clear();
    ColumnChanged(true);
}

void TDBGridColumnsEh::Move(int fromIndex, int toIndex) {
    if (fromIndex == toIndex || fromIndex < 0 || toIndex < 0 || fromIndex >= Count() ||
        toIndex >= Count())
        return;
    const auto items = columns_.begin();
    if (fromIndex < toIndex)
        std::rotate(items + fromIndex, items + fromIndex + 1, items + toIndex + 1);
    else
        std::rotate(items + toIndex, items + fromIndex, items + fromIndex + 1);
    ColumnChanged(true);
}

TDBGridColumnsState TDBGridColumnsEh::State() const {
    return !columns_.empty() && columns_.front()->Stored() ? csCustomized : csDefault;
}

void TDBGridColumnsEh::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0 || !changed_)
        return;
    changed_ = false;
    ColumnChanged(std::exchange(layoutChanged_, false));
}

void TDBGridColumnsEh::RebuildColumns(const TADOQuery* dataSet) {
    if (State() == csCustomized) {
        for (const auto& column : columns_)
            column->DropField();
        return;
    }
    columns_.clear();
    if (dataSet == nullptr || (!dataSet->Active() && dataSet->FieldCount() == 0))
        return;
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        columns_.push_back(std::make_unique<TColumnEh>(this, false));
        columns_.back()->fieldName_ = dataSet->Field(i).FieldName();
    }
}

bool TDBGridColumnsEh::AnyHideDuplicates() const {
    return std::any_of(columns_.begin(), columns_.end(),
                       [](const auto& column) { return column->HideDuplicates(); });
}

void TDBGridColumnsEh::ColumnChanged(bool layout) {
    if (updateCount_ > 0) {
        changed_ = true;
        layoutChanged_ = layoutChanged_ || layout;
        return;
    }
    if (grid_ != nullptr)
        grid_->ColumnsChanged(layout);
}
