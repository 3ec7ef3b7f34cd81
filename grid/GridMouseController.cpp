#include "grid/GridMouseController.h"

#include "data/TADOQuery.h"
#include "grid/GridCursors.h"
#include "grid/GridLocks.h"
#include "grid/TDBGridEh.h"
#include "platform/ui/EventBoundary.h"

#include <QGuiApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

namespace {

// One notch of the wheel.
constexpr int WheelStep = 120;

} // namespace

GridMouseController::GridMouseController(TDBGridEh& grid) : grid_(grid), columns_(grid) {
    trackingTimer_.setParent(&grid);
    trackingTimer_.setSingleShot(true);
    trackingTimer_.setObjectName(QStringLiteral("TrackingTimer"));
    QObject::connect(&trackingTimer_, &QTimer::timeout, &grid,
                     [this] { RunHandler([&] { TrackingTick(); }); });
}

QPoint GridMouseController::ClientPoint(const QMouseEvent& event) const {
    const int border = grid_.BorderWidth();
    return event.position().toPoint() - QPoint(border, border);
}

// --- Press -------------------------------------------------------------------------------------

void GridMouseController::Press(QMouseEvent& event, bool doubleClick) {
    grid_.HideHint();
    event.accept();
    // Another button pressed during a column gesture leaves the gesture alone.
    if (columns_.Active())
        return;
    const Qt::MouseButton button = event.button();
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    if (!grid_.TakeFocus())
        return;
    // The second press of a double click leaves the record and the selection as they are.
    if (doubleClick)
        return;
    const QPoint point = ClientPoint(event);
    const TGridCoord cell = grid_.MouseCoord(point);
    if (PressTitleRow(point, cell, button)) {
        UpdateCursor(point);
        return;
    }
    if (cell.X == 0 && cell.Y == 0 && grid_.IndicatorOffset() == 1 && grid_.TitleRowCount() == 1) {
        grid_.Selection().ToggleAll();
        return;
    }
    if (cell.Y >= grid_.TitleRowCount() && cell.Y < grid_.RowCount() && grid_.DataLink().Active())
        PressDataRow(cell, button, event.modifiers());
}

bool GridMouseController::PressTitleRow(QPoint point, const TGridCoord& cell,
                                        Qt::MouseButton button) {
    // A sizing zone reaches a little beyond the last column's cell.
    if (columns_.SizingHandleAt(point).col >= 0)
        return columns_.Start(point, cell, button);
    if (cell.Y < 0 || cell.Y >= grid_.TitleRowCount() || cell.X < grid_.IndicatorOffset())
        return false;
    // A right press on a title acts as a left one (column moving takes either button).
    rightPressAsLeft_ = button == Qt::RightButton && grid_.Options().Contains(dgColumnResize);
    return columns_.Start(point, cell, rightPressAsLeft_ ? Qt::LeftButton : button);
}

void GridMouseController::PressDataRow(const TGridCoord& cell, Qt::MouseButton button,
                                       Qt::KeyboardModifiers modifiers) {
    const GridUpdateLock lock(grid_);
    const TDBGridEhSelection& selection = grid_.Selection();
    const bool extends = modifiers.testFlag(Qt::ShiftModifier) && selection.ShiftExtendsRange();
    if (!extends && cell.Y != grid_.Row())
        grid_.DataSet()->MoveBy(cell.Y - grid_.Row());
    if (cell.X >= grid_.IndicatorOffset())
        grid_.RequestColumn(cell.X);
    if (selection.Allows(gstRecordBookmarks))
        SelectPressedRow(cell.Y, button, modifiers);
}

void GridMouseController::SelectPressedRow(int pressedRow, Qt::MouseButton button,
                                           Qt::KeyboardModifiers modifiers) {
    TDBGridEhSelection& selection = grid_.Selection();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool toggles = ctrl || !grid_.OptionsEh().Contains(dghClearSelection);
    selection.SetSelecting(false);
    if (modifiers.testFlag(Qt::ShiftModifier) && pressedRow != grid_.Row()) {
        // Shift extends the range of the last gesture, from its anchor, to the pressed row.
        selection.SetSelecting(true);
        selection.SetToggleMode(true);
        selection.StepSelect(true, pressedRow - grid_.Row());
    } else if (button == Qt::LeftButton && toggles) {
        selection.CtrlClickCurrentRow();
    } else if (button == Qt::LeftButton) {
        selection.ClearSelection();
        selection.Rows().SetCurrentRowSelected(true);
    }
    selection.ArmRowDrag(toggles);
    trackPoint_ = QPoint(-1, -1);
}

// --- Row drag ----------------------------------------------------------------------------------

void GridMouseController::Move(QMouseEvent& event) {
    grid_.hintPopup_.MouseMoved();
    UpdateCursor(ClientPoint(event));
    if (columns_.Active()) {
        columns_.Follow(ClientPoint(event));
        return;
    }
    const Qt::MouseButtons buttons = event.buttons();
    if (grid_.Selection().MouseSelectionMode() != TMouseSelectionMode::Rows)
        return;
    // The release went elsewhere (another window took the mouse): the drag is over.
    if (!(buttons & (Qt::LeftButton | Qt::RightButton))) {
        StopTracking();
        return;
    }
    QPoint point = ClientPoint(event);
    point.setX(std::clamp(point.x(), 0, std::max(grid_.ClientWidth() - 1, 0)));
    // Only a left drag that really moved selects; a right drag moves and clears.
    const bool select = point != trackPoint_ && buttons.testFlag(Qt::LeftButton);
    trackPoint_ = point;
    trackSelects_ = buttons.testFlag(Qt::LeftButton);
    FollowMouse(select);
}

