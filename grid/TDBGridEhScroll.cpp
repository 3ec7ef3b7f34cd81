// The vertical scroll bar over the whole result, its commands, and the pixel scroll of the data
// rows when the row window moves.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "grid/TGridHorzScrollBar.h"

#include <utility>

namespace {

// The three positions of the bar while the record number is unknown (a filtered result).
constexpr int ThreeStateFirst = 0;
constexpr int ThreeStateMiddle = 2;
constexpr int ThreeStateLast = 4;

} // namespace

TScrollBarSettingsEh TDBGridEh::ScrollBarSettings() const {
    TScrollBarSettingsEh settings; // inactive: 0 .. 1, page 2, position 0
    const TADOQuery* dataSet = DataSet();
    if (!dataLink_.Active() || dataSet == nullptr)
        return settings;
    if (dataSet->IsSequenced()) {
        settings.Min = 1;
        settings.Page = VisibleDataRowCount();
        settings.Max = static_cast<int>(dataSet->RecordCount()) + settings.Page - 1;
        // A record being inserted has no number: the thumb stays where it was.
        settings.Pos = dataSet->State() == dsInsert ? vertScrollBar_->Settings().Pos
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

void TDBGridEh::UpdateScrollBar() {
    if (DataSource() == nullptr || !hasHandle_)
        return;
    TScrollBarSettingsEh settings = ScrollBarSettings();
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
    ScrollCommand(*dataSet, code, position);
}

void TDBGridEh::ScrollCommand(TADOQuery& dataSet, TScrollCode code, int position) {
    switch (code) {
    case scLineUp:
        dataSet.MoveBy(-(dataLink_.ActiveRecord() + 1));
        break;
    case scLineDown:
        dataSet.MoveBy(dataLink_.RecordCount() - dataLink_.ActiveRecord());
        break;
    case scPageUp:
        dataSet.MoveBy(-VisibleDataRowCount());
        break;
    case scPageDown:
        dataSet.MoveBy(VisibleDataRowCount());
        break;
    case scPosition:
        ThumbReleased(dataSet, position);
        break;
    case scTrack:
        if (vertScrollBar_->Tracking()) {
            dataSet.MoveBy(position - static_cast<int>(dataSet.RecNo()));
            skipThumbRelease_ = true;
        }
        break;
    case scTop:
        dataSet.First();
        break;
    case scBottom:
        dataSet.Last();
        break;
    case scEndScroll:
        break;
    }
}

void TDBGridEh::ThumbReleased(TADOQuery& dataSet, int position) {
    // With Tracking the record already followed the thumb while it was dragged.
    if (std::exchange(skipThumbRelease_, false))
        return;
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
        dataSet.MoveBy(-VisibleDataRowCount());
        break;
    case ThreeStateLast - 1:
        dataSet.MoveBy(VisibleDataRowCount());
        break;
    case ThreeStateLast:
        dataSet.Last();
        break;
    default:
        break;
    }
}

void TDBGridEh::ScrollDataRows(int distance) {
    const int top = geometry_.RowTop(TitleRowCount());
    const int bottom = geometry_.RowTop(RowCount() - 1) + DataRowHeight() + GridLineWidth;
    const QRect rows = ToWidget({0, top, ClientWidth(), bottom});
    scroll(0, -distance * (DataRowHeight() + GridLineWidth), rows);
}
