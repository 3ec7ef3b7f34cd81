#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class TDBGridEh;
class GridResultRows;

// One cell of the grid's accessible table: a data cell of a row of the result, or a column
// title (row -1). Its name is the cell's text as the grid shows it (it has no value, which a
// reader would speak as well); it is selected when its row is, focused when it is the current
// cell of the focused grid. Its actions do what the mouse does: press is a click on the cell,
// toggle a click with Ctrl, and set focus moves the current record there as the arrow keys do.
class GridAccessibleCell : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleActionInterface {
public:
    static constexpr int TitleRow = -1;

    GridAccessibleCell(TDBGridEh* grid, int row, int column);

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    GridResultRows Rows() const;
    bool IsTitle() const { return row_ == TitleRow; }
    bool IsCurrent() const;

    QPointer<TDBGridEh> grid_;
    int row_;
    int column_;
};
