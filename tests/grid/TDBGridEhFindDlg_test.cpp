// The find dialog on the real window offscreen: when Ctrl+F opens it, its layout, captions and
// first choices, what later openings keep, the pattern history, its keys and the first-search
// flag.
#include "tests/grid/FindDialogFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using FindDialog = FindDialogTest;

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

TEST_F(FindDialog, CtrlFOpensNothingWhileTheQueryIsClosed) {
    AddNumbered(3);
    Show();
    FocusGrid();
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(ExistingDBGridEhFindDlg(), nullptr);
    // Without dghDialogFind the grid has no find command either.
    OpenAll();
    grid->SetOptionsEh(grid->OptionsEh() - TGridOptionsEh{dghDialogFind});
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(ExistingDBGridEhFindDlg(), nullptr);
}

struct ControlCase {
    const char* name;
    QRect bounds;
    const char* caption;
};

TEST_F(FindDialog, OpensWithItsLayoutCaptionsAndFirstChoices) {
    Start(5);
    TDBGridEhFindDlg& dialog = OpenDialog();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Поиск"));
    EXPECT_EQ(dialog.size(), QSize(467, 115));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.font().pixelSize(), 10);
    if (QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"))) {
        EXPECT_EQ(QFontInfo(dialog.font()).family(), QStringLiteral("MS Sans Serif"));
    }
    EXPECT_TRUE(dialog.isModal() || dialog.windowModality() == Qt::ApplicationModal);

    const ControlCase controls[] = {
        {"Label1", {9, 11, 54, 12}, "&Образец:"},
        {"Label2", {9, 32, 49, 12}, "&Поиск в:"},
        {"cbMatchType", {9, 53, 74, 12}, "&Совпадение:"},
        {"Label3", {9, 76, 58, 12}, "Прос&мотр:"},
        {"cbText", {81, 8, 292, 20}, ""},
        {"cbFindIn", {81, 29, 178, 20}, "Телефон"},
        {"cbMatchinType", {81, 51, 134, 20}, "С любой части поля"},
        {"cbFindDirection", {81, 73, 134, 20}, "Все"},
        {"cbCharCase", {81, 97, 134, 13}, "С учетом ре&гистра"},
        {"cbUseFormat", {240, 97, 133, 13}, "С у&четом формата"},
        {"bFind", {380, 8, 80, 22}, "На&йти далее"},
        {"bCancel", {380, 35, 80, 22}, "Закрыть"},
    };
    for (const ControlCase& c : controls) {
        SCOPED_TRACE(c.name);
        auto* control = dialog.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(control, nullptr);
        // A label may grow to its caption by the pixel or two that font metrics differ.
        if (qobject_cast<QLabel*>(control) != nullptr) {
            EXPECT_EQ(control->pos(), c.bounds.topLeft());
            EXPECT_GE(control->width(), c.bounds.width());
            EXPECT_LE(control->width(), c.bounds.width() + 4);
            EXPECT_EQ(static_cast<QLabel*>(control)->text(), QString::fromUtf8(c.caption));
            continue;
        }
        EXPECT_EQ(control->geometry(), c.bounds);
        QString caption;
        if (auto* combo = qobject_cast<QComboBox*>(control))
            caption = combo->currentText();
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            caption = button->text();
        EXPECT_EQ(caption, QString::fromUtf8(c.caption));
    }
    EXPECT_EQ(Items(dialog.cbFindIn),
              (QStringList{"Телефон", "Ф.И.О. или организация", "Адрес", "<All>"}));
    EXPECT_EQ(Items(dialog.cbMatchinType),
              (QStringList{"С любой части поля", "Поля целиком", "С начала поля"}));
    EXPECT_EQ(Items(dialog.cbFindDirection), (QStringList{"Вверх", "Вниз", "Все"}));
    EXPECT_FALSE(dialog.cbCharCase->isChecked());
    EXPECT_TRUE(dialog.cbUseFormat->isChecked());
    EXPECT_TRUE(dialog.cbText->isEditable());
    EXPECT_FALSE(dialog.cbFindIn->isEditable());
    EXPECT_EQ(dialog.cbText->maxVisibleItems(), 17);
    EXPECT_FALSE(dialog.bFind->isDefault());
    EXPECT_FALSE(dialog.bCancel->isDefault());
    EXPECT_TRUE(dialog.FirstSearch());
    EXPECT_EQ(dialog.Grid(), grid);
    EXPECT_EQ(QApplication::focusWidget(), dialog.cbText);

    // Tab goes through the controls in their order, and round again.
    const QWidget* const order[] = {dialog.cbText,          dialog.cbFindIn,   dialog.cbMatchinType,
                                    dialog.cbFindDirection, dialog.cbCharCase, dialog.cbUseFormat,
                                    dialog.bFind,           dialog.bCancel,    dialog.cbText};
    for (const QWidget* expected : order) {
        EXPECT_EQ(QApplication::focusWidget(), expected) << expected->objectName().toStdString();
        DialogKey(Qt::Key_Tab);
    }
}

