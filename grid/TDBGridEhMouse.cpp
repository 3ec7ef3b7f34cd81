// The mouse over the grid: a press on a data row makes its record current, the release of a
// left click fires OnCellClick or OnTitleClick, and resting the mouse shows the grid's hint.
#include "grid/TDBGridEh.h"

#include "data/TADOQuery.h"
#include "grid/ShortHint.h"

#include <QCursor>
#include <QMouseEvent>
#include <QToolTip>

#include <utility>

namespace {

QPoint EventPoint(const QMouseEvent& event, int border) {
    return event.position().toPoint() - QPoint(border, border);
}

} // namespace

void TDBGridEh::MousePress(QMouseEvent& event, bool doubleClick) {
    HideHint();
    event.accept();
    const Qt::MouseButton button = event.button();
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    if (!TakeFocus())
        return;
    // The second press of a double click leaves the record where the first one put it.
    if (doubleClick)
        return;
    const TGridCoord cell = MouseCoord(EventPoint(event, BorderWidth()));
    if (cell.Y >= titleRowCount_ && cell.Y < rowCount_ && dataLink_.Active())
        PressDataRow(cell.Y);
}

void TDBGridEh::PressDataRow(int row) {
    BeginUpdate();
    struct Release {
        TDBGridEh& grid;
        ~Release() { grid.EndUpdate(); }
    } release{*this};
    TADOQuery* dataSet = DataSet();
    if (dataSet != nullptr && row != row_)
        dataSet->MoveBy(row - row_);
}

void TDBGridEh::MouseRelease(QMouseEvent& event) {
    event.accept();
    const Qt::MouseButton button = event.button();
    if (button != Qt::LeftButton)
        return;
    const TGridCoord cell = MouseCoord(EventPoint(event, BorderWidth()));
    TColumnEh* column = ColumnAt(cell.X);
    if (column == nullptr || cell.Y < 0)
        return;
    if (cell.Y < titleRowCount_) {
        if (OnTitleClick)
            OnTitleClick(*column);
        return;
    }
    // The empty row of a closed or empty result counts as a visible data row too.
    if (cell.Y - titleRowCount_ < VisibleDataRowCount() && OnCellClick)
        OnCellClick(*column);
}

// --- Hint ----------------------------------------------------------------------------------

void TDBGridEh::RestartHintPause() {
    // The hint area is the whole grid: a shown hint stays while the mouse moves over it.
    if (hintShown_ && QToolTip::isVisible())
        return;
    hintShown_ = false;
    hintTimer_.start();
}

void TDBGridEh::ShowHintText() {
    // The pause ends only while the mouse is over the grid: leaving it stops the pause.
    if (!showHint_)
        return;
    const QString text = GetShortHint(hint_);
    if (text.isEmpty())
        return;
    QToolTip::showText(QCursor::pos(), text, this, rect(), HintHidePause);
    hintShown_ = true;
}

void TDBGridEh::HideHint() {
    hintTimer_.stop();
    if (std::exchange(hintShown_, false))
        QToolTip::hideText();
}
