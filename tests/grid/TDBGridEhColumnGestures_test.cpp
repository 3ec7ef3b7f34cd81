// Sizing a column by dragging its title's edge, moving a column by dragging its title, the
// horizontal scroll bar the wider columns bring, and the cursors over the grid, all through
// mouse events sent to the real grid.
#include "grid/GridCursors.h"
#include "grid/TGridHorzScrollBar.h"
#include "tests/grid/GridFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class GridGestures : public GridTest {
protected:
    GridGestures() {
        grid->OnTitleClick = [this](TColumnEh& column) {
            titleClicks.push_back(column.FieldName());
        };
        grid->OnColumnMoved = [this](int from, int to) {
            moves.push_back({from, to});
        };
        grid->OnColWidthsChanged = [this] {
            ++widthChanges;
        };
    }

    void Press(QPoint client, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(grid, button, Qt::NoModifier, Widget(client));
    }
    void Release(QPoint client, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(grid, button, Qt::NoModifier, Widget(client));
    }
    // A move of the mouse over the grid with the buttons held.
    void Move(QPoint client, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, Widget(client), grid->mapToGlobal(Widget(client)),
                         Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
    }
    void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        Press(from, button);
        Move(to, button);
        Release(to, button);
    }
    QStringList Order() const {
        QStringList names;
        for (int i = 0; i < grid->Columns().Count(); ++i)
            names << grid->Columns()[i].FieldName();
        return names;
    }
    Qt::CursorShape CursorAt(QPoint client) {
        Move(client);
        return grid->cursor().shape();
    }

    std::vector<QString> titleClicks;
    std::vector<std::pair<int, int>> moves;
    int widthChanges = 0;
};

TEST_F(GridGestures, DraggingTheTelEdgeSetsItsWidth) {
    AddNumbered(5);
    Show();
    OpenAll();
    TColumnEh& tel = grid->Columns()[0];
    Press({61, 5});
    EXPECT_EQ(grid->GridState(), TGridState::ColSizing);
    Move({100, 5}, Qt::LeftButton);
    EXPECT_EQ(grid->ColumnGesture().SizingPosition(), 100);
    EXPECT_EQ(grid->ColWidth(1), 49) << "nothing changes while dragging";
    Release({100, 5});
    EXPECT_EQ(grid->GridState(), TGridState::Normal);
    EXPECT_EQ(tel.Width(), 88);
    EXPECT_TRUE(tel.AssignedValues().Contains(cvWidth));
    EXPECT_EQ(grid->ColWidth(1), 88);
    EXPECT_EQ(widthChanges, 1);
    // A sizing release is no title click.
    EXPECT_TRUE(titleClicks.empty());
    EXPECT_EQ(grid->MouseCoord({100, 5}).X, 1);
}

TEST_F(GridGestures, ALineKeepsItsDistanceFromThePressAndTinyWidthsAreIgnored) {
    AddNumbered(5);
    Show();
    OpenAll();
    const struct {
        int pressX;
        int releaseX;
        int width;
    } cases[] = {
        {61, 13, 49}, {61, 12, 49},  {61, 0, 49},  {61, 14, 2},
        {58, 97, 88}, {65, 104, 88}, {61, 61, 49},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pressX * 1000 + c.releaseX);
        grid->Columns()[0].SetWidth(49);
        Drag({c.pressX, 5}, {c.releaseX, 5});
        EXPECT_EQ(grid->Columns()[0].Width(), c.width);
        EXPECT_EQ(grid->GridState(), TGridState::Normal);
    }
}

TEST_F(GridGestures, TheWidthStaysWithinTheColumnsLimits) {
    AddNumbered(5);
    Show();
    OpenAll();
    TColumnEh& fio = grid->Columns()[1];
    fio.SetMaxWidth(200);
    Drag({249, 5}, {300, 5});
    EXPECT_EQ(fio.Width(), 200);
    EXPECT_EQ(grid->ColWidth(2), 200);
    fio.SetMinWidth(100);
    Drag({262, 5}, {100, 5});
    EXPECT_EQ(fio.Width(), 100);
}

