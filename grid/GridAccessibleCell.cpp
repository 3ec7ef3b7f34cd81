#include "grid/GridAccessibleCell.h"

#include "grid/GridResultRows.h"
#include "grid/TDBGridEh.h"
#include "grid/TDBGridEhAccessible.h"
#include "platform/ui/EventBoundary.h"

#include <QWidget>

GridAccessibleCell::GridAccessibleCell(TDBGridEh* grid, int row, int column)
    : grid_(grid), row_(row), column_(column) {
}

GridResultRows GridAccessibleCell::Rows() const {
    return GridResultRows(*grid_);
}

bool GridAccessibleCell::isValid() const {
    if (grid_ == nullptr)
        return false;
    const GridResultRows rows = Rows();
    return column_ < rows.ColumnCount() && row_ < rows.RowCount();
}

QWindow* GridAccessibleCell::window() const {
    return grid_ != nullptr ? grid_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GridAccessibleCell::parent() const {
    return grid_ != nullptr ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
}

QString GridAccessibleCell::text(QAccessible::Text t) const {
    // The text is the name only: a value repeating it would be spoken twice.
    if (!isValid() || t != QAccessible::Name)
        return {};
    const GridResultRows rows = Rows();
    return IsTitle() ? rows.ColumnTitle(column_) : rows.CellText(row_, column_);
}

QRect GridAccessibleCell::rect() const {
    if (!isValid())
        return {};
    const GridResultRows rows = Rows();
    int gridRow = 0;
    if (!IsTitle()) {
        const int position = rows.WindowPosition(row_);
        if (position < 0)
            return {};
        gridRow = grid_->TitleRowCount() + position;
    }
    const TRect cell = grid_->CellRect(rows.GridColumn(column_), gridRow);
    // Client coordinates lie inside the grid's one-pixel border.
    const QRect local(cell.Left + 1, cell.Top + 1, cell.Right - cell.Left, cell.Bottom - cell.Top);
    if (local.isEmpty())
        return {};
    return QRect(grid_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role GridAccessibleCell::role() const {
    return IsTitle() ? QAccessible::ColumnHeader : QAccessible::Cell;
}

bool GridAccessibleCell::IsCurrent() const {
    const GridResultRows rows = Rows();
    return !IsTitle() && row_ == rows.CurrentRow() && column_ == rows.CurrentColumn();
}

QAccessible::State GridAccessibleCell::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (rect().isEmpty())
        state.invisible = state.offscreen = true;
    if (IsTitle())
        return state;
    state.selectable = true;
    state.focusable = true;
    state.multiSelectable = grid_->Selection().MultiSelect();
    const bool current = IsCurrent();
    state.selected = Rows().RowSelected(row_);
    state.focused = current && grid_->hasFocus();
    state.active = current;
    return state;
}

void* GridAccessibleCell::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    if (t == QAccessible::ActionInterface && !IsTitle())
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

bool GridAccessibleCell::isSelected() const {
    return isValid() && !IsTitle() && Rows().RowSelected(row_);
}

QList<QAccessibleInterface*> GridAccessibleCell::columnHeaderCells() const {
    QAccessibleInterface* table = parent();
    if (table == nullptr || IsTitle())
        return {};
    return {table->child(column_)};
}

QStringList GridAccessibleCell::actionNames() const {
    QStringList names{pressAction(), setFocusAction()};
    if (grid_ != nullptr && grid_->Selection().Allows(gstRecordBookmarks))
        names.append(toggleAction());
    return names;
}

void GridAccessibleCell::doAction(const QString& actionName) {
    if (!isValid() || IsTitle())
        return;
    RunHandler([&] {
        GridResultRows rows = Rows();
        if (actionName == setFocusAction()) {
            grid_->setFocus(Qt::OtherFocusReason);
            rows.MoveTo(row_);
        } else if (actionName == pressAction()) {
            rows.Click(row_, column_);
        } else if (actionName == toggleAction()) {
            rows.SetRowSelected(row_, !rows.RowSelected(row_));
        }
    });
}

QStringList GridAccessibleCell::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction())
        return {QStringLiteral("Space")};
    if (actionName == toggleAction())
        return {QStringLiteral("Ctrl+Space")};
    return {};
}
