#pragma once

#include "grid/TColumnEh.h"

#include <memory>
#include <vector>

class TADOQuery;
class TDBGridEh;

// Whether the columns are the layout's own (customized) or made by the grid from the fields.
enum TDBGridColumnsState { csDefault, csCustomized };

// The grid's ordered columns: data column i is grid column i + 1 behind the indicator. The
// collection is customized when its first column is a stored one; otherwise the grid makes one
// column per field of the data set at every layout rebuild.
class TDBGridColumnsEh {
public:
    explicit TDBGridColumnsEh(TDBGridEh* grid) : grid_(grid) {}
    TDBGridColumnsEh(const TDBGridColumnsEh&) = delete;
    TDBGridColumnsEh& operator=(const TDBGridColumnsEh&) = delete;

    TDBGridEh* Grid() const { return grid_; }
    int Count() const { return static_cast<int>(columns_.size()); }
    TColumnEh& operator[](int index) const { return *columns_.at(static_cast<std::size_t>(index)); }
    // The position of the column in the collection, or -1.
    int IndexOf(const TColumnEh& column) const;

    // Appends a stored column, which makes the collection customized.
    TColumnEh& Add();
    void Clear();
    // Moves the column at one index to another; the columns between shift by one.
    void Move(int fromIndex, int toIndex);
    TDBGridColumnsState State() const;

    // Holds back change notifications until the outermost EndUpdate, which sends one.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // At a layout rebuild: default columns are made anew from the data set's fields; the columns
    // of a customized collection forget their fields and look them up again on the next use.
    void RebuildColumns(const TADOQuery* dataSet);
    // Whether some column hides repeated values.
    bool AnyHideDuplicates() const;

private:
    friend class TColumnEh;

    // A column changed; layout changes need the grid's widths rebuilt, others only a repaint.
    void ColumnChanged(bool layout);

    TDBGridEh* grid_;
    std::vector<std::unique_ptr<TColumnEh>> columns_;
    int updateCount_ = 0;
    bool changed_ = false;
    bool layoutChanged_ = false;
};