TEST_F(GridGestures, TheSizingLineIsDrawnOverTheGridAndGoesWithTheRelease) {
    AddNumbered(5);
    Show();
    OpenAll();
    FocusGrid();
    const QImage before = Screen();
    Press({61, 5});
    Move({150, 5}, Qt::LeftButton);
    const QImage during = Screen();
    // Dotted: every other pixel of the column x = 150 is inverted, the rest is as it was.
    for (int y = 0; y < 40; ++y) {
        const QRgb expected = y % 2 == 0 ? before.pixel(150, y) ^ 0x00FFFFFF : before.pixel(150, y);
        EXPECT_EQ(during.pixel(150, y), expected) << y;
    }
    EXPECT_EQ(ImageDifference(before.copy(0, 0, 150, 321), during.copy(0, 0, 150, 321)), "");
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid->GridState(), TGridState::Normal);
    EXPECT_EQ(ImageDifference(before, Screen()), "");
    Release({150, 5});
    EXPECT_EQ(grid->Columns()[0].Width(), 49);
    EXPECT_EQ(widthChanges, 0);
}

TEST_F(GridGestures, LosingTheFocusCancelsASizing) {
    AddNumbered(5);
    Show();
    OpenAll();
    Press({61, 5});
    Move({150, 5}, Qt::LeftButton);
    FocusElsewhere();
    EXPECT_EQ(grid->GridState(), TGridState::Normal);
    Release({150, 5});
    EXPECT_EQ(grid->Columns()[0].Width(), 49);
}

TEST_F(GridGestures, AWiderColumnBringsTheHorizontalBarAndEighteenRows) {
    AddNumbered(30);
    Show();
    OpenAll();
    ASSERT_TRUE(grid->VertScrollBar().Showing());
    ASSERT_EQ(grid->WindowCapacity(), 19);
    EXPECT_FALSE(grid->HorzScrollBar().Showing());
    Drag({249, 5}, {259, 5});
    EXPECT_EQ(grid->Columns()[1].Width(), 197);
    EXPECT_TRUE(grid->HorzScrollBar().Showing());
    EXPECT_EQ(grid->ClientHeight(), 304);
    const QScrollBar& bar = grid->HorzScrollBar().Control();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.geometry(), QRect(1, 305, 412, 17));
    EXPECT_EQ(bar.maximum(), 127);
    EXPECT_EQ(grid->VertScrollBar().Control().geometry().height(), 304);
    // The next search fills the lower client area.
    query.Close();
    OpenAll();
    EXPECT_EQ(grid->WindowCapacity(), 18);
    EXPECT_EQ(grid->RowCount(), 19);
    // Narrowing the column again removes the bar.
    Drag({259, 5}, {249, 5});
    EXPECT_FALSE(grid->HorzScrollBar().Showing());
    EXPECT_EQ(grid->ClientHeight(), 321);
    EXPECT_EQ(grid->WindowCapacity(), 19);
}

TEST_F(GridGestures, TheBarComesWhenTheColumnsNeedMoreThanTheClientWidth) {
    // Without the vertical bar the client width is 429: Fio may grow by 20 pixels.
    const struct {
        int records;
        int widening;
        bool bar;
    } cases[] = {{1, 20, false}, {1, 21, true}, {30, 3, false}, {30, 4, true}};
    Show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.records * 100 + c.widening);
        query.Close();
        RemoveAllEntries();
        AddNumbered(c.records);
        grid->Columns()[1].SetWidth(187);
        OpenAll();
        ASSERT_EQ(grid->VertScrollBar().Showing(), c.records > 1);
        Drag({249, 5}, {249 + c.widening, 5});
        EXPECT_EQ(grid->HorzScrollBar().Showing(), c.bar);
    }
}

