#pragma once

#include "grid/TDBGridEhDataService.h"
#include "grid/TDBGridEhFindDlg.h"
#include "tests/grid/GridFixture.h"
#include "tests/support/ScriptedDialogService.h"

#include <QString>

class QComboBox;

// The grid of GridTest with its find dialog. Ctrl+F opens the dialog as the program does,
// except that it is shown application-modal without a message loop of its own, so a test
// drives it with key and mouse events and goes on. Each test starts without a dialog.
class FindDialogTest : public GridTest {
protected:
    FindDialogTest();
    ~FindDialogTest() override;

    // count numbered entries (see AddNumbered), the query open on the first, the grid focused.
    void Start(int count);
    // Ctrl+F on the grid; the dialog must open.
    TDBGridEhFindDlg& OpenDialog();
    TDBGridEhFindDlg& Dialog() const;
    // Once the dialog is closed, the grid's window becomes active again with the grid focused.
    void ExpectFocusBackInGrid();

    // Replaces the pattern as the user does: focus in the pattern field, select all, type.
    void TypePattern(const QString& pattern);
    // Chooses an entry of one of the dialog's lists by its text.
    static void Choose(QComboBox* combo, const QString& text);
    // A key press and release sent to the control that has the focus in the dialog.
    void DialogKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Clicks "На&йти далее", holding the modifiers.
    void ClickFind(Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Opens the dialog, sets the pattern, the column list, the match type and the direction,
    // and searches once with Enter.
    void Find(const QString& pattern, const QString& column, const QString& matching,
              const QString& direction);

    // The current record's number and its name.
    long RecNo() const { return query.RecNo(); }
    QString CurrentFio() const;

    ScriptedDialogs dialogs;

private:
    TDBGridEhFindDialogOpener previousOpener_;
};
