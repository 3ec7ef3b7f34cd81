#include "tests/grid/FindDialogFixture.h"

#include "data/TWideStringField.h"
#include "tests/app/Typing.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Opens the dialog as the program does, but shows it without waiting for it to close.
void OpenWithoutWaiting(TDBGridEh& grid, const QString& text, const QString&, bool modal) {
    TDBGridEhFindDlg& dialog = DBGridEhFindDlg();
    dialog.Prepare(grid, text);
    dialog.setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    dialog.show();
    dialog.activateWindow();
    (void)QTest::qWaitForWindowActive(&dialog);
}

} // namespace

FindDialogTest::FindDialogTest() : previousOpener_(SetFindDialogOpener(OpenWithoutWaiting)) {
}

FindDialogTest::~FindDialogTest() {
    ReleaseDBGridEhFindDlg();
    SetFindDialogOpener(previousOpener_);
}

void FindDialogTest::Start(int count) {
    AddNumbered(count);
    Show();
    OpenAll();
    FocusGrid();
}

TDBGridEhFindDlg& FindDialogTest::OpenDialog() {
    Key(Qt::Key_F, Qt::ControlModifier);
    TDBGridEhFindDlg* dialog = ExistingDBGridEhFindDlg();
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog != nullptr && dialog->isVisible());
    return *dialog;
}

void FindDialogTest::ExpectFocusBackInGrid() {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(grid->hasFocus());
}

TDBGridEhFindDlg& FindDialogTest::Dialog() const {
    return *ExistingDBGridEhFindDlg();
}

void FindDialogTest::TypePattern(const QString& pattern) {
    QComboBox* text = Dialog().cbText;
    text->setFocus();
    text->lineEdit()->selectAll();
    if (pattern.isEmpty())
        QTest::keyClick(text, Qt::Key_Delete);
    else
        TypeText(text, pattern);
    ASSERT_EQ(text->currentText(), pattern);
}

void FindDialogTest::Choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
}

void FindDialogTest::DialogKey(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    ASSERT_EQ(focused->window(), &Dialog());
    QTest::keyClick(focused, static_cast<Qt::Key>(key), modifiers);
}

void FindDialogTest::ClickFind(Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(Dialog().bFind, Qt::LeftButton, modifiers);
}

void FindDialogTest::Find(const QString& pattern, const QString& column, const QString& matching,
                          const QString& direction) {
    if (ExistingDBGridEhFindDlg() == nullptr || !Dialog().isVisible())
        OpenDialog();
    Choose(Dialog().cbFindIn, column);
    Choose(Dialog().cbMatchinType, matching);
    Choose(Dialog().cbFindDirection, direction);
    TypePattern(pattern);
    DialogKey(Qt::Key_Return);
}

QString FindDialogTest::CurrentFio() const {
    return fields.ADOQuery1Fio->AsString();
}
