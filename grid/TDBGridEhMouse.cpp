// The mouse over the grid: a press on a data row makes its record current and selects, a drag
// extends the selection (stepping on by a timer beyond the rows), the release of a left click
// fires OnCellClick or OnTitleClick, resting the mouse shows the grid's hint, and the cursor
// tells what a press would do.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "grid/GridCursors.h"
#include "grid/GridLocks.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

QPoint EventPoint(const QMouseEvent& event, int border) {
    return event.position().toPoint() - QPoint(border, border);
}

} // namespace

void TDBGridEh::MousePress(QMouseEvent& event, bool doubleClick) {
    HideHint();
    event.accept();
    // Another button pressed during a column gesture leaves the gesture alone.
    if (gesture_.Active())
        return;
    const Qt::MouseButton button = event.button();
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    if (!TakeFocus())
        return;
    // The second press of a double click leaves the record and the selection as they are.
    if (doubleClick)
        return;
    const QPoint point = EventPoint(event, BorderWidth());
    const TGridCoord cell = MouseCoord(point);
    if (PressTitleRow(point, cell, button)) {
        UpdateCursor(point);
        return;
    }
    if (cell.X == 0 && cell.Y == 0 && IndicatorOffset() == 1 && TitleRowCount() == 1) {
        PressCorner();
        return;
    }
    if (cell.Y >= TitleRowCount() && cell.Y < RowCount() && dataLink_.Active())
        PressDataRow(cell, button, event.modifiers());
}

bool TDBGridEh::PressTitleRow(QPoint point, const TGridCoord& cell, Qt::MouseButton button) {
    // A sizing zone reaches a little beyond the last column's cell.
    if (SizingHandleAt(point).col >= 0)
        return StartColumnGesture(point, cell, button);
    if (cell.Y < 0 || cell.Y >= TitleRowCount() || cell.X < IndicatorOffset())
        return false;
    // A right press on a title acts as a left one (column moving takes either button).
    rightPressAsLeft_ = button == Qt::RightButton && options_.Contains(dgColumnResize);
    return StartColumnGesture(point, cell, rightPressAsLeft_ ? Qt::LeftButton : button);
}

void TDBGridEh::PressCorner() {
    if (!selection_.Allows(gstAll) || !dataLink_.Active())
        return;
    if (selection_.SelectionType() != gstNon)
        selection_.Clear();
    else
        selection_.SelectAll();
}

void TDBGridEh::PressDataRow(const TGridCoord& cell, Qt::MouseButton button,
                             Qt::KeyboardModifiers modifiers) {
    const GridUpdateLock lock(*this);
    const bool extends = modifiers.testFlag(Qt::ShiftModifier) && selection_.ShiftExtendsRange();
    if (!extends && cell.Y != row_)
        DataSet()->MoveBy(cell.Y - row_);
    if (cell.X >= IndicatorOffset())
        RequestColumn(cell.X);
    if (selection_.Allows(gstRecordBookmarks))
        SelectPressedRow(cell.Y, button, modifiers);
}

void TDBGridEh::SelectPressedRow(int pressedRow, Qt::MouseButton button,
                                 Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool toggles = ctrl || !optionsEh_.Contains(dghClearSelection);
    selection_.SetSelecting(false);
    if (modifiers.testFlag(Qt::ShiftModifier) && pressedRow != row_) {
        // Shift extends the range of the last gesture, from its anchor, to the pressed row.
        selection_.SetSelecting(true);
        selection_.SetToggleMode(true);
        selection_.StepSelect(true, pressedRow - row_);
    } else if (button == Qt::LeftButton && toggles) {
        selection_.ToggleCurrentRow();
    } else if (button == Qt::LeftButton) {
        selection_.ClearSelection();
        selection_.Rows().SetCurrentRowSelected(true);
    }
    selection_.ArmRowDrag(toggles);
    trackPoint_ = QPoint(-1, -1);
}

// --- Row drag --------------------------------------------------------------------------------

void TDBGridEh::MouseMove(QMouseEvent& event) {
    hintPopup_.MouseMoved();
    UpdateCursor(EventPoint(event, BorderWidth()));
    if (gesture_.Active()) {
        FollowColumnGesture(EventPoint(event, BorderWidth()));
        return;
    }
    const Qt::MouseButtons buttons = event.buttons();
    if (selection_.MouseSelectionMode() != TMouseSelectionMode::Rows)
        return;
    // The release went elsewhere (another window took the mouse): the drag is over.
    if (!(buttons & (Qt::LeftButton | Qt::RightButton))) {
        StopMouseTracking();
        return;
    }
    QPoint point = EventPoint(event, BorderWidth());
    point.setX(std::clamp(point.x(), 0, std::max(ClientWidth() - 1, 0)));
    // Only a left drag that really moved selects; a right drag moves and clears.
    const bool select = point != trackPoint_ && buttons.testFlag(Qt::LeftButton);
    trackPoint_ = point;
    trackSelects_ = buttons.testFlag(Qt::LeftButton);
    FollowMouse(select);
}