TEST_F(FindDialog, ALaterOpeningKeepsTheChoicesAndEmptiesThePattern) {
    Start(5);
    TDBGridEhFindDlg& dialog = OpenDialog();
    Choose(dialog.cbMatchinType, QStringLiteral("С начала поля"));
    Choose(dialog.cbFindDirection, QStringLiteral("Вниз"));
    Choose(dialog.cbFindIn, QStringLiteral("Адрес"));
    dialog.cbCharCase->setChecked(true);
    dialog.cbUseFormat->setChecked(false);
    TypePattern(QStringLiteral("Person"));
    DialogKey(Qt::Key_Return);
    DialogKey(Qt::Key_Escape);
    ASSERT_FALSE(dialog.isVisible());

    EXPECT_EQ(&OpenDialog(), &dialog);
    EXPECT_EQ(dialog.cbText->currentText(), QString());
    EXPECT_EQ(Items(dialog.cbText), QStringList{"Person"});
    EXPECT_EQ(dialog.cbMatchinType->currentText(), QStringLiteral("С начала поля"));
    EXPECT_EQ(dialog.cbFindDirection->currentText(), QStringLiteral("Вниз"));
    EXPECT_TRUE(dialog.cbCharCase->isChecked());
    EXPECT_FALSE(dialog.cbUseFormat->isChecked());
    // The column list is made anew and chooses the grid's current column again.
    EXPECT_EQ(dialog.cbFindIn->currentText(), QStringLiteral("Телефон"));
    EXPECT_TRUE(dialog.FirstSearch());
}

TEST_F(FindDialog, ColumnListFollowsTheGridsColumns) {
    Start(5);
    grid->Columns()[1].SetVisible(false);
    grid->Columns()[0].Title().SetCaption(QStringLiteral("НОМЕР"));
    TDBGridEhFindDlg& dialog = OpenDialog();
    EXPECT_EQ(Items(dialog.cbFindIn), (QStringList{"НОМЕР", "Адрес", "<All>"}));
    EXPECT_EQ(dialog.cbFindIn->currentText(), QStringLiteral("НОМЕР"));
    DialogKey(Qt::Key_Escape);
    // A current column whose caption is not in the list chooses "<All>".
    grid->Columns()[1].SetVisible(true);
    grid->Columns()[0].SetVisible(false);
    OpenDialog();
    EXPECT_EQ(dialog.cbFindIn->currentText(), QStringLiteral("<All>"));
}

TEST_F(FindDialog, HistoryKeepsOnePatternWhateverItsCase) {
    Start(5);
    TDBGridEhFindDlg& dialog = OpenDialog();
    const char* const searched[] = {"Петров", "ПЕТРОВ", "петров", "", "", "Пётр", "ПЁТР"};
    for (const char* pattern : searched) {
        TypePattern(QString::fromUtf8(pattern));
        DialogKey(Qt::Key_Return);
    }
    EXPECT_EQ(Items(dialog.cbText), (QStringList{"Петров", "", "Пётр"}));
    // Taking an entry from the history makes it the pattern.
    dialog.cbText->setCurrentIndex(0);
    EXPECT_EQ(dialog.cbText->currentText(), QStringLiteral("Петров"));
    // A search while the query is closed only adds to the history.
    query.Close();
    TypePattern(QStringLiteral("Сидоров"));
    ClickFind();
    EXPECT_EQ(Items(dialog.cbText), (QStringList{"Петров", "", "Пётр", "Сидоров"}));
    EXPECT_TRUE(dialogs->requests().empty());
}

