#include "app/DirectoryGrid.h"

#include "directory/DirectoryColumns.h"
#include "grid/TDBGridEh.h"
#include "platform/ui/Fonts.h"

namespace {

// The background of even-numbered records: 16776176, hexadecimal FFFBF0.
constexpr TColor DirectoryEvenRowColor = RGB(240, 251, 255);

void AddColumn(TDBGridEh& grid, const DirectoryColumn& layout) {
    TColumnEh& column = grid.Columns().Add();
    column.SetFieldName(QString::fromUtf8(layout.fieldName));
    column.Title().SetCaption(QString::fromUtf8(layout.caption));
    column.SetWidth(layout.width);
    column.SetDisplayFormat(QString::fromUtf8(layout.displayFormat));
    column.SetEndEllipsis(layout.endEllipsis);
    column.SetHideDuplicates(layout.hideDuplicates);
}

} // namespace

void ConfigureDirectoryGrid(TDBGridEh& grid, TDataSource& dataSource) {
    grid.SetLoading(true);
    grid.SetDataSource(&dataSource);
    grid.SetOptions({dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                     dgRowSelect, dgConfirmDelete, dgCancelOnExit, dgMultiSelect});
    grid.SetColor(clActiveBorder);
    grid.SetFixedColor(clMoneyGreen);
    grid.SetEvenRowColor(DirectoryEvenRowColor);
    grid.SetOddRowColor(clWhite);
    grid.SetFlat(true);
    const TGridFont windowFont{WindowFont(), clWindowText};
    grid.SetFont(windowFont);
    grid.SetTitleFont(windowFont);
    grid.SetFooterColor(clWhite);
    grid.SetFooterFont(windowFont);
    grid.SetShowHint(true);
    grid.SetParentShowHint(false);
    for (const DirectoryColumn& layout : kDirectoryColumns)
        AddColumn(grid, layout);
    grid.SetLoading(false);
}