void GridMouseController::FollowMouse(bool select) {
    const int d = DistanceFromDataRows(trackPoint_.y());
    if (d == 0) {
        trackingTimer_.stop();
        const TGridCoord cell = grid_.MouseCoord(QPoint(0, trackPoint_.y()));
        if (cell.Y >= grid_.TitleRowCount() && cell.Y != grid_.Row())
            grid_.Selection().StepSelect(select, cell.Y - grid_.Row());
        return;
    }
    if (!trackingTimer_.isActive())
        trackingTimer_.start(TDBGridEh::TrackingInterval(std::abs(d)));
}

int GridMouseController::DistanceFromDataRows(int y) const {
    const GridGeometry& geometry = grid_.geometry_;
    const int titleRows = geometry.TitleRowCount();
    const int top = geometry.RowTop(titleRows);
    const int shownRows =
        std::max(std::min(grid_.VisibleDataRowCount(), geometry.RowCount() - titleRows), 1);
    const int bottom = geometry.RowTop(titleRows + shownRows);
    if (y < top)
        return y - top;
    if (y >= bottom)
        return y - bottom + 1;
    return 0;
}

void GridMouseController::TrackingTick() {
    TDBGridEhSelection& selection = grid_.Selection();
    if (selection.MouseSelectionMode() != TMouseSelectionMode::Rows || !grid_.DataLink().Active())
        return;
    // Without a button held the drag ended where the grid could not see the release.
    if (!(QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton))) {
        StopTracking();
        return;
    }
    const int d = DistanceFromDataRows(trackPoint_.y());
    if (d == 0)
        return;
    const int records = TDBGridEh::TrackingStep(std::abs(d));
    if (records > 0)
        selection.StepSelect(trackSelects_, d > 0 ? records : -records);
    trackingTimer_.start(TDBGridEh::TrackingInterval(std::abs(d)));
}

void GridMouseController::StopTracking() {
    trackingTimer_.stop();
    grid_.Selection().EndMouseGesture();
}

// --- Release -----------------------------------------------------------------------------------

void GridMouseController::Release(QMouseEvent& event) {
    event.accept();
    const QPoint point = ClientPoint(event);
    Qt::MouseButton button = event.button();
    if (button == Qt::RightButton && rightPressAsLeft_)
        button = Qt::LeftButton;
    // Only the release of the button that started a gesture ends it.
    const bool sized = button == Qt::LeftButton && columns_.Finish(point);
    UpdateCursor(point);
    StopTracking();
    if (event.button() == Qt::RightButton)
        rightPressAsLeft_ = false;
    if (button == Qt::LeftButton && !sized)
        Click(point);
}

void GridMouseController::Click(QPoint point) {
    const TGridCoord cell = grid_.MouseCoord(point);
    TColumnEh* column = grid_.ColumnAt(cell.X);
    if (column == nullptr || cell.Y < 0)
        return;
    if (cell.Y < grid_.TitleRowCount()) {
        if (grid_.OnTitleClick)
            grid_.OnTitleClick(*column);
        return;
    }
    // The empty row of a closed or empty result counts as a visible data row too.
    if (cell.Y - grid_.TitleRowCount() < grid_.VisibleDataRowCount() && grid_.OnCellClick)
        grid_.OnCellClick(*column);
}

// --- Wheel -------------------------------------------------------------------------------------

void GridMouseController::Wheel(int delta) {
    TADOQuery* dataSet = grid_.DataSet();
    if (!grid_.DataLink().Active() || dataSet == nullptr)
        return;
    wheelDelta_ += delta;
    // Turning the wheel away from the user (a positive delta) goes towards the beginning.
    while (wheelDelta_ >= WheelStep) {
        wheelDelta_ -= WheelStep;
        dataSet->MoveBy(-1);
    }
    while (wheelDelta_ <= -WheelStep) {
        wheelDelta_ += WheelStep;
        dataSet->MoveBy(1);
    }
}

// --- Cursor ------------------------------------------------------------------------------------

void GridMouseController::CancelColumnGesture() {
    if (!columns_.Cancel())
        return;
    const int border = grid_.BorderWidth();
    UpdateCursor(grid_.mapFromGlobal(QCursor::pos()) - QPoint(border, border));
}

QCursor GridMouseController::CursorAt(QPoint point) const {
    if (columns_.Gesture().State() == TGridState::ColSizing)
        return Qt::SplitHCursor;
    const bool sizingZone = columns_.SizingHandleAt(point).col >= 0;
    const TADOQuery* dataSet = grid_.DataSet();
    if (!sizingZone && grid_.DataLink().Active() && dataSet != nullptr && !dataSet->IsEmpty() &&
        grid_.Selection().Allows(gstRecordBookmarks)) {
        // The indicator of a row that shows a record selects that row.
        const TGridCoord cell = grid_.MouseCoord(point);
        const int position = cell.Y - grid_.TitleRowCount();
        if (cell.X >= 0 && cell.X < grid_.IndicatorOffset() && position >= 0 &&
            position < grid_.DataLink().RecordCount())
            return GridCursors::Load().RowSelect(grid_.layoutDirection());
    }
    return QCursor(sizingZone ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void GridMouseController::UpdateCursor(QPoint point) {
    const QCursor shown = CursorAt(point);
    if (shown.shape() != grid_.cursor().shape() || shown.shape() == Qt::BitmapCursor)
        grid_.setCursor(shown);
}