void TDBGridEh::FollowMouse(bool select) {
    const int d = DistanceFromDataRows(trackPoint_.y());
    if (d == 0) {
        trackingTimer_.stop();
        const TGridCoord cell = MouseCoord(QPoint(0, trackPoint_.y()));
        if (cell.Y >= TitleRowCount() && cell.Y != row_)
            selection_.StepSelect(select, cell.Y - row_);
        return;
    }
    if (!trackingTimer_.isActive())
        trackingTimer_.start(TrackingInterval(std::abs(d)));
}

int TDBGridEh::DistanceFromDataRows(int y) const {
    const int top = geometry_.RowTop(TitleRowCount());
    const int shownRows =
        std::max(std::min(VisibleDataRowCount(), RowCount() - TitleRowCount()), 1);
    const int bottom = geometry_.RowTop(TitleRowCount() + shownRows);
    if (y < top)
        return y - top;
    if (y >= bottom)
        return y - bottom + 1;
    return 0;
}

void TDBGridEh::TrackingTick() {
    if (selection_.MouseSelectionMode() != TMouseSelectionMode::Rows || !dataLink_.Active())
        return;
    // Without a button held the drag ended where the grid could not see the release.
    if (!(QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton))) {
        StopMouseTracking();
        return;
    }
    const int d = DistanceFromDataRows(trackPoint_.y());
    if (d == 0)
        return;
    const int records = TrackingStep(std::abs(d));
    if (records > 0)
        selection_.StepSelect(trackSelects_, d > 0 ? records : -records);
    trackingTimer_.start(TrackingInterval(std::abs(d)));
}

void TDBGridEh::StopMouseTracking() {
    trackingTimer_.stop();
    selection_.EndMouseGesture();
}

// --- Release ---------------------------------------------------------------------------------

void TDBGridEh::MouseRelease(QMouseEvent& event) {
    event.accept();
    const QPoint point = EventPoint(event, BorderWidth());
    Qt::MouseButton button = event.button();
    if (button == Qt::RightButton && rightPressAsLeft_)
        button = Qt::LeftButton;
    // Only the release of the button that started a gesture ends it.
    const bool sized = button == Qt::LeftButton && FinishColumnGesture(point);
    UpdateCursor(point);
    StopMouseTracking();
    if (event.button() == Qt::RightButton)
        rightPressAsLeft_ = false;
    if (button != Qt::LeftButton || sized)
        return;
    const TGridCoord cell = MouseCoord(point);
    TColumnEh* column = ColumnAt(cell.X);
    if (column == nullptr || cell.Y < 0)
        return;
    if (cell.Y < TitleRowCount()) {
        if (OnTitleClick)
            OnTitleClick(*column);
        return;
    }
    // The empty row of a closed or empty result counts as a visible data row too.
    if (cell.Y - TitleRowCount() < VisibleDataRowCount() && OnCellClick)
        OnCellClick(*column);
}

// --- Hint and cursor -------------------------------------------------------------------------

void TDBGridEh::HideHint() {
    hintPopup_.Cancel();
}

QCursor TDBGridEh::CursorAt(QPoint point) const {
    if (gesture_.State() == TGridState::ColSizing)
        return Qt::SplitHCursor;
    const bool sizingZone = SizingHandleAt(point).col >= 0;
    const TADOQuery* dataSet = DataSet();
    if (!sizingZone && dataLink_.Active() && dataSet != nullptr && !dataSet->IsEmpty() &&
        selection_.Allows(gstRecordBookmarks)) {
        // The indicator of a row that shows a record selects that row.
        const TGridCoord cell = MouseCoord(point);
        const int position = cell.Y - TitleRowCount();
        if (cell.X >= 0 && cell.X < IndicatorOffset() && position >= 0 &&
            position < dataLink_.RecordCount())
            return GridCursors::Load().RowSelect(layoutDirection());
    }
    return QCursor(sizingZone ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TDBGridEh::UpdateCursor(QPoint point) {
    const QCursor shown = CursorAt(point);
    if (shown.shape() != cursor().shape() || shown.shape() == Qt::BitmapCursor)
        setCursor(shown);
}
