// The window as a screen reader user meets it: every control named, the pictures passed over,
// the count announced, and every step from the search to saving and deleting an entry reached
// with the keyboard, through real key events sent to the window.
#include "tests/app/SearchWindowFixture.h"
#include "tests/app/Typing.h"
#include "tests/support/AccessibleEventLog.h"

#include "grid/TDBGridEhAccessible.h"
#include "grid/TDBGridEhFindDlg.h"
#include "platform/ui/TButton.h"
#include "platform/ui/TImage.h"
#include "platform/ui/TLabel.h"
#include "platform/ui/TPanel.h"
#include "platform/ui/TSpeedButton.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;

// The texts of the labels a screen reader finds for the object.
QStringList LabelsOf(QObject* object) {
    QStringList labels;
    for (const auto& [label, relation] : AccessibleOf(object)->relations(QAccessible::Label))
        labels.append(label->text(QAccessible::Name));
    return labels;
}

QString NameOf(QObject* object) {
    return AccessibleOf(object)->text(QAccessible::Name);
}

class AccessibilityTest : public SearchWindowTest {
protected:
    void SetUp() override {
        addEntries({
            {23456, u"Иванов И.П."_s, u"ЛЕНИНА 12-45"_s, u"Звонить вечером|после шести"_s},
            {1234567, u"ИВАНОВА А.А."_s, u"ЛЕНИНА 3"_s, {}},
            {2345, u"ИВАНОВ П.С."_s, u"МИРА 5"_s, {}},
            {23406, u"Петров П.П."_s, u"СОВЕТСКАЯ 12-7"_s, {}},
        });
    }

    // Types the name into its field and presses Enter, as the user does.
    void searchName(const QString& name) {
        TypeText(menu().ComboBox2, name);
        QTest::keyClick(menu().ComboBox2, Qt::Key_Return);
    }

    QWidget* focused() const { return QApplication::focusWidget(); }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focused(), static_cast<Qt::Key>(key), modifiers);
    }
    QAccessibleTableInterface* results() {
        return AccessibleOf(menu().DBGridEh1)->tableInterface();
    }

    AccessibleEventLog events;
};

TEST_F(AccessibilityTest, EveryFieldIsLabelledAndNamedByItsLabel) {
    struct Case {
        QWidget* field;
        QLabel* label;
    };
    TMenu& window = menu();
    const Case cases[] = {
        {window.ComboBox1, window.Label1}, {window.ComboBox2, window.Label2},
        {window.ComboBox3, window.Label3}, {window.Edit4, window.Label8},
        {window.Edit5, window.Label9},     {window.Edit1, window.Label4},
        {window.Edit2, window.Label5},     {window.Edit3, window.Label6},
        {window.Edit6, window.Label10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field->objectName().toStdString());
        EXPECT_EQ(LabelsOf(c.field), QStringList{c.label->text()});
        EXPECT_EQ(c.field->accessibleName(), c.label->text());
    }
    EXPECT_EQ(NameOf(window.Edit6), u"Примичание"_s);
}

TEST_F(AccessibilityTest, ButtonsTheGridAndTheEditorAreNamedForWhatTheyAre) {
    struct Case {
        QWidget* control;
        QAccessible::Role role;
        QString name;
    };
    TMenu& window = menu();
    const Case cases[] = {
        {window.Button1, QAccessible::Button, u"Поиск"_s},
        {window.SpeedButton1, QAccessible::Button, u"Изменить запись"_s},
        {window.SpeedButton2, QAccessible::Button, u"Выход"_s},
        {window.DBGridEh1, QAccessible::Table, u"Результаты поиска"_s},
        {window.Panel3, QAccessible::Client, u"Новый адресат"_s},
        {window.StatusBar1, QAccessible::StatusBar, u"Результат поиска: Поиск"_s},
        {window.Panel1, QAccessible::Client, QString()},
        {window.Image1, QAccessible::Graphic, QString()},
        {window.Image2, QAccessible::Graphic, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control->objectName().toStdString());
        EXPECT_EQ(AccessibleOf(c.control)->role(), c.role);
        EXPECT_EQ(NameOf(c.control), c.name);
    }
}

TEST_F(AccessibilityTest, TheStatusBarReadsAndAnnouncesTheCount) {
    searchName(u"иван"_s);
    QAccessibleInterface* bar = AccessibleOf(menu().StatusBar1);
    ASSERT_EQ(bar->childCount(), 2);
    EXPECT_EQ(bar->child(0)->text(QAccessible::Name), u"Результат поиска:"_s);
    EXPECT_EQ(bar->child(1)->text(QAccessible::Name), u"Найдено: 3"_s);
    EXPECT_EQ(bar->child(1)->role(), QAccessible::StaticText);
    EXPECT_EQ(bar->child(1)->text(QAccessible::Value), QString());
    const auto announced = events.of(menu().StatusBar1, QAccessible::NameChanged);
    ASSERT_FALSE(announced.empty());
    EXPECT_TRUE(std::any_of(announced.begin(), announced.end(),
                            [](const auto& event) { return event.child == 1; }));

    // A second search finding as many entries is announced again.
    events.clear();
    QTest::keyClick(menu().ComboBox2, Qt::Key_Return);
    EXPECT_FALSE(events.of(menu().StatusBar1, QAccessible::NameChanged).empty());
}

