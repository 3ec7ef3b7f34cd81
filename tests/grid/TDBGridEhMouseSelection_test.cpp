// Selecting with the mouse: plain, Ctrl and Shift clicks, the corner cell, the right button,
// and the row drag that steps on by the tracking timer beyond the rows.
#include "grid/GridPainting.h"
#include "tests/grid/GridFixture.h"
#include "tests/grid/PaintedImage.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Recs = std::vector<long>;

class GridMouseSelection : public GridTest {
protected:
    GridMouseSelection() {
        grid->OnCellClick = [this](TColumnEh&) {
            clicked.push_back(query.RecNo());
        };
        grid->OnTitleClick = [this](TColumnEh& column) {
            titles.push_back(column.FieldName());
        };
    }
    void Click(int k, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(grid, Qt::LeftButton, modifiers, Widget(DataRowPoint(k)));
    }
    void Press(QPoint client, Qt::MouseButton button) {
        QTest::mousePress(grid, button, Qt::NoModifier, Widget(client));
    }
    void Release(QPoint client, Qt::MouseButton button) {
        QTest::mouseRelease(grid, button, Qt::NoModifier, Widget(client));
    }
    // A move with a button held, sent straight to the grid.
    void Drag(QPoint client, Qt::MouseButton button) {
        QMouseEvent move(QEvent::MouseMove, Widget(client), grid->mapToGlobal(Widget(client)),
                         Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
    }
    QTimer& TrackingTimer() const {
        return *grid->findChild<QTimer*>(QStringLiteral("TrackingTimer"));
    }

    std::vector<long> clicked;
    std::vector<QString> titles;
};

struct ClickStep {
    int row;
    Qt::KeyboardModifiers modifiers;
    Recs selected;
    long current;
};

struct ClickSequence {
    const char* what;
    std::vector<ClickStep> steps;
};

TEST_F(GridMouseSelection, ClickSequencesSelectAsExpected) {
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    // Data row k shows record k + 1.
    const ClickSequence sequences[] = {
        {"a plain click selects only its row", {{3, {}, {4}, 4}, {5, {}, {6}, 6}}},
        {"Ctrl toggles",
         {{4, {}, {5}, 5}, {2, ctrl, {3, 5}, 3}, {6, ctrl, {3, 5, 7}, 7}, {4, ctrl, {3, 7}, 5}}},
        {"Shift extends from the last press, and moving back towards it only adds",
         {{4, {}, {5}, 5},
          {9, shift, {5, 6, 7, 8, 9, 10}, 10},
          {6, shift, {5, 6, 7, 8, 9, 10}, 7}}},
    };
    for (const ClickSequence& sequence : sequences) {
        SCOPED_TRACE(sequence.what);
        StartOnNumbered(20);
        for (const ClickStep& step : sequence.steps) {
            SCOPED_TRACE(step.row);
            clicked.clear();
            Click(step.row, step.modifiers);
            EXPECT_EQ(SelectedRecNos(), step.selected);
            EXPECT_EQ(query.RecNo(), step.current);
            // The release fires with the clicked record current.
            EXPECT_EQ(clicked, Recs{step.current});
        }
        query.Close();
        RemoveAllEntries();
    }
}

TEST_F(GridMouseSelection, TheCornerSelectsEverythingAndThenNothing) {
    StartOnNumbered(5);
    const QPoint corner(5, 7);
    QTest::mouseClick(grid, Qt::LeftButton, {}, Widget(corner));
    EXPECT_EQ(grid->Selection().SelectionType(), gstAll);
    const QImage image = Paint();
    // Every other row tinted, titles and indicators darkened with a sunken frame.
    const TColor evenRow = RGB(240, 251, 255);
    EXPECT_EQ(PixelAt(image, 100, 39), TintColor(evenRow, clHighlight, true));
    EXPECT_EQ(PixelAt(image, 100, 55), TintColor(clWhite, clHighlight, true));
    EXPECT_EQ(PixelAt(image, 240, 8), RGB(64, 64, 64));
    EXPECT_EQ(PixelAt(image, 5, 40), RGB(64, 64, 64));
    EXPECT_EQ(PixelAt(image, 0, 40), ColorToRGB(clBtnShadow));
    EXPECT_TRUE(clicked.empty());
    // The right button works the corner too.
    QTest::mouseClick(grid, Qt::RightButton, {}, Widget(corner));
    EXPECT_EQ(grid->Selection().SelectionType(), gstNon);
    EXPECT_EQ(PixelAt(Paint(), 240, 8), ColorToRGB(clMoneyGreen));
}

TEST_F(GridMouseSelection, TheRightButtonMovesWithoutSelectingAndClicksTitlesAsTheLeft) {
    StartOnNumbered(10);
    Click(2);
    QTest::mouseClick(grid, Qt::RightButton, {}, Widget(DataRowPoint(6)));
    EXPECT_EQ(query.RecNo(), 7);
    EXPECT_EQ(SelectedRecNos(), Recs{3});
    EXPECT_EQ(clicked, Recs{3});
    QTest::mouseClick(grid, Qt::RightButton, {}, Widget(QPoint(100, 7)));
    EXPECT_EQ(titles, std::vector<QString>{QStringLiteral("Fio")});
}

TEST_F(GridMouseSelection, ALeftDragSelectsAndTheTimerStepsOnBelowTheRows) {
    StartOnNumbered(60);
    Press(DataRowPoint(2), Qt::LeftButton);
    Drag(DataRowPoint(5), Qt::LeftButton);
    EXPECT_EQ(SelectedRecNos(), (Recs{3, 4, 5, 6}));
    EXPECT_FALSE(TrackingTimer().isActive());
    // Ten pixels below the rows (which end at y 320): one record a step, every 50 ms.
    Drag(QPoint(100, 329), Qt::LeftButton);
    ASSERT_TRUE(TrackingTimer().isActive());
    EXPECT_EQ(TrackingTimer().interval(), 50);
    // Thirty pixels below: five records a step, without a pause.
    Drag(QPoint(100, 349), Qt::LeftButton);
    QMetaObject::invokeMethod(&TrackingTimer(), "timeout");
    EXPECT_EQ(query.RecNo(), 11);
    EXPECT_EQ(TrackingTimer().interval(), 0);
    EXPECT_EQ(SelectedRecNos().size(), 9u);
    // Back over the rows the timer stops; the release ends the drag without a cell click.
    Drag(DataRowPoint(10), Qt::LeftButton);
    EXPECT_FALSE(TrackingTimer().isActive());
    Release(DataRowPoint(10), Qt::LeftButton);
    EXPECT_EQ(query.RecNo(), 11);
    EXPECT_EQ(clicked, Recs{11});
}

TEST_F(GridMouseSelection, ADragWhoseReleaseWentElsewhereStops) {
    StartOnNumbered(60);
    Press(DataRowPoint(2), Qt::LeftButton);
    Drag(QPoint(100, 349), Qt::LeftButton);
    ASSERT_TRUE(TrackingTimer().isActive());
    // Another window took the mouse: the next move over the grid has no button held.
    Drag(QPoint(100, 200), Qt::NoButton);
    EXPECT_FALSE(TrackingTimer().isActive());
    EXPECT_EQ(grid->Selection().MouseSelectionMode(), TMouseSelectionMode::None);
    // So does losing the focus in the middle of a drag.
    Press(DataRowPoint(2), Qt::LeftButton);
    Drag(QPoint(100, 349), Qt::LeftButton);
    ASSERT_TRUE(TrackingTimer().isActive());
    FocusElsewhere();
    EXPECT_FALSE(TrackingTimer().isActive());
    Release(DataRowPoint(2), Qt::LeftButton);
}

TEST_F(GridMouseSelection, ARightDragMovesAndClearsTheSelection) {
    StartOnNumbered(20);
    Click(1);
    Press(DataRowPoint(3), Qt::RightButton);
    Drag(DataRowPoint(6), Qt::RightButton);
    Release(DataRowPoint(6), Qt::RightButton);
    EXPECT_EQ(query.RecNo(), 7);
    EXPECT_EQ(SelectedRecNos(), Recs{});
}

TEST(GridTracking, StepsAndPausesGrowWithTheDistance) {
    const int distances[] = {1, 5, 6, 13, 14, 48, 100};
    const int steps[] = {0, 0, 1, 2, 2, 8, 8};
    const int pauses[] = {185, 125, 110, 5, 0, 0, 0};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(TDBGridEh::TrackingStep(distances[i]), steps[i]) << distances[i];
        EXPECT_EQ(TDBGridEh::TrackingInterval(distances[i]), pauses[i]) << distances[i];
    }
}

} // namespace
