// The grid's hint: shown after the pause while the mouse rests, for the whole grid as its
// area; gone after the hide pause, on leaving, and on any key or button press; the next
// movement then starts a new pause.
#include "tests/grid/GridFixture.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class GridHintTest : public GridTest {
protected:
    GridHintTest() {
        Show();
        pause = grid->findChild<QTimer*>(QStringLiteral("HintTimer"));
        hide = grid->findChild<QTimer*>(QStringLiteral("HintHideTimer"));
        window = grid->findChild<QLabel*>(QStringLiteral("HintWindow"));
    }

    bool Visible() const { return window != nullptr && window->isVisible(); }

    void Move(QPoint client) {
        QMouseEvent move(QEvent::MouseMove, Widget(client), grid->mapToGlobal(Widget(client)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
    }
    // The mouse rests: the pause ends now instead of after 500 ms.
    void Rest() {
        ASSERT_TRUE(pause->isActive());
        pause->start(0);
        QApplication::processEvents();
    }
    void ShowHint(const char* hint) {
        grid->SetHint(QString::fromUtf8(hint));
        Move(DataRowPoint(1));
        Rest();
    }

    QTimer* pause = nullptr;
    QTimer* hide = nullptr;
    QLabel* window = nullptr;
};

TEST_F(GridHintTest, TheTimersHaveTheApplicationsPauses) {
    ASSERT_NE(pause, nullptr);
    ASSERT_NE(hide, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(pause->interval(), 500);
    EXPECT_EQ(hide->interval(), 2500);
}

TEST_F(GridHintTest, MovingFromRowToRowDoesNotShowItAgain) {
    ShowHint("first|second");
    ASSERT_TRUE(Visible());
    EXPECT_EQ(window->text(), QStringLiteral("first"));
    EXPECT_TRUE(hide->isActive());
    grid->SetHint(QStringLiteral("another note"));
    Move(DataRowPoint(5));
    Move(QPoint(300, 5));
    EXPECT_FALSE(pause->isActive());
    EXPECT_TRUE(Visible());
    EXPECT_EQ(window->text(), QStringLiteral("first"));
}

TEST_F(GridHintTest, AfterTheHidePauseTheNextMovementStartsANewPause) {
    ShowHint("first|second");
    hide->start(0);
    QApplication::processEvents();
    EXPECT_FALSE(Visible());
    grid->SetHint(QStringLiteral("the note now"));
    Move(DataRowPoint(2));
    Rest();
    ASSERT_TRUE(Visible());
    EXPECT_EQ(window->text(), QStringLiteral("the note now"));
}

TEST_F(GridHintTest, AnyKeyOrButtonPressAnywhereAndLeavingHideIt) {
    const struct {
        const char* what;
        std::function<void()> action;
    } cases[] = {
        {"key in the grid",
         [&] {
             QTest::keyClick(grid, Qt::Key_Down);
         }},
        {"key elsewhere",
         [&] {
             QTest::keyClick(other, Qt::Key_A);
         }},
        {"press elsewhere",
         [&] {
             QTest::mouseClick(other, Qt::LeftButton);
         }},
        {"press in the grid",
         [&] {
             QTest::mouseClick(grid, Qt::RightButton, {}, QPoint(5, 5));
         }},
        {"leaving",
         [&] {
             QEvent leave(QEvent::Leave);
             QApplication::sendEvent(grid, &leave);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ShowHint("note");
        ASSERT_TRUE(Visible());
        c.action();
        EXPECT_FALSE(Visible());
        EXPECT_FALSE(hide->isActive());
        EXPECT_FALSE(pause->isActive());
        // The next movement starts a new pause.
        Move(DataRowPoint(3));
        EXPECT_TRUE(pause->isActive());
        Move(DataRowPoint(4));
    }
}

TEST_F(GridHintTest, ANoteBeginningWithABarOrAnEmptyOneShowsNothing) {
    for (const char* hint : {"|second", ""}) {
        SCOPED_TRACE(hint);
        ShowHint(hint);
        EXPECT_FALSE(Visible());
        EXPECT_FALSE(hide->isActive());
    }
}

} // namespace
