#pragma once

#include <QAccessibleWidget>
#include <QHash>

class TDBGridEh;
class GridResultRows;

// The grid as assistive technology sees it: a table over the whole result, not only the rows
// painted. Its children are the column titles (the first ColumnCount children), then the data
// cells row by row; they are made when first asked for and kept until the result changes. The
// name is the grid's accessible name; the description is the hint the grid shows.
class TDBGridEhAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TDBGridEhAccessible(TDBGridEh* grid);
    ~TDBGridEhAccessible() override;

    // The factory Qt asks for the interface of a TDBGridEh.
    static QAccessibleInterface* Factory(const QString& className, QObject* object);
    // The selected rows (and their cells) are listed up to this many, the first in the result;
    // the counts are the true ones. Everything selected in a result of a million rows would
    // otherwise make a million-entry list, and three million cells, on every question, and
    // Qt's bridge to the accessibility bus asks after each change of the selection. A reader
    // learns of rows beyond the list by asking each row whether it is selected.
    static constexpr int MaxSelectedRowsListed = 256;
    // The child index of a data cell.
    static int CellIndex(int row, int column, int columnCount) {
        return columnCount + row * columnCount + column;
    }

    TDBGridEh* Grid() const;

    // QAccessibleInterface
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedCellCount() const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    GridResultRows Rows() const;
    // Selects or unselects the row as the keys and the mouse do, through the event boundary.
    bool SetRowSelected(int row, bool selected);
    // Drops the children made so far; the next question makes them anew.
    void ForgetChildren();

    mutable QHash<int, QAccessible::Id> children_;
};