TEST_F(GridGestures, TheBarAndTheArrowKeysMoveTheLeftColumn) {
    AddNumbered(30);
    Show();
    OpenAll();
    FocusGrid();
    Key(Qt::Key_Right);
    EXPECT_EQ(grid->LeftCol(), 1) << "the columns fit";
    Drag({249, 5}, {300, 5});
    ASSERT_TRUE(grid->HorzScrollBar().Showing());
    QScrollBar& bar = grid->HorzScrollBar().Control();
    EXPECT_EQ(bar.value(), 0);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid->LeftCol(), 2);
    EXPECT_EQ(bar.value(), 127);
    EXPECT_EQ(grid->MouseCoord({20, 40}).X, 2);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid->LeftCol(), 2) << "Name shows whole already";
    Key(Qt::Key_Left);
    EXPECT_EQ(grid->LeftCol(), 1);
    EXPECT_EQ(bar.value(), 0);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->LeftCol(), 2);
    bar.triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(grid->LeftCol(), 1);
    EXPECT_EQ(bar.value(), 0);
}

TEST_F(GridGestures, DraggingTheAddressTitleToTheLeftMovesTheColumn) {
    AddNumbered(5);
    Show();
    OpenAll();
    FocusGrid();
    Key(Qt::Key_Down);
    Press({300, 5});
    EXPECT_EQ(grid->GridState(), TGridState::ColMoving);
    auto* timer = grid->findChild<QTimer*>(QStringLiteral("MoveTimer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 60);
    Move({100, 5}, Qt::LeftButton);
    EXPECT_EQ(grid->ColumnGesture().MovePosition(), 2);
    Move({2, 5}, Qt::LeftButton);
    EXPECT_EQ(grid->ColumnGesture().MovePosition(), 1);
    Release({2, 5});
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(grid->GridState(), TGridState::Normal);
    EXPECT_EQ(Order(), (QStringList{"Name", "Tel", "Fio"}));
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 0}}));
    EXPECT_EQ(widthChanges, 1);
    // The release over the indicator clicks no title; over a title it would.
    EXPECT_TRUE(titleClicks.empty());
    EXPECT_EQ(grid->ColWidth(1), 159);
    EXPECT_EQ(grid->ColWidth(2), 49);
    EXPECT_EQ(grid->Columns()[0].Width(), 159);
    EXPECT_EQ(grid->Columns()[0].Title().Caption(), QStringLiteral("Адрес"));

    // Until the record moves, the current column follows the moved ones: still Tel.
    EXPECT_EQ(grid->Col(), 2);
    Key(Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Tel")).AsFloat(), 200001.0);
    Key(Qt::Key_Escape);
    // From the next move on, the first column is current: Name.
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->Col(), 1);
    Key(Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("LENINA 002"));
    EXPECT_EQ(query.FieldByName(QStringLiteral("Tel")).AsFloat(), 200003.0);
    Key(Qt::Key_Escape);
}

TEST_F(GridGestures, TheReleaseOverATitleClicksTheColumnNowUnderTheMouse) {
    AddNumbered(5);
    Show();
    OpenAll();
    Drag({100, 5}, {350, 5});
    EXPECT_EQ(Order(), (QStringList{"Tel", "Name", "Fio"}));
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(titleClicks, std::vector<QString>{QStringLiteral("Fio")});
    // A right-button drag moves too.
    Drag({30, 5}, {300, 5}, Qt::RightButton);
    EXPECT_EQ(Order(), (QStringList{"Name", "Fio", "Tel"}));
    EXPECT_EQ(titleClicks.back(), QStringLiteral("Fio"));
}

TEST_F(GridGestures, APressAndReleaseOnATitleOnlyClicksIt) {
    AddNumbered(5);
    Show();
    OpenAll();
    Drag({100, 5}, {110, 5});
    EXPECT_EQ(Order(), (QStringList{"Tel", "Fio", "Name"}));
    EXPECT_TRUE(moves.empty());
    EXPECT_EQ(widthChanges, 0);
    EXPECT_EQ(titleClicks, std::vector<QString>{QStringLiteral("Fio")});
}

