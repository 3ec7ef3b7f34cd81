// The left click on a data row: the press makes the record current, the release fires
// OnCellClick with that record current; and the grid's hint text.
#include "grid/ShortHint.h"
#include "tests/grid/GridFixture.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class GridMouse : public GridTest {
protected:
    GridMouse() {
        grid->OnCellClick = [this](TColumnEh& column) {
            clicks.push_back({column.FieldName(), query.Active() ? query.RecNo() : 0});
        };
        grid->OnTitleClick = [this](TColumnEh& column) {
            titleClicks.push_back(column.FieldName());
        };
    }

    void Press(QPoint client, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(grid, button, Qt::NoModifier, Widget(client));
    }
    void Release(QPoint client, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(grid, button, Qt::NoModifier, Widget(client));
    }
    // A move of the mouse over the grid, sent straight to it.
    void Move(QPoint client) {
        QMouseEvent move(QEvent::MouseMove, Widget(client), grid->mapToGlobal(Widget(client)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
    }
    void Click(QPoint client, Qt::MouseButton button = Qt::LeftButton) {
        Press(client, button);
        Release(client, button);
    }

    struct CellClick {
        QString column;
        long recNo;
        friend bool operator==(const CellClick&, const CellClick&) = default;
    };
    std::vector<CellClick> clicks;
    std::vector<QString> titleClicks;
};

TEST_F(GridMouse, ThePressMakesTheRecordCurrentAndTheReleaseFires) {
    AddNumbered(30);
    Show();
    OpenAll();
    Press(DataRowPoint(4));
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(query.RecNo(), 5);
    EXPECT_TRUE(clicks.empty());
    Release(DataRowPoint(4));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].column, QStringLiteral("Fio"));
    EXPECT_EQ(clicks[0].recNo, 5);
}

struct ColumnCase {
    int x;
    const char* column;
};

TEST_F(GridMouse, TheEventNamesTheColumnUnderTheMouse) {
    AddNumbered(10);
    Show();
    OpenAll();
    const ColumnCase cases[] = {
        {12, "Tel"}, {61, "Tel"}, {62, "Fio"}, {300, "Name"}, {409, "Name"}};
    for (const ColumnCase& c : cases) {
        SCOPED_TRACE(c.x);
        clicks.clear();
        Click(DataRowPoint(2, c.x));
        ASSERT_EQ(clicks.size(), 1u);
        EXPECT_EQ(clicks[0].column, QString::fromUtf8(c.column));
        EXPECT_EQ(clicks[0].recNo, 3);
    }
}

struct NoClickCase {
    const char* what;
    QPoint point;
    long recNo;
};

TEST_F(GridMouse, ClicksOutsideTheDataCellsFireNothing) {
    AddNumbered(5);
    Show();
    OpenAll();
    query.MoveBy(1);
    const NoClickCase cases[] = {
        {"indicator", QPoint(5, 23 + 32), 3},
        {"corner", QPoint(5, 5), 3},
        {"title", QPoint(100, 5), 3},
        {"below the last row", DataRowPoint(8), 3},
        {"beside the grid", QPoint(415, 40), 3},
    };
    for (const NoClickCase& c : cases) {
        SCOPED_TRACE(c.what);
        Click(c.point);
        EXPECT_EQ(query.RecNo(), c.recNo);
    }
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(titleClicks, std::vector<QString>{QStringLiteral("Fio")});
}

TEST_F(GridMouse, ARightClickMovesButFiresNothing) {
    AddNumbered(10);
    Show();
    OpenAll();
    Click(DataRowPoint(6), Qt::RightButton);
    EXPECT_EQ(query.RecNo(), 7);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(GridMouse, EachReleaseOfADoubleClickFiresAndTheSecondPressDoesNotMove) {
    AddNumbered(10);
    Show();
    OpenAll();
    Click(DataRowPoint(3));
    query.MoveBy(2);
    QTest::mouseDClick(grid, Qt::LeftButton, Qt::NoModifier, Widget(DataRowPoint(3)));
    Release(DataRowPoint(3));
    EXPECT_EQ(query.RecNo(), 6);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].recNo, 4);
    EXPECT_EQ(clicks[1].recNo, 6);
}

TEST_F(GridMouse, TheEmptyRowOfAClosedOrEmptyQueryCounts) {
    Show();
    Click(DataRowPoint(0));
    OpenAll();
    Click(DataRowPoint(0, 30));
    Click(DataRowPoint(1));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].column, QStringLiteral("Fio"));
    EXPECT_EQ(clicks[1].column, QStringLiteral("Tel"));
}

TEST_F(GridMouse, AClickOnTheCurrentRowDoesNotMove) {
    AddNumbered(30);
    Show();
    OpenAll();
    query.MoveBy(25);
    ASSERT_EQ(grid->Row(), 19);
    Click(DataRowPoint(18));
    EXPECT_EQ(query.RecNo(), 26);
    Click(DataRowPoint(0));
    EXPECT_EQ(query.RecNo(), 8);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1].recNo, 8);
}

struct HintCase {
    const char* hint;
    const char* shown;
};

TEST(GridHint, ShowsThePartBeforeTheFirstBar) {
    const HintCase cases[] = {
        {"first|second", "first"},    {"|second", ""}, {"", ""},
        {"plain note", "plain note"}, {"a|b|c", "a"},
    };
    for (const HintCase& c : cases)
        EXPECT_EQ(GetShortHint(QString::fromUtf8(c.hint)), QString::fromUtf8(c.shown)) << c.hint;
}

TEST_F(GridMouse, MovingTheMouseStartsTheHintPause) {
    Show();
    auto* timer = grid->findChild<QTimer*>(QStringLiteral("HintTimer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 500);
    EXPECT_FALSE(timer->isActive());
    Move(DataRowPoint(2));
    EXPECT_TRUE(timer->isActive());
    Press(DataRowPoint(2));
    EXPECT_FALSE(timer->isActive());
}

struct ShownHintCase {
    const char* hint;
    const char* shown;
};

TEST_F(GridMouse, TheRestingMouseShowsTheShortHint) {
    const ShownHintCase cases[] = {{"first|second", "first"}, {"|second", ""}, {"", ""}};
    Show();
    auto* timer = grid->findChild<QTimer*>(QStringLiteral("HintTimer"));
    ASSERT_NE(timer, nullptr);
    auto* hint = grid->findChild<QLabel*>(QStringLiteral("HintWindow"));
    ASSERT_NE(hint, nullptr);
    int row = 0;
    for (const ShownHintCase& c : cases) {
        SCOPED_TRACE(c.hint);
        grid->SetHint(QString::fromUtf8(c.hint));
        // Each case rests the mouse somewhere else, so that it really moves.
        const QPoint point = DataRowPoint(++row);
        Move(point);
        ASSERT_TRUE(timer->isActive());
        // The pause is over: run its end now instead of waiting for it.
        timer->start(0);
        QApplication::processEvents();
        const bool shows = *c.shown != '\0';
        EXPECT_EQ(hint->isVisible(), shows);
        if (shows) {
            EXPECT_EQ(hint->text(), QString::fromUtf8(c.shown));
        }
        Press(point);
        Release(point);
        EXPECT_FALSE(hint->isVisible());
    }
}

} // namespace
