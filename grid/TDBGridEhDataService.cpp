#include "grid/TDBGridEhDataService.h"

#include "grid/GridTextSearch.h"
#include "grid/TDBGridEhFindDlg.h"

#include <utility>

namespace {

TDBGridEhFindDialogOpener& CurrentOpener() {
    static TDBGridEhFindDialogOpener opener = ExecuteDBGridEhFindDialog;
    return opener;
}

} // namespace

void TDBGridEhDataService::ShowFindDialog(TDBGridEh& grid, const QString& text,
                                          const QString& fieldName, bool modal) {
    // A copy: the opener may replace itself while the dialog is open.
    const TDBGridEhFindDialogOpener opener = CurrentOpener();
    opener(grid, text, fieldName, modal);
}

bool TDBGridEhDataService::LocateText(TDBGridEh& grid, const TGridSearchRequest& request) {
    return LocateGridText(grid, request);
}

TDBGridEhDataService& DBGridEhDataService() {
    static TDBGridEhDataService service;
    return service;
}

TDBGridEhFindDialogOpener SetFindDialogOpener(TDBGridEhFindDialogOpener opener) {
    if (!opener)
        opener = ExecuteDBGridEhFindDialog;
    return std::exchange(CurrentOpener(), std::move(opener));
}