TEST_F(GridGestures, EscDuringAMoveRemovesTheLineAndMovesNothing) {
    AddNumbered(5);
    Show();
    OpenAll();
    FocusGrid();
    const QImage before = Screen();
    Press({300, 5});
    Move({30, 5}, Qt::LeftButton);
    const QImage during = Screen();
    // The five-pixel line at Tel's left edge inverts what lies under it.
    for (int x = 10; x <= 14; ++x)
        EXPECT_EQ(during.pixel(x, 100), before.pixel(x, 100) ^ 0x00FFFFFF) << x;
    EXPECT_EQ(during.pixel(9, 100), before.pixel(9, 100));
    EXPECT_EQ(during.pixel(15, 100), before.pixel(15, 100));
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid->GridState(), TGridState::Normal);
    EXPECT_FALSE(grid->findChild<QTimer*>(QStringLiteral("MoveTimer"))->isActive());
    EXPECT_EQ(ImageDifference(before, Screen()), "");
    Release({30, 5});
    EXPECT_EQ(Order(), (QStringList{"Tel", "Fio", "Name"}));
    EXPECT_TRUE(moves.empty());
}

TEST_F(GridGestures, TheMoveLineMarksTheRightEdgeOfATargetOnTheRight) {
    AddNumbered(5);
    Show();
    OpenAll();
    FocusGrid();
    const QImage before = Screen();
    Press({30, 5});
    Move({300, 5}, Qt::LeftButton);
    const QImage during = Screen();
    // Name's cell ends at 409.
    for (int x = 407; x <= 411; ++x)
        EXPECT_EQ(during.pixel(x, 50), before.pixel(x, 50) ^ 0x00FFFFFF) << x;
    Release({300, 5});
    EXPECT_EQ(Order(), (QStringList{"Fio", "Name", "Tel"}));
}

TEST_F(GridGestures, AMoveBeyondTheColumnsScrollsThemStepByStep) {
    AddNumbered(30);
    Show();
    OpenAll();
    grid->Columns()[1].SetWidth(300);
    ASSERT_TRUE(grid->HorzScrollBar().Showing());
    auto* timer = grid->findChild<QTimer*>(QStringLiteral("MoveTimer"));
    const auto tick = [&] {
        timer->start(0);
        QApplication::processEvents();
    };
    Press({30, 5});
    // Right of the client area, with Name cut off: one column per movement or tick.
    Move({450, 5}, Qt::LeftButton);
    EXPECT_EQ(grid->LeftCol(), 2);
    tick();
    EXPECT_EQ(grid->LeftCol(), 3);
    tick();
    EXPECT_EQ(grid->LeftCol(), 3) << "Name shows whole";
    EXPECT_EQ(grid->ColumnGesture().MovePosition(), 3);
    // Left of the columns they scroll back, and the target is the left column.
    Move({5, 5}, Qt::LeftButton);
    EXPECT_EQ(grid->LeftCol(), 2);
    EXPECT_EQ(grid->ColumnGesture().MovePosition(), 2);
    tick();
    EXPECT_EQ(grid->LeftCol(), 1);
    EXPECT_EQ(grid->ColumnGesture().MovePosition(), 1);
    Move({450, 5}, Qt::LeftButton);
    tick();
    Release({450, 5});
    EXPECT_EQ(Order(), (QStringList{"Fio", "Name", "Tel"}));
    EXPECT_EQ(grid->HorzScrollBar().Control().value(), 127);
}

