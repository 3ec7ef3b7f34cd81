// The grid's find dialog in the main window: after a search, Ctrl+F in the grid runs the dialog
// modally; the user types a pattern and presses Enter, the grid follows, Esc closes. The dialog's
// own message loop runs the user's keys from a timer.
#include "tests/app/SearchWindowFixture.h"
#include "tests/app/Typing.h"

#include "data/TField.h"
#include "grid/TDBGridEh.h"
#include "grid/TDBGridEhFindDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

namespace {

using namespace Qt::StringLiterals;

class FindInResultsTest : public SearchWindowTest {
protected:
    void SetUp() override {
        addEntries({
            {23456, u"Иванов И.П."_s, u"ЛЕНИНА 12-45"_s, {}},
            {1234567, u"ИВАНОВА А.А."_s, u"ЛЕНИНА 3"_s, {}},
            {23406, u"Иванченко П.П."_s, u"СОВЕТСКАЯ 12-7"_s, {}},
        });
    }
    void TearDown() override { ReleaseDBGridEhFindDlg(); }

    QString currentFio() { return menu().ADOQuery1->FieldByName(u"Fio"_s).AsString(); }
};

TEST_F(FindInResultsTest, CtrlFInTheGridFindsAnEntryAndEscReturnsToTheGrid) {
    TypeText(menu().ComboBox2, u"иван"_s);
    QTest::keyClick(menu().ComboBox2, Qt::Key_Return);
    ASSERT_EQ(status(), u"Найдено: 3"_s);
    TDBGridEh* grid = menu().DBGridEh1;
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, QPoint(101, 24));
    ASSERT_TRUE(grid->hasFocus());
    ASSERT_EQ(currentFio(), u"Иванов И.П."_s);

    QStringList found;
    bool ran = false;
    // The timers die with the test, even if the dialog never opened.
    QObject scope;
    QTimer::singleShot(0, &scope, [&] {
        TDBGridEhFindDlg* dialog = ExistingDBGridEhFindDlg();
        ASSERT_NE(dialog, nullptr);
        ran = true;
        EXPECT_TRUE(dialog->isModal());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        EXPECT_EQ(dialog->cbFindIn->currentText(), u"Телефон"_s);
        QWidget* focused = QApplication::focusWidget();
        ASSERT_EQ(focused, dialog->cbText);
        // The names are the next entry of the column list.
        QTest::keyClick(focused, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        TypeText(QApplication::focusWidget(), u"ИВАН"_s);
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            found.append(currentFio());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    // Should the dialog not close, the test fails instead of waiting for ever.
    QTimer::singleShot(10000, &scope, [] {
        if (TDBGridEhFindDlg* dialog = ExistingDBGridEhFindDlg())
            dialog->reject();
    });
    QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(ran);
    // From the top, then on below each match; the last search finds nothing more.
    EXPECT_EQ(found, (QStringList{u"Иванов И.П."_s, u"ИВАНОВА А.А."_s, u"Иванченко П.П."_s,
                                  u"Иванченко П.П."_s}));
    EXPECT_FALSE(ExistingDBGridEhFindDlg()->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&menu()));
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Row(), 3);
}

} // namespace
