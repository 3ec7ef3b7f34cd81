// The horizontal scroll bar: there only while the scrollable columns do not fit the client
// width; its position follows the left column and its commands move the left column.
#include "grid/TDBGridEh.h"

#include "grid/TGridHorzScrollBar.h"

#include <algorithm>

bool TDBGridEh::UpdateHorzScrollBar() {
    const int first = IndicatorOffset();
    const int maxLeft = ColumnAxis().MaxLeftCol(ClientWidth());
    // Columns that fit again show from the first one.
    geometry_.SetLeftCol(std::clamp(LeftCol(), first, std::max(maxLeft, first)));
    const bool show = !ColumnAxis().AllFit(ClientWidth());
    const int position =
        maxLeft > first ? (LeftCol() - first) * TGridHorzScrollBar::RangeMax / (maxLeft - first)
                        : 0;
    const bool changed = horzScrollBar_->Apply(show, position);
    if (changed)
        PlaceScrollBar();
    return changed;
}

void TDBGridEh::SetLeftCol(int col) {
    const int first = IndicatorOffset();
    col = std::clamp(col, first, std::max(ColumnAxis().MaxLeftCol(ClientWidth()), first));
    if (col == LeftCol())
        return;
    geometry_.SetLeftCol(col);
    UpdateHorzScrollBar();
    InvalidateGrid();
}

void TDBGridEh::HorzScrollCommand(TScrollCode code, int position) {
    if (!TakeFocus())
        return;
    const int first = IndicatorOffset();
    const int leftCol = LeftCol();
    const int maxLeft = ColumnAxis().MaxLeftCol(ClientWidth());
    // A page is the columns shown whole, at least one.
    const GridColumnAxis& axis = ColumnAxis();
    int page = 0;
    for (int col = leftCol; col < ColCount() && axis.End(col) - GridLineWidth <= ClientWidth();
         ++col)
        ++page;
    page = std::max(page, 1);
    switch (code) {
    case scLineUp:
        SetLeftCol(leftCol - 1);
        break;
    case scLineDown:
        SetLeftCol(leftCol + 1);
        break;
    case scPageUp:
        SetLeftCol(leftCol - page);
        break;
    case scPageDown:
        SetLeftCol(leftCol + page);
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
