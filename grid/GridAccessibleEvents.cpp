#include "grid/GridAccessibleEvents.h"

#include "grid/GridResultRows.h"
#include "grid/TDBGridEh.h"
#include "grid/TDBGridEhAccessible.h"
#include "platform/ui/AccessibilityNotices.h"
#include "platform/ui/EventBoundary.h"

#include <QAccessible>

GridAccessibleEvents::GridAccessibleEvents(TDBGridEh& grid) : grid_(grid) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] { RunHandler([this] { Flush(); }); });
}

void GridAccessibleEvents::InstallFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(&TDBGridEhAccessible::Factory);
        return true;
    }();
    (void)installed;
}

void GridAccessibleEvents::Schedule() {
    if (!timer_.isActive())
        timer_.start();
}

void GridAccessibleEvents::ResultReplaced() {
    reset_ = true;
    Schedule();
}

void GridAccessibleEvents::RowsChanged() {
    moved_ = true;
    Schedule();
}

void GridAccessibleEvents::SelectionChanged() {
    selection_ = true;
    Schedule();
}

void GridAccessibleEvents::DescriptionChanged() {
    QAccessibleEvent event(&grid_, QAccessible::DescriptionChanged);
    NotifyAccessibility(event);
}

void GridAccessibleEvents::FocusIn() {
    // Qt tells of the grid itself taking the focus after focusInEvent returns; the current
    // cell told at the next turn comes after it, so a reader ends on the cell.
    focused_ = true;
    Schedule();
}

void GridAccessibleEvents::Flush() {
    timer_.stop();
    const GridResultRows rows(grid_);
    const int count = rows.RowCount();
    const int current = rows.CurrentRow();
    if (reset_ || count != rowCount_) {
        QAccessibleTableModelChangeEvent event(&grid_,
                                               QAccessibleTableModelChangeEvent::ModelReset);
        NotifyAccessibility(event);
        rowCount_ = count;
        // The entry current in the new result is told too, even at the same row number.
        moved_ = true;
        currentRow_ = -1;
    }
    if (selection_) {
        QAccessibleEvent event(&grid_, QAccessible::SelectionWithin);
        NotifyAccessibility(event);
    }
    if ((focused_ || (moved_ && current != currentRow_)) && grid_.hasFocus())
        FocusCurrentCell();
    reset_ = moved_ = selection_ = focused_ = false;
}

void GridAccessibleEvents::FocusCurrentCell() {
    const GridResultRows rows(grid_);
    currentRow_ = rows.CurrentRow();
    if (currentRow_ < 0)
        return;
    QAccessibleEvent event(&grid_, QAccessible::Focus);
    event.setChild(
        TDBGridEhAccessible::CellIndex(currentRow_, rows.CurrentColumn(), rows.ColumnCount()));
    NotifyAccessibility(event);
}
