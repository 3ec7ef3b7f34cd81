#include "grid/GridResultRows.h"

#include "data/TADOQuery.h"
#include "grid/ActiveRecordGuard.h"
#include "grid/GridCellParams.h"
#include "grid/TDBGridEh.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool LinkOpen(const TDBGridEh& grid) {
    return grid.DataLink().Active() && grid.DataSet() != nullptr;
}

// The answer of read, or fallback when the data set fails. Assistive technology asks from
// Qt's event handling and the accessibility bus, where an exception would end the program;
// a reader asking where the grid stands is not the place to report that the database failed,
// the next command that needs it reports the failure.
template <typename T> T UnlessFailing(T fallback, const auto& read) {
    try {
        return read();
    } catch (const Exception&) {
        return fallback;
    }
}

} // namespace

int GridResultRows::RowCount() const {
    if (!LinkOpen(grid_))
        return 0;
    return UnlessFailing(0, [&] { return static_cast<int>(grid_.DataSet()->RecordCount()); });
}

std::vector<int> GridResultRows::VisibleGridColumns() const {
    std::vector<int> cols;
    for (int col = grid_.IndicatorOffset(); col < grid_.ColCount(); ++col) {
        const TColumnEh* column = grid_.ColumnAt(col);
        if (column != nullptr && column->Visible())
            cols.push_back(col);
    }
    return cols;
}

int GridResultRows::ColumnCount() const {
    return static_cast<int>(VisibleGridColumns().size());
}

int GridResultRows::GridColumn(int c) const {
    const std::vector<int> cols = VisibleGridColumns();
    return c >= 0 && c < static_cast<int>(cols.size()) ? cols[static_cast<std::size_t>(c)] : -1;
}

TColumnEh* GridResultRows::Column(int c) const {
    const int col = GridColumn(c);
    return col < 0 ? nullptr : grid_.ColumnAt(col);
}

int GridResultRows::CurrentRow() const {
    if (!LinkOpen(grid_))
        return -1;
    const long recNo = UnlessFailing(-1L, [&] { return grid_.DataSet()->RecNo(); });
    return recNo > 0 ? static_cast<int>(recNo - 1) : -1;
}

int GridResultRows::ColumnOf(int gridCol) const {
    const std::vector<int> cols = VisibleGridColumns();
    const auto found = std::find(cols.begin(), cols.end(), gridCol);
    return found == cols.end() ? -1 : static_cast<int>(found - cols.begin());
}

int GridResultRows::CurrentColumn() const {
    return std::max(ColumnOf(grid_.Col()), 0);
}

int GridResultRows::WindowPosition(int row) const {
    const int current = CurrentRow();
    if (current < 0)
        return -1;
    const int position = grid_.DataLink().ActiveRecord() + row - current;
    return position >= 0 && position < grid_.DataLink().RecordCount() ? position : -1;
}

void GridResultRows::ReadRow(int row, const auto& read) const {
    try {
        const int position = WindowPosition(row);
        if (position >= 0) {
            const ActiveRecordGuard guard(grid_.DataLink(), position);
            read(grid_.TitleRowCount() + position);
            return;
        }
        // A record outside the window has no grid row.
        grid_.DataSet()->ReadRecordAt(row + 1, [&] { read(-1); });
    } catch (const Exception&) {
        // A reader asking about a row is not the place to report that the database failed;
        // the row reads as empty, and the next command that needs it reports the failure.
    }
}

QString GridResultRows::CellText(int row, int c) const {
    const int col = GridColumn(c);
    if (col < 0 || row < 0 || row >= RowCount())
        return {};
    TColumnEh& column = *grid_.ColumnAt(col);
    QString text;
    ReadRow(row, [&](int gridRow) {
        text = DataCellParams(grid_, column, col, gridRow, {}, column.Color()).Text;
    });
    return text;
}

QString GridResultRows::ColumnTitle(int c) const {
    const TColumnEh* column = Column(c);
    return column != nullptr ? column->Title().Caption() : QString();
}

bool GridResultRows::RowSelected(int row) const {
    const TDBGridEhSelection& selection = grid_.Selection();
    if (row < 0 || row >= RowCount())
        return false;
    if (selection.AllSelected())
        return true;
    if (selection.SelectionType() != gstRecordBookmarks)
        return false;
    bool selected = false;
    ReadRow(row, [&](int) { selected = selection.DataCellSelected(); });
    return selected;
}

GridResultRows::Selected GridResultRows::SelectedRows(int limit) const {
    Selected selected;
    const TDBGridEhSelection& selection = grid_.Selection();
    if (selection.AllSelected()) {
        selected.count = RowCount();
        for (int row = 0; row < std::min(limit, selected.count); ++row)
            selected.rows.push_back(row);
        return selected;
    }
    if (selection.SelectionType() != gstRecordBookmarks || !LinkOpen(grid_))
        return selected;
    // The list keeps the data set's bookmark order, which is the order of the result. Each
    // bookmark is looked up, so that a record filtered out or deleted since it was selected
    // is neither listed nor counted.
    for (const TBookmark& bookmark : selection.Rows()) {
        const long recNo = grid_.DataSet()->RecNoOf(bookmark);
        if (recNo <= 0)
            continue;
        ++selected.count;
        if (static_cast<int>(selected.rows.size()) < limit)
            selected.rows.push_back(static_cast<int>(recNo - 1));
    }
    std::sort(selected.rows.begin(), selected.rows.end());
    return selected;
}

void GridResultRows::GoTo(int row) {
    const int current = CurrentRow();
    if (row < 0 || row >= RowCount() || current < 0 || row == current)
        return;
    TADOQuery& dataSet = *grid_.DataSet();
    // A near row is reached as the keys reach it, so the rows scroll the same way; a far one
    // is put in the middle of the window.
    if (std::abs(row - current) <= grid_.WindowCapacity())
        dataSet.MoveBy(row - current);
    else
        dataSet.SetRecNo(row + 1);
}

void GridResultRows::MoveTo(int row) {
    if (row < 0 || row >= RowCount())
        return;
    grid_.Selection().ClearSelection();
    GoTo(row);
}

void GridResultRows::Click(int row, int c) {
    TColumnEh* column = Column(c);
    if (column == nullptr || row < 0 || row >= RowCount())
        return;
    GoTo(row);
    grid_.RequestColumn(GridColumn(c));
    TDBGridEhSelection& selection = grid_.Selection();
    if (selection.Allows(gstRecordBookmarks)) {
        // Where clicks add to the selection, every click is one with Ctrl.
        if (!grid_.OptionsEh().Contains(dghClearSelection)) {
            selection.CtrlClickCurrentRow();
        } else {
            selection.ClearSelection();
            selection.Rows().SetCurrentRowSelected(true);
        }
    }
    if (grid_.OnCellClick)
        grid_.OnCellClick(*column);
}

bool GridResultRows::SetRowSelected(int row, bool selected) {
    if (row < 0 || row >= RowCount())
        return false;
    GoTo(row);
    TDBGridEhSelection& selection = grid_.Selection();
    if (!selection.Allows(gstRecordBookmarks))
        return selected;
    if (selection.AllSelected()) {
        if (selected)
            return true;
        selection.Clear();
    }
    selection.CtrlClickCurrentRow(selected);
    return RowSelected(row) == selected;
}
