#pragma once

#include "grid/GridSearchRequest.h"

#include <QDialog>
#include <QPointer>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class TDBGridEh;

// The grid's find dialog "Поиск": a pattern with its history, the column to search (or
// "<All>"), how the text must match, the direction and two check boxes. "На&йти далее" (or
// Enter; Ctrl reverses the direction) makes the next matching record the grid's current
// record; a miss changes nothing and says nothing. The dialog stays open until "Закрыть" or
// Esc, and is kept hidden between uses, so the history and the choices stay as the user left
// them. The tree row of the layout serves only data sets with tree navigation and is left out.
class TDBGridEhFindDlg : public QDialog {
    Q_OBJECT

public:
    // The client area without the tree row.
    static constexpr int FormWidth = 467;
    static constexpr int FormHeight = 115;

    explicit TDBGridEhFindDlg(QWidget* parent = nullptr);

    // The opening steps without showing the dialog: the pattern becomes text, the column list
    // is filled from the grid's visible columns with the grid's current column chosen, the
    // next search is a first search, and the pattern field has the focus.
    void Prepare(TDBGridEh& grid, const QString& text);
    // Prepares and shows the dialog centred on the screen: modal runs until it is closed;
    // otherwise it stays on top of the other windows and returns at once.
    void Execute(TDBGridEh& grid, const QString& text, bool modal);

    // The search: the pattern joins the history when it is not there yet (ignoring case);
    // then, while the grid's data set is open, the grid looks for the next match. Ctrl held
    // down reverses the direction.
    void bFindClick();
    // What a search sends to the grid now; reverse as with Ctrl held down.
    TGridSearchRequest SearchRequest(bool reverse) const;

    // The grid the dialog was last opened for.
    TDBGridEh* Grid() const;
    // Whether the next search is a first one: with "Все" it then starts at the first record.
    bool FirstSearch() const { return firstSearch_; }

    // The controls, named as in the layout.
    QLabel* Label1;
    QLabel* Label2;
    QLabel* cbMatchType;
    QLabel* Label3;
    QComboBox* cbText;
    QComboBox* cbFindIn;
    QComboBox* cbMatchinType;
    QComboBox* cbFindDirection;
    QCheckBox* cbCharCase;
    QCheckBox* cbUseFormat;
    QPushButton* bFind;
    QPushButton* bCancel;

protected:
    // Key preview: Enter and Esc reach the form before the focused control.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing returns the focus to the grid.
    void done(int result) override;

private:
    void CreateControls();
    void ConnectControls();
    void AddPatternToHistory(const QString& pattern);
    void FillColumnList(const TDBGridEh& grid);
    void ChooseCurrentColumn(const TDBGridEh& grid);
    void CentreOnScreen();

    QPointer<TDBGridEh> grid_;
    bool firstSearch_ = true;
};

// The process's find dialog, created at the first use and kept until the program ends.
TDBGridEhFindDlg& DBGridEhFindDlg();
// The find dialog when it has been created, else nullptr.
TDBGridEhFindDlg* ExistingDBGridEhFindDlg();
// Destroys the find dialog; the program does so as it ends. The next use creates it anew.
void ReleaseDBGridEhFindDlg();

// The standard dialog opener: opens the process's find dialog for the grid.
void ExecuteDBGridEhFindDialog(TDBGridEh& grid, const QString& text, const QString& fieldName,
                               bool modal);