// After a search the grid reads the whole result; Shift+Tab from the phone field reaches it,
// and the reader hears the current entry, then each entry the arrow keys move to.
TEST_F(AccessibilityTest, TheResultsAreReachedAndReadFromTheKeyboard) {
    searchName(u"иван"_s);
    ASSERT_EQ(focused(), menu().ComboBox1);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focused(), menu().DBGridEh1);
    ASSERT_EQ(results()->rowCount(), 3);
    EXPECT_EQ(results()->cellAt(0, 1)->text(QAccessible::Name), u"Иванов И.П."_s);
    EXPECT_EQ(results()->cellAt(2, 0)->text(QAccessible::Name), u"-23-45"_s);
    // The current cell is told at the next turn of the event loop, after the grid itself.
    QApplication::processEvents();
    auto focus = events.of(menu().DBGridEh1, QAccessible::Focus);
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().child, TDBGridEhAccessible::CellIndex(0, 0, 3));

    events.clear();
    press(Qt::Key_Down);
    QApplication::processEvents();
    focus = events.of(menu().DBGridEh1, QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].child, TDBGridEhAccessible::CellIndex(1, 0, 3));
    EXPECT_EQ(AccessibleOf(menu().DBGridEh1)->focusChild()->text(QAccessible::Name),
              u"123-45-67"_s);
}

// Space on an entry does what a click does: its note becomes the grid's hint, which a screen
// reader reads as the grid's description.
TEST_F(AccessibilityTest, TheClickedEntrysNoteIsTheGridsDescription) {
    searchName(u"иван"_s);
    menu().DBGridEh1->setFocus();
    press(Qt::Key_Space);
    EXPECT_EQ(AccessibleOf(menu().DBGridEh1)->text(QAccessible::Description), u"Звонить вечером"_s);
    EXPECT_FALSE(events.of(menu().DBGridEh1, QAccessible::DescriptionChanged).empty());
}

TEST_F(AccessibilityTest, TabWalksTheWindowInItsOrderAndReachesTheEditToggle) {
    searchName(u"иван"_s);
    menu().ComboBox1->setFocus();
    const std::vector<QWidget*> order = {
        menu().Button1,      menu().ComboBox2,    menu().ComboBox3, menu().Edit4,     menu().Edit5,
        menu().SpeedButton2, menu().SpeedButton1, menu().DBGridEh1, menu().ComboBox1,
    };
    for (QWidget* next : order) {
        press(Qt::Key_Tab);
        EXPECT_EQ(focused(), next) << "expected " << next->objectName().toStdString();
    }
}

// The whole road of a correction by keyboard: the toggle opens the editor, Tab walks its
// fields, Shift+Tab returns to the toggle, which saves; Ctrl+Delete in the grid deletes.
TEST_F(AccessibilityTest, AnEntryIsCorrectedSavedAndDeletedFromTheKeyboard) {
    searchName(u"иван"_s);
    menu().SpeedButton2->setFocus();
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), menu().SpeedButton1);
    dialogs->answer(DialogAnswer::Yes);
    press(Qt::Key_Space);
    ASSERT_TRUE(menu().Panel3->isVisible());
    EXPECT_EQ(NameOf(menu().SpeedButton1), u"Сохранить запись"_s);

    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), menu().Edit1);
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), menu().Edit2);
    menu().Edit2->selectAll();
    TypeText(menu().Edit2, u"Иванов И.И."_s);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focused(), menu().SpeedButton1);
    dialogs->answer(DialogAnswer::Yes);
    press(Qt::Key_Space);
    EXPECT_FALSE(menu().Panel3->isVisible());
    EXPECT_EQ(NameOf(menu().SpeedButton1), u"Изменить запись"_s);
    EXPECT_EQ(results()->cellAt(0, 1)->text(QAccessible::Name), u"Иванов И.И."_s);

    menu().DBGridEh1->setFocus();
    dialogs->answer(DialogAnswer::Ok);
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(results()->rowCount(), 2);
    EXPECT_EQ(folder().entries().size(), 3u);
}

// The history menu opens from the keyboard's menu key on the search panel's buttons, as a
// right click on them opens it.
TEST_F(AccessibilityTest, TheMenuKeyOnTheSearchPanelsButtonsOpensTheHistoryMenu) {
    menu().SpeedButton2->setFocus();
    QSignalSpy shown(menu().PopupMenu1, &QMenu::aboutToShow);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                            menu().SpeedButton2->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(focused(), &event);
    EXPECT_EQ(shown.count(), 1);
    menu().PopupMenu1->close();
}

TEST_F(AccessibilityTest, TheFindDialogsFieldsAreLabelledAndTheirLettersReachThem) {
    searchName(u"иван"_s);
    menu().DBGridEh1->setFocus();
    TDBGridEhFindDlg& dialog = DBGridEhFindDlg();
    dialog.Execute(*menu().DBGridEh1, QString(), false);
    struct Case {
        QWidget* field;
        QString name;
    };
    const Case cases[] = {{dialog.cbText, u"Образец"_s},
                          {dialog.cbFindIn, u"Поиск в"_s},
                          {dialog.cbMatchinType, u"Совпадение"_s},
                          {dialog.cbFindDirection, u"Просмотр"_s}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(c.field->accessibleName(), c.name);
        EXPECT_EQ(LabelsOf(c.field).size(), 1);
    }
    // Alt with a label's underlined letter goes to its field.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::sendKeyEvent(QTest::Click, dialog.cbText, static_cast<Qt::Key>(u'П'), u"п"_s,
                        Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dialog.cbFindIn);
    dialog.reject();
    ReleaseDBGridEhFindDlg();
}

} // namespace
