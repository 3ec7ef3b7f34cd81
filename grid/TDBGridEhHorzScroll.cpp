// The horizontal scroll bar: there only while the scrollable columns do not fit the client
// width; its position follows the left column and its commands move the left column.
#include "grid/TDBGridEh.h"

#include "grid/TGridHorzScrollBar.h"

#include <algorithm>

int TDBGridEh::MaxLeftCol() const {
    return ColumnAxis().MaxLeftCol(ClientWidth());
}

bool TDBGridEh::UpdateHorzScrollBar() {
    const int first = indicatorOffset_;
    const int maxLeft = MaxLeftCol();
    // Columns that fit again show from the first one.
    leftCol_ = std::clamp(leftCol_, first, std::max(maxLeft, first));
    const bool show = !ColumnAxis().AllFit(ClientWidth());
    const int position =
        maxLeft > first ? (leftCol_ - first) * TGridHorzScrollBar::RangeMax / (maxLeft - first) : 0;
    const bool changed = horzScrollBar_->Apply(show, position);
    if (changed)
        PlaceScrollBar();
    return changed;
}

void TDBGridEh::SetLeftCol(int col) {
    col = std::clamp(col, indicatorOffset_, std::max(MaxLeftCol(), indicatorOffset_));
    if (col == leftCol_)
        return;
    leftCol_ = col;
    UpdateHorzScrollBar();
    InvalidateGrid();
}

void TDBGridEh::HorzScrollCommand(TScrollCode code, int position) {
    if (!TakeFocus())
        return;
    const int first = indicatorOffset_;
    const int maxLeft = MaxLeftCol();
    // A page is the columns shown whole, at least one.
    const GridColumnAxis axis = ColumnAxis();
    int page = 0;
    for (int col = leftCol_; col < ColCount() && axis.End(col) - GridLineWidth <= ClientWidth();
         ++col)
        ++page;
    page = std::max(page, 1);
    switch (code) {
    case scLineUp:
        SetLeftCol(leftCol_ - 1);
        break;
    case scLineDown:
        SetLeftCol(leftCol_ + 1);
        break;
    case scPageUp:
        SetLeftCol(leftCol_ - page);
        break;
    case scPageDown:
        SetLeftCol(leftCol_ + page);
        break;
    case scPosition:
    case scTrack:
        SetLeftCol(first + (position * (maxLeft - first) + TGridHorzScrollBar::RangeMax / 2) /
                               TGridHorzScrollBar::RangeMax);
        break;
    case scTop:
        SetLeftCol(first);
        break;
    case scBottom:
        SetLeftCol(maxLeft);
        break;
    case scEndScroll:
        break;
    }
}