TEST_F(GridGestures, ARightPressOnATitleEdgeDoesNothing) {
    AddNumbered(5);
    Show();
    OpenAll();
    Drag({61, 5}, {100, 5}, Qt::RightButton);
    EXPECT_EQ(grid->GridState(), TGridState::Normal);
    EXPECT_EQ(grid->Columns()[0].Width(), 49);
    EXPECT_EQ(Order(), (QStringList{"Tel", "Fio", "Name"}));
    EXPECT_TRUE(titleClicks.empty());
    // Nor does a right press and release on a title during a sizing.
    Press({61, 5});
    Move({120, 5}, Qt::LeftButton);
    Press({300, 5}, Qt::RightButton);
    Release({300, 5}, Qt::RightButton);
    EXPECT_EQ(grid->GridState(), TGridState::ColSizing);
    Release({120, 5});
    EXPECT_EQ(grid->Columns()[0].Width(), 108);
    EXPECT_EQ(Order(), (QStringList{"Tel", "Fio", "Name"}));
}

// The scroll bars are the grid's children, but the cursor the cells last showed (the sizing
// split, the row-select arrow) is not theirs: they show the ordinary arrow.
TEST_F(GridGestures, TheScrollBarsShowTheArrowWhateverTheCellsShow) {
    AddNumbered(100);
    Show();
    OpenAll();
    const auto* vertical = grid->findChild<QScrollBar*>(QStringLiteral("VertScrollBar"));
    const auto* horizontal = grid->findChild<QScrollBar*>(QStringLiteral("HorzScrollBar"));
    ASSERT_TRUE(vertical != nullptr && horizontal != nullptr);
    ASSERT_TRUE(vertical->isVisible());
    for (const QPoint point : {QPoint(61, 5), QPoint(5, 23)}) {
        ASSERT_NE(CursorAt(point), Qt::ArrowCursor);
        EXPECT_EQ(vertical->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(horizontal->cursor().shape(), Qt::ArrowCursor);
    }
}

TEST_F(GridGestures, TheCursorTellsWhatAPressWouldDo) {
    AddNumbered(5);
    Show();
    OpenAll();
    const struct {
        QPoint point;
        Qt::CursorShape shape;
    } cases[] = {
        {{57, 5}, Qt::ArrowCursor},          {{58, 5}, Qt::SplitHCursor},
        {{65, 5}, Qt::SplitHCursor},         {{66, 5}, Qt::ArrowCursor},
        {{61, 23}, Qt::ArrowCursor},         {{249, 15}, Qt::SplitHCursor},
        {{249, 16}, Qt::ArrowCursor},        {{12, 5}, Qt::ArrowCursor},
        {{11, 5}, Qt::ArrowCursor},          {{413, 5}, Qt::SplitHCursor},
        {{5, 23}, Qt::BitmapCursor},         {{5, 23 + 16 * 4}, Qt::BitmapCursor},
        {{5, 23 + 16 * 5}, Qt::ArrowCursor},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CursorAt(c.point), c.shape) << c.point.x() << "," << c.point.y();
    Move({5, 40});
    EXPECT_EQ(grid->cursor().pixmap().toImage(),
              GridCursors::Load().RowSelect(Qt::LeftToRight).pixmap().toImage());
    // During a sizing the split cursor stays wherever the mouse goes.
    Press({61, 5});
    Move({200, 150}, Qt::LeftButton);
    EXPECT_EQ(grid->cursor().shape(), Qt::SplitHCursor);
    Release({200, 150});
    EXPECT_EQ(grid->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(GridGestures, TheIndicatorSelectsRowsOnlyWhileRecordsShow) {
    Show();
    EXPECT_EQ(CursorAt({5, 23}), Qt::ArrowCursor) << "closed";
    OpenAll();
    EXPECT_EQ(CursorAt({5, 23}), Qt::ArrowCursor) << "empty";
    query.Close();
    AddNumbered(2);
    OpenAll();
    EXPECT_EQ(CursorAt({5, 23}), Qt::BitmapCursor);
    query.Close();
    EXPECT_EQ(CursorAt({5, 24}), Qt::ArrowCursor) << "closed again";
}

} // namespace
