#include "grid/TDBGridEhAccessible.h"

#include "grid/GridAccessibleCell.h"
#include "grid/GridResultRows.h"
#include "grid/ShortHint.h"
#include "grid/TDBGridEh.h"
#include "platform/ui/EventBoundary.h"

TDBGridEhAccessible::TDBGridEhAccessible(TDBGridEh* grid)
    : QAccessibleWidget(grid, QAccessible::Table) {
}

TDBGridEhAccessible::~TDBGridEhAccessible() {
    ForgetChildren();
}

QAccessibleInterface* TDBGridEhAccessible::Factory(const QString& className, QObject* object) {
    if (className == QLatin1StringView("TDBGridEh") && object != nullptr && object->isWidgetType())
        return new TDBGridEhAccessible(static_cast<TDBGridEh*>(object));
    return nullptr;
}

TDBGridEh* TDBGridEhAccessible::Grid() const {
    return static_cast<TDBGridEh*>(widget());
}

GridResultRows TDBGridEhAccessible::Rows() const {
    return GridResultRows(*Grid());
}

void TDBGridEhAccessible::ForgetChildren() {
    for (const QAccessible::Id id : std::as_const(children_))
        QAccessible::deleteAccessibleInterface(id);
    children_.clear();
}

QString TDBGridEhAccessible::text(QAccessible::Text t) const {
    // The hint a sighted user sees when resting the mouse over the grid.
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
        return GetShortHint(Grid()->Hint());
    return QAccessibleWidget::text(t);
}

// --- Children --------------------------------------------------------------------------------

int TDBGridEhAccessible::childCount() const {
    const GridResultRows rows = Rows();
    const int columns = rows.ColumnCount();
    return columns + rows.RowCount() * columns;
}

QAccessibleInterface* TDBGridEhAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns == 0 || index >= childCount())
        return nullptr;
    if (const auto found = children_.constFind(index); found != children_.cend())
        return QAccessible::accessibleInterface(*found);
    const int row = index / columns - 1;
    auto* cell = new GridAccessibleCell(Grid(), row, index % columns);
    children_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int TDBGridEhAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const QAccessibleTableCellInterface* cell =
        child != nullptr ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (cell == nullptr || child->parent() == nullptr || child->parent()->object() != Grid())
        return -1;
    return CellIndex(cell->rowIndex(), cell->columnIndex(), columnCount());
}

QAccessibleInterface* TDBGridEhAccessible::childAt(int x, int y) const {
    TDBGridEh* grid = Grid();
    // The client area lies inside a one-pixel border.
    const TGridCoord cell = grid->MouseCoord(grid->mapFromGlobal(QPoint(x, y)) - QPoint(1, 1));
    const GridResultRows rows = Rows();
    const int column = rows.ColumnOf(cell.X);
    if (column < 0)
        return nullptr;
    if (cell.Y < grid->TitleRowCount())
        return child(column);
    const int position = cell.Y - grid->TitleRowCount();
    const int current = rows.CurrentRow();
    if (current < 0 || position >= grid->DataLink().RecordCount())
        return nullptr;
    return cellAt(current + position - grid->DataLink().ActiveRecord(), column);
}

QAccessibleInterface* TDBGridEhAccessible::focusChild() const {
    const GridResultRows rows = Rows();
    if (!Grid()->hasFocus() || rows.CurrentRow() < 0)
        return nullptr;
    return cellAt(rows.CurrentRow(), rows.CurrentColumn());
}

void* TDBGridEhAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

// --- The table ---------------------------------------------------------------------------------

QAccessibleInterface* TDBGridEhAccessible::cellAt(int row, int column) const {
    const int columns = columnCount();
    if (row < 0 || column < 0 || column >= columns || row >= rowCount())
        return nullptr;
    return child(CellIndex(row, column, columns));
}

QString TDBGridEhAccessible::columnDescription(int column) const {
    return Rows().ColumnTitle(column);
}

QString TDBGridEhAccessible::rowDescription(int) const {
    return {};
}

int TDBGridEhAccessible::columnCount() const {
    return Rows().ColumnCount();
}

int TDBGridEhAccessible::rowCount() const {
    return Rows().RowCount();
}

int TDBGridEhAccessible::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

int TDBGridEhAccessible::selectedRowCount() const {
    return Rows().SelectedRows(0).count;
}

QList<QAccessibleInterface*> TDBGridEhAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    const int columns = columnCount();
    for (const int row : selectedRows()) {
        for (int column = 0; column < columns; ++column)
            cells.append(cellAt(row, column));
    }
    return cells;
}

QList<int> TDBGridEhAccessible::selectedRows() const {
    const std::vector<int> rows = Rows().SelectedRows(MaxSelectedRowsListed).rows;
    return QList<int>(rows.begin(), rows.end());
}

bool TDBGridEhAccessible::isRowSelected(int row) const {
    return Rows().RowSelected(row);
}

bool TDBGridEhAccessible::selectRow(int row) {
    return SetRowSelected(row, true);
}

bool TDBGridEhAccessible::unselectRow(int row) {
    return SetRowSelected(row, false);
}

bool TDBGridEhAccessible::SetRowSelected(int row, bool selected) {
    bool done = false;
    RunHandler([&] {
        GridResultRows rows = Rows();
        done = rows.SetRowSelected(row, selected);
    });
    return done;
}

void TDBGridEhAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    // Children are named by their row: a new or changed result gives the rows other records.
    ForgetChildren();
}
