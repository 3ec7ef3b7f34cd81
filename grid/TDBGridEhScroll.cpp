// The scroll bars: the vertical one over the whole result with its commands, the pixel scroll
// of the data rows when the row window moves; and the horizontal one, there only while the
// scrollable columns do not fit the client width, whose position follows the left column and
// whose commands move it.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "grid/TGridHorzScrollBar.h"

#include <algorithm>
#include <utility>

namespace {

// The three positions of the bar while the record number is unknown (a filtered result).
constexpr int ThreeStateFirst = 0;
constexpr int ThreeStateMiddle = 2;
constexpr int ThreeStateLast = 4;

TScrollBarSettingsEh ScrollBarSettings(const TDBGridEh& grid) {
    TScrollBarSettingsEh settings; // inactive: 0 .. 1, page 2, position 0
    const TADOQuery* dataSet = grid.DataSet();
    if (!grid.DataLink().Active() || dataSet == nullptr)
        return settings;
    if (dataSet->IsSequenced()) {
        settings.Min = 1;
        settings.Page = grid.VisibleDataRowCount();
        settings.Max = static_cast<int>(dataSet->RecordCount()) + settings.Page - 1;
        // A record being inserted has no number: the thumb stays where it was.
        settings.Pos = dataSet->State() == dsInsert ? grid.VertScrollBar().Settings().Pos
                                                    : static_cast<int>(dataSet->RecNo());
    } else {
        settings.Min = 0;
        settings.Page = 0;
        settings.Max = ThreeStateLast;
        settings.Pos = dataSet->Bof()   ? ThreeStateFirst
                       : dataSet->Eof() ? ThreeStateLast
                                        : ThreeStateMiddle;
    }
    return settings;
}

// The thumb released at a position: the record goes there (by number while the data set is
// sequenced, else by the three positions).
void ThumbReleased(const TDBGridEh& grid, TADOQuery& dataSet, int position) {
    if (dataSet.IsSequenced()) {
        const long count = dataSet.RecordCount();
        if (position <= 1)
            dataSet.First();
        else if (position >= count)
            dataSet.Last();
        else
            dataSet.SetRecNo(position);
        return;
    }
    switch (position) {
    case ThreeStateFirst:
        dataSet.First();
        break;
    case ThreeStateFirst + 1:
        dataSet.MoveBy(-grid.VisibleDataRowCount());
        break;
    case ThreeStateLast - 1:
        dataSet.MoveBy(grid.VisibleDataRowCount());
        break;
    case ThreeStateLast:
        dataSet.Last();
        break;
    default:
        break;
    }
}

// The arrows, the page areas and the ends of the bar.
void StepCommand(const TDBGridEh& grid, TADOQuery& dataSet, TScrollCode code) {
    const TGridDataLinkEh& link = grid.DataLink();
    switch (code) {
    case scLineUp:
        dataSet.MoveBy(-(link.ActiveRecord() + 1));
        break;
    case scLineDown:
        dataSet.MoveBy(link.RecordCount() - link.ActiveRecord());
        break;
    case scPageUp:
        dataSet.MoveBy(-grid.VisibleDataRowCount());
        break;
    case scPageDown:
        dataSet.MoveBy(grid.VisibleDataRowCount());
        break;
    case scTop:
        dataSet.First();
        break;
    case scBottom:
        dataSet.Last();
        break;
    default:
        break;
    }
}

} // namespace

// --- The vertical bar ------------------------------------------------------------------------

void TDBGridEh::UpdateScrollBar() {
    if (DataSource() == nullptr || !hasHandle_)
        return;
    TScrollBarSettingsEh settings = ScrollBarSettings(*this);
    if (!vertScrollBar_->Visible())
        settings.Max = settings.Min;
    // Showing or hiding the bar changes the client width, which is a size change.
    if (vertScrollBar_->Apply(settings))
        ClientSizeChanged();
}

void TDBGridEh::PlaceScrollBar() {
    vertScrollBar_->Place(BorderWidth() + ClientWidth(), BorderWidth(), ClientHeight());
    horzScrollBar_->Place(BorderWidth(), BorderWidth() + ClientHeight(), ClientWidth());
}

bool TDBGridEh::TakeFocus() {
    if (hasFocus())
        return true;
    const bool canFocus =
        isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus && window()->isActiveWindow();
    if (!canFocus)
        return true;
    setFocus(Qt::MouseFocusReason);
    return hasFocus();
}

void TDBGridEh::VertScrollCommand(TScrollCode code, int position) {
    if (!TakeFocus())
        return;
    TADOQuery* dataSet = DataSet();
    if (!dataLink_.Active() || dataSet == nullptr)
        return;
    switch (code) {
    case scPosition:
        // With Tracking the record already followed the thumb while it was dragged.
        if (!std::exchange(skipThumbRelease_, false))
            ThumbReleased(*this, *dataSet, position);
        break;
    case scTrack:
        if (vertScrollBar_->Tracking()) {
            dataSet->MoveBy(position - static_cast<int>(dataSet->RecNo()));
            skipThumbRelease_ = true;
        }
        break;
    default:
        StepCommand(*this, *dataSet, code);
        break;
    }
}

void TDBGridEh::ScrollDataRows(int distance) {
    const int top = geometry_.RowTop(TitleRowCount());
    const int bottom = geometry_.RowTop(RowCount());
    const QRect rows = ToWidget({0, top, ClientWidth(), bottom});
    scroll(0, -distance * geometry_.DataRowPitch(), rows);
}

// --- The horizontal bar ----------------------------------------------------------------------

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
