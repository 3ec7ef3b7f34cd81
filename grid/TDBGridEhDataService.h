#pragma once

#include <QString>

#include <functional>

class TDBGridEh;
struct TGridSearchRequest;

// Opens the grid's find dialog: the grid, the starting pattern, the field name and whether the
// dialog runs modally.
using TDBGridEhFindDialogOpener =
    std::function<void(TDBGridEh& grid, const QString& text, const QString& fieldName, bool modal)>;

// The grid's search service, one per process: the grid hands it the find dialog command and
// the dialog hands it each search. No data set has a search of its own registered, so the
// service always calls the dialog opener and the grid's generic text search.
class TDBGridEhDataService {
public:
    void ShowFindDialog(TDBGridEh& grid, const QString& text, const QString& fieldName, bool modal);
    bool LocateText(TDBGridEh& grid, const TGridSearchRequest& request);
};

// The process's search service.
TDBGridEhDataService& DBGridEhDataService();

// Replaces the dialog opener and returns the one it replaces; an empty opener restores the
// standard one, which opens the dialog TDBGridEhFindDlg.
TDBGridEhFindDialogOpener SetFindDialogOpener(TDBGridEhFindDialogOpener opener);