TEST_F(FindDialog, EscAndCloseReturnTheFocusToTheGrid) {
    Start(5);
    TDBGridEhFindDlg& dialog = OpenDialog();
    DialogKey(Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    ExpectFocusBackInGrid();

    OpenDialog();
    QTest::mouseClick(dialog.bCancel, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    ExpectFocusBackInGrid();

    // Enter on the focused "Закрыть" closes too, and searches nothing.
    OpenDialog();
    TypePattern(QStringLiteral("Person 003"));
    dialog.bCancel->setFocus();
    DialogKey(Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(RecNo(), 1);
    ExpectFocusBackInGrid();
}

TEST_F(FindDialog, EnterSearchesFromAnyControlButNotFromAnOpenList) {
    Start(10);
    TDBGridEhFindDlg& dialog = OpenDialog();
    Choose(dialog.cbFindIn, QStringLiteral("Ф.И.О. или организация"));
    Choose(dialog.cbFindDirection, QStringLiteral("Вниз"));
    TypePattern(QStringLiteral("Person"));
    QWidget* const controls[] = {dialog.cbText,          dialog.cbFindIn,   dialog.cbMatchinType,
                                 dialog.cbFindDirection, dialog.cbCharCase, dialog.cbUseFormat};
    long expected = 1;
    for (QWidget* control : controls) {
        control->setFocus();
        DialogKey(Qt::Key_Return);
        EXPECT_EQ(RecNo(), ++expected) << control->objectName().toStdString();
    }
    // A focused "На&йти далее" takes Enter itself, and searches.
    dialog.bFind->setFocus();
    DialogKey(Qt::Key_Return);
    EXPECT_EQ(RecNo(), ++expected);
    EXPECT_TRUE(dialog.isVisible());

    // With its list dropped down, a combo box keeps Enter for the list.
    dialog.cbFindDirection->setFocus();
    dialog.cbFindDirection->showPopup();
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(RecNo(), expected);
    EXPECT_TRUE(dialog.isVisible());
}

// The program's own opener runs the dialog modally, centred on the screen; a timer of the
// dialog's message loop closes it here.
TEST_F(FindDialog, TheStandardOpenerRunsTheDialogModally) {
    Start(5);
    SetFindDialogOpener(nullptr);
    bool checked = false;
    // The timers die with the test, even if the dialog never opened.
    QObject scope;
    QTimer::singleShot(0, &scope, [&] {
        TDBGridEhFindDlg* dialog = ExistingDBGridEhFindDlg();
        ASSERT_NE(dialog, nullptr);
        checked = true;
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->isModal());
        EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const QRect screen = grid->screen()->geometry();
        EXPECT_EQ(dialog->pos(),
                  screen.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
        QTest::keyClick(dialog->cbText, Qt::Key_Escape);
    });
    // Should the dialog not close, the test fails instead of waiting for ever.
    QTimer::singleShot(10000, &scope, [] {
        if (TDBGridEhFindDlg* dialog = ExistingDBGridEhFindDlg())
            dialog->reject();
    });
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(Dialog().isVisible());
    ExpectFocusBackInGrid();
}

struct FlagCase {
    const char* change;
    bool firstSearchAfter;
};

TEST_F(FindDialog, FirstSearchFlagFollowsTheChanges) {
    Start(10);
    TDBGridEhFindDlg& dialog = OpenDialog();
    Choose(dialog.cbFindIn, QStringLiteral("Ф.И.О. или организация"));
    TypePattern(QStringLiteral("Person"));
    const FlagCase cases[] = {
        {"pattern typed", true},     {"pattern from the history", true},
        {"direction", true},         {"column", true},
        {"match type", false},       {"case check box", false},
        {"format check box", false},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.change);
        // A found record clears the flag.
        Choose(dialog.cbFindDirection, QStringLiteral("Все"));
        Choose(dialog.cbFindIn, QStringLiteral("Ф.И.О. или организация"));
        Choose(dialog.cbMatchinType, QStringLiteral("С любой части поля"));
        TypePattern(QStringLiteral("Person"));
        DialogKey(Qt::Key_Return);
        ASSERT_FALSE(dialog.FirstSearch());
        const QString change = QString::fromUtf8(c.change);
        if (change == QStringLiteral("pattern typed")) {
            DialogKey(Qt::Key_Backspace);
        } else if (change == QStringLiteral("pattern from the history")) {
            dialog.cbText->addItem(QStringLiteral("Person 00"));
            dialog.cbText->setCurrentIndex(dialog.cbText->count() - 1);
        } else if (change == QStringLiteral("direction")) {
            Choose(dialog.cbFindDirection, QStringLiteral("Вниз"));
        } else if (change == QStringLiteral("column")) {
            Choose(dialog.cbFindIn, QStringLiteral("<All>"));
        } else if (change == QStringLiteral("match type")) {
            Choose(dialog.cbMatchinType, QStringLiteral("Поля целиком"));
        } else if (change == QStringLiteral("case check box")) {
            QTest::mouseClick(dialog.cbCharCase, Qt::LeftButton);
        } else {
            QTest::mouseClick(dialog.cbUseFormat, Qt::LeftButton);
        }
        EXPECT_EQ(dialog.FirstSearch(), c.firstSearchAfter);
        dialog.cbCharCase->setChecked(false);
        dialog.cbUseFormat->setChecked(true);
    }
    // A search that finds nothing leaves the flag as it is.
    TypePattern(QStringLiteral("nobody"));
    DialogKey(Qt::Key_Return);
    EXPECT_TRUE(dialog.FirstSearch());
}

} // namespace
