// The grid's generic text search over its data set's records, one column or every fully
// visible column of each record, upward, downward or from the first record.
#include "grid/GridTextSearch.h"

#include "data/TADOQuery.h"
#include "grid/GridColumnAxis.h"
#include "grid/GridSearchRequest.h"
#include "grid/SearchTextMatcher.h"
#include "grid/TDBGridEh.h"

#include <algorithm>

namespace {

// The cells a search visits: the current record's cell in column index column_, stepping
// record by record, or with all columns cell by cell through the first `columns` columns.
class CellScan {
public:
    CellScan(TDBGridEh& grid, const TGridSearchRequest& request, int column, int columns)
        : grid_(grid), dataSet_(*grid.DataSet()), column_(column), columns_(columns),
          up_(request.direction == gsdUp), allColumns_(request.options.Contains(gsoAllColumns)),
          displayText_(request.options.Contains(gsoDisplayText)) {}

    // The data set's own mark of its end in the searched direction.
    bool AtEnd() const { return up_ ? dataSet_.Bof() : dataSet_.Eof(); }

    // The next cell in the searched direction; with all columns the column moves first.
    void Advance() {
        if (!allColumns_) {
            up_ ? dataSet_.Prior() : dataSet_.Next();
        } else if (up_) {
            if (column_ <= 0) {
                dataSet_.Prior();
                column_ = columns_ - 1;
            } else {
                --column_;
            }
        } else if (column_ >= columns_ - 1) {
            dataSet_.Next();
            column_ = 0;
        } else {
            ++column_;
        }
    }

    bool CellMatches(const SearchTextMatcher& matcher) const {
        const TDBGridColumnsEh& columns = grid_.Columns();
        if (column_ < 0 || column_ >= columns.Count())
            return false;
        const TColumnEh& column = columns[column_];
        // A hidden column is not on screen to be found in.
        if (!column.Visible())
            return false;
        if (displayText_)
            return matcher.Matches(column.CellDisplayText());
        const TField* field = column.Field();
        return matcher.Matches(field != nullptr ? field->AsString() : QString());
    }

private:
    TDBGridEh& grid_;
    TADOQuery& dataSet_;
    int column_;
    const int columns_;
    const bool up_;
    const bool allColumns_;
    const bool displayText_;
};

// The column a search starts in: the chosen one, else the grid's current column.
int StartColumn(const TDBGridEh& grid, const TGridSearchRequest& request) {
    if (!request.options.Contains(gsoAllColumns) && request.columnIndex >= 0)
        return request.columnIndex;
    return grid.Col() - grid.IndicatorOffset();
}

bool Scan(TDBGridEh& grid, const TGridSearchRequest& request, int columns) {
    const SearchTextMatcher matcher(request.pattern, request.matching,
                                    request.options.Contains(gsoIgnoreCase));
    CellScan scan(grid, request, StartColumn(grid, request), columns);
    if (request.direction == gsdAll)
        grid.DataSet()->First();
    else
        scan.Advance();
    for (; !scan.AtEnd(); scan.Advance()) {
        if (scan.CellMatches(matcher))
            return true;
    }
    return false;
}

} // namespace

bool LocateGridText(TDBGridEh& grid, const TGridSearchRequest& request) {
    TADOQuery* dataSet = grid.DataSet();
    if (dataSet == nullptr || !dataSet->Active())
        return false;
    const int columns = FullyVisibleDataColumns(grid);
    if (columns == 0)
        return false;
    dataSet->DisableControls();
    bool found = false;
    try {
        const SavedGridPosition saved = SavedGridPosition::Save(grid);
        found = Scan(grid, request, columns);
        if (!found)
            saved.Restore(*dataSet);
    } catch (...) {
        // The position is left where the failure stopped the search.
        dataSet->EnableControls();
        throw;
    }
    dataSet->EnableControls();
    return found;
}

int FullyVisibleDataColumns(const TDBGridEh& grid) {
    const GridColumnAxis axis = grid.ColumnAxis();
    int count = 0;
    for (int col = axis.LeftCol(); col < axis.Count(); ++col) {
        if (axis.Start(col) + std::max(axis.Width(col), 0) > grid.ClientWidth())
            break;
        ++count;
    }
    return count;
}

SavedGridPosition SavedGridPosition::Save(TDBGridEh& grid) {
    TADOQuery& dataSet = *grid.DataSet();
    const int count = grid.DataLink().RecordCount();
    const int middle = count > 0 ? (count - 1) / 2 : 0;
    SavedGridPosition saved;
    saved.distance = grid.DataLink().ActiveRecord() - middle;
    if (saved.distance != 0)
        dataSet.MoveBy(-saved.distance);
    saved.bookmark = dataSet.GetBookmark();
    if (saved.distance != 0)
        dataSet.MoveBy(saved.distance);
    return saved;
}

void SavedGridPosition::Restore(TADOQuery& dataSet) const {
    if (bookmark.isEmpty())
        return;
    dataSet.GotoBookmark(bookmark);
    if (distance != 0)
        dataSet.MoveBy(distance);
}
