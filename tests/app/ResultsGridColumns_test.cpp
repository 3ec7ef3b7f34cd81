// The results grid in the main window, as a user drives it with the mouse: a title edge
// dragged wider, a title dragged to another place, and the note of the clicked entry shown
// when the mouse rests.
#include "tests/app/SearchWindowFixture.h"
#include "tests/app/Typing.h"

#include "grid/TDBGridEh.h"
#include "grid/TGridHorzScrollBar.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace {

using namespace Qt::StringLiterals;

class ResultsGridColumnsTest : public SearchWindowTest {
protected:
    void SetUp() override {
        addEntries({
            {23456, u"Иванов И.П."_s, u"ЛЕНИНА 12-45"_s, u"Звонить вечером|после шести"_s},
            {1234567, u"ИВАНОВА А.А."_s, u"ЛЕНИНА 3"_s, {}},
        });
        TypeText(menu().ComboBox2, u"ИВАН"_s);
        QTest::keyClick(menu().ComboBox2, Qt::Key_Return);
    }

    TDBGridEh& grid() { return *menu().DBGridEh1; }
    // Grid client point to widget point: the grid has a 1-pixel border.
    static QPoint At(int x, int y) { return QPoint(x + 1, y + 1); }
    void Move(QPoint point, Qt::MouseButtons buttons) {
        QMouseEvent move(QEvent::MouseMove, point, grid().mapToGlobal(point), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(&grid(), &move);
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(&grid(), Qt::LeftButton, Qt::NoModifier, from);
        Move(to, Qt::LeftButton);
        QTest::mouseRelease(&grid(), Qt::LeftButton, Qt::NoModifier, to);
    }
};

TEST_F(ResultsGridColumnsTest, TheUserWidensAndReordersTheColumns) {
    Drag(At(249, 5), At(300, 5));
    EXPECT_EQ(grid().Columns()[1].Width(), 238);
    EXPECT_TRUE(grid().HorzScrollBar().Showing());
    Drag(At(400, 5), At(20, 5));
    EXPECT_EQ(grid().Columns()[0].FieldName(), u"Name"_s);
    EXPECT_EQ(grid().Columns()[1].FieldName(), u"Tel"_s);
    EXPECT_EQ(grid().Columns()[2].FieldName(), u"Fio"_s);
}

TEST_F(ResultsGridColumnsTest, RestingOverTheGridShowsTheClickedEntrysNoteUpToItsBar) {
    QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, At(100, 23));
    Move(At(120, 60), Qt::NoButton);
    auto* pause = grid().findChild<QTimer*>(u"HintTimer"_s);
    auto* hint = grid().findChild<QLabel*>(u"HintWindow"_s);
    ASSERT_NE(pause, nullptr);
    ASSERT_NE(hint, nullptr);
    ASSERT_TRUE(pause->isActive());
    pause->start(0);
    QApplication::processEvents();
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), u"Звонить вечером"_s);
    // The entry without a note shows none.
    QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, At(100, 39));
    EXPECT_FALSE(hint->isVisible());
    Move(At(120, 70), Qt::NoButton);
    pause->start(0);
    QApplication::processEvents();
    EXPECT_FALSE(hint->isVisible());
}

} // namespace
