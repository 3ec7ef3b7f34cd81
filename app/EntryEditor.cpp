// The entry editor: the edit toggle SpeedButton1 opens Panel3 on the query's current entry and,
// a second time, writes the panel's four texts back into the entry current at that moment.
#include "app/Unit1.h"

#include "data/TADOQuery.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/TEdit.h"
#include "platform/ui/TPanel.h"
#include "platform/ui/TSpeedButton.h"

#include <utility>

namespace {

// The toggle's caption is the editor's state.
const QString ClosedCaption = QStringLiteral("+");
const QString OpenCaption = QStringLiteral("v");

// The carriage return breaks the question onto two lines.
const QString OpenQuestion = QStringLiteral("Если вы хотите внести изменения в данные ") +
                             QChar(u'\r') + QStringLiteral("нажмите \"Yes\"");
const QString SaveQuestion = QStringLiteral("Вы действительно хотите внести изменения в данные?");

bool AskToOpen() {
    return AskYesNo(QStringLiteral("Warning"), OpenQuestion, DialogIcon::Warning);
}

bool AskToSave() {
    return AskYesNo(QStringLiteral("Information"), SaveQuestion, DialogIcon::Information);
}

} // namespace

// Opens the editor while the toggle shows "+", saves and closes it otherwise.
void TMenu::SpeedButton1Click() {
    if (SpeedButton1->text() == ClosedCaption)
        openEntryEditor();
    else
        saveEntryEditor();
}

// Opens the query first (before any search this lists the whole table, and a query that
// cannot open ends the command before the question), then fills the panel from the current
// entry; an empty result gives four empty texts.
void TMenu::openEntryEditor() {
    ADOQuery1->SetActive(true);
    editorSaveFailed_ = false;
    if (!AskToOpen())
        return;
    Panel3->show();
    Edit1->setText(ADOQuery1Tel->AsString());
    Edit2->setText(ADOQuery1Fio->AsString());
    Edit3->setText(ADOQuery1Name->AsString());
    Edit6->setText(ADOQuery1Story->AsString());
    showEntryEditorOpen(true);
}

// Writes the four texts into the entry current now (a new entry when the result is empty),
// stores it and re-reads the result. A failure on the way leaves the editor open, so the
// user can correct the texts and save again.
void TMenu::saveEntryEditor() {
    if (AskToSave()) {
        editorSaveFailed_ = true;
        ADOQuery1->Edit();
        ADOQuery1Tel->SetAsString(Edit1->text());
        ADOQuery1Fio->SetAsString(Edit2->text());
        ADOQuery1Name->SetAsString(Edit3->text());
        ADOQuery1Story->SetAsString(Edit6->text());
        ADOQuery1->Post();
        ADOQuery1->Refresh();
        editorSaveFailed_ = false;
    } else if (std::exchange(editorSaveFailed_, false)) {
        // The save that failed earlier left its texts held in the entry; the user has now
        // declined them, so they must not be written later when the grid moves on. A change
        // made elsewhere (the grid's copy from above) stays pending.
        ADOQuery1->Cancel();
    }
    Panel3->hide();
    showEntryEditorOpen(false);
}

// "v" in green while the editor is open, "+" in red while it is closed.
void TMenu::showEntryEditorOpen(bool open) {
    SpeedButton1->setText(open ? OpenCaption : ClosedCaption);
    // A screen reader says what the toggle does, not its sign.
    SpeedButton1->setAccessibleName(open ? QStringLiteral("Сохранить запись")
                                         : QStringLiteral("Изменить запись"));
    SpeedButton1->SetFontColor(ToQColor(open ? clGreen : clRed));
}
