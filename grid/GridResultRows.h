#pragma once

#include <QString>

#include <vector>

class TColumnEh;
class TDBGridEh;

// The grid's rows as the whole result of its data set, for a reader that names a record by its
// place in the result (row 0 is the first record) rather than by the row window: the grid's
// accessible table. A row inside the row window is read from the window as painting reads it,
// an unposted change included; any other row is read through the data set without moving the
// current record. The columns are the visible data columns in the order shown.
//
// The commands change the grid as the keyboard and the mouse do, through the same gestures.
class GridResultRows {
public:
    explicit GridResultRows(TDBGridEh& grid) : grid_(grid) {}

    // 0 while the data set is closed.
    int RowCount() const;
    int ColumnCount() const;
    // The data column shown as column c, or nullptr.
    TColumnEh* Column(int c) const;
    // The current record's row, or -1 (also when the data set fails to tell it).
    int CurrentRow() const;
    // The column of the grid's current column (0 when it is not a visible data column).
    int CurrentColumn() const;

    // The cell's text as the grid shows it (a phone through its mask), a hidden duplicate as the
    // text it stands for; empty outside the result.
    QString CellText(int row, int c) const;
    // The title caption of column c.
    QString ColumnTitle(int c) const;
    bool RowSelected(int row) const;
    // The first selected rows in order, at most limit of them, and how many rows are selected
    // in all; both leave out a selected record that is no longer in the result.
    struct Selected {
        std::vector<int> rows;
        int count = 0;
    };
    Selected SelectedRows(int limit) const;
    // The row's position in the row window, or -1 when it lies outside.
    int WindowPosition(int row) const;
    // The grid column (indicator included) that shows column c, or -1.
    int GridColumn(int c) const;
    // The column shown in grid column gridCol, or -1 when that is no visible data column.
    int ColumnOf(int gridCol) const;

    // Makes the row current as the arrow keys do: the selection is cleared.
    void MoveTo(int row);
    // What a left click on the cell does: the cell becomes current, the selection holds just
    // it (or it is toggled when clicks add to the selection), and OnCellClick fires.
    void Click(int row, int c);
    // Makes the row current and lists it in the selection, or takes it out, as a click with
    // Ctrl does; true when the row is then selected as asked. Without multi-row selection the
    // current row is the selected one.
    bool SetRowSelected(int row, bool selected);

private:
    std::vector<int> VisibleGridColumns() const;
    // Moves the current record to the row, leaving the selection alone (the right button's move).
    void GoTo(int row);
    // Runs read with the row's record standing in for the current one.
    void ReadRow(int row, const auto& read) const;

    TDBGridEh& grid_;
};
