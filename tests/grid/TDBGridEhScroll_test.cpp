// Moving through the result with the scroll bar and the wheel, and what the grid repaints when
// the row window moves.
#include "data/TWideStringField.h"
#include "tests/grid/GridFixture.h"

#include <QApplication>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <functional>
#include <string_view>

#include <gtest/gtest.h>

namespace {

using GridScroll = GridTest;

struct CommandCase {
    const char* what;
    std::function<void(TADOQuery&)> start;
    TScrollCode code;
    int position;
    long recNo;
    int windowPosition;
};

void Moved(TADOQuery& query, int distance) {
    query.MoveBy(distance);
}

TEST_F(GridScroll, CommandsOfTheRecordNumberBar) {
    const CommandCase cases[] = {
        {"line down at the top", [](TADOQuery&) {}, scLineDown, 0, 20, 18},
        {"line down at row 4", [](TADOQuery& q) { Moved(q, 3); }, scLineDown, 0, 20, 18},
        {"line up at the first record", [](TADOQuery&) {}, scLineUp, 0, 1, 0},
        {"line up at the end", [](TADOQuery& q) { q.Last(); }, scLineUp, 0, 181, 0},
        {"page down", [](TADOQuery&) {}, scPageDown, 0, 20, 18},
        {"page up at the end", [](TADOQuery& q) { q.Last(); }, scPageUp, 0, 181, 0},
        {"thumb at 1", [](TADOQuery& q) { Moved(q, 50); }, scPosition, 1, 1, 0},
        {"thumb at 0", [](TADOQuery& q) { Moved(q, 50); }, scPosition, 0, 1, 0},
        {"thumb at 100", [](TADOQuery&) {}, scPosition, 100, 100, 9},
        {"thumb at the record count", [](TADOQuery&) {}, scPosition, 200, 200, 18},
        {"top", [](TADOQuery& q) { Moved(q, 50); }, scTop, 0, 1, 0},
        {"bottom", [](TADOQuery&) {}, scBottom, 0, 200, 18},
        {"dragging without tracking", [](TADOQuery&) {}, scTrack, 100, 1, 0},
        {"end of scrolling", [](TADOQuery& q) { Moved(q, 5); }, scEndScroll, 0, 6, 5},
    };
    AddNumbered(200);
    Show();
    FocusGrid();
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.what);
        OpenAll();
        c.start(query);
        grid->VertScrollCommand(c.code, c.position);
        EXPECT_EQ(query.RecNo(), c.recNo);
        EXPECT_EQ(grid->DataLink().ActiveRecord(), c.windowPosition);
        EXPECT_EQ(grid->Row(), 1 + c.windowPosition);
        EXPECT_EQ(grid->VertScrollBar().Settings().Pos, c.recNo);
        EXPECT_EQ(grid->VertScrollBar().Control().value(), c.recNo);
    }
}

struct ThreeStateCase {
    int start;
    int position;
    long recNo;
};

TEST_F(GridScroll, ThumbPositionsOfTheThreeStateBar) {
    std::vector<DirectoryEntry> entries;
    for (int k = 1; k <= 60; ++k)
        entries.push_back({200000.0 + k,
                           QStringLiteral("Ivanov %1").arg(k, 2, 10, QChar('0')),
                           QStringLiteral("LENINA %1").arg(k, 2, 10, QChar('0')),
                           {}});
    addEntries(entries);
    const ThreeStateCase cases[] = {
        {30, 0, 1}, {30, 1, 11}, {30, 2, 30}, {30, 3, 49}, {30, 4, 60},
    };
    Show();
    FocusGrid();
    for (const ThreeStateCase& c : cases) {
        SCOPED_TRACE(c.position);
        OpenFiltered(QStringLiteral("LENINA"), QStringLiteral("Ivanov"));
        query.MoveBy(c.start - 1);
        grid->VertScrollCommand(scPosition, c.position);
        EXPECT_EQ(query.RecNo(), c.recNo);
    }
}

TEST_F(GridScroll, TheBarsOwnArrowAndThumbMoveTheRecord) {
    AddNumbered(200);
    Show();
    OpenAll();
    QScrollBar& bar = grid->VertScrollBar().Control();
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(query.RecNo(), 20);
    EXPECT_EQ(bar.value(), 20);
    bar.setSliderDown(true);
    bar.setSliderPosition(120);
    EXPECT_EQ(query.RecNo(), 20);
    bar.setSliderDown(false);
    EXPECT_EQ(query.RecNo(), 120);
    EXPECT_EQ(bar.value(), 120);
    // A command that cannot move leaves the thumb where the record is.
    query.Last();
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(query.RecNo(), 200);
    EXPECT_EQ(bar.sliderPosition(), 200);
    EXPECT_EQ(
        ImageDifference(ScreenOf(bar), bar.grab().toImage().convertToFormat(QImage::Format_RGB32)),
        "");
}

TEST_F(GridScroll, CommandsOnAClosedQueryDoNothing) {
    AddNumbered(5);
    Show();
    FocusGrid();
    grid->VertScrollCommand(scBottom, 0);
    grid->VertScrollCommand(scPosition, 3);
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(grid->RowCount(), 2);
}

struct WheelCase {
    const char* what;
    std::vector<int> deltas;
    long recNo;
};

void Turn(TDBGridEh& grid, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&grid, &event);
}

TEST_F(GridScroll, TheWheelMovesOneRecordPerNotch) {
    const WheelCase cases[] = {
        {"one notch down", {-120}, 11},   {"one notch up", {120}, 9},
        {"two notches down", {-240}, 12}, {"two half notches up", {60, 60}, 9},
        {"half a notch", {-60}, 10},      {"down and up", {-120, 120}, 10},
    };
    AddNumbered(40);
    Show();
    FocusGrid();
    for (const WheelCase& c : cases) {
        SCOPED_TRACE(c.what);
        OpenAll();
        query.MoveBy(9);
        for (int delta : c.deltas)
            Turn(*grid, delta);
        EXPECT_EQ(query.RecNo(), c.recNo);
    }
}

TEST_F(GridScroll, TheWheelNeedsTheFocusAndAnOpenQuery) {
    AddNumbered(40);
    Show();
    FocusGrid();
    Turn(*grid, -120);
    EXPECT_FALSE(query.Active());
    OpenAll();
    Turn(*grid, -120, Qt::ControlModifier);
    EXPECT_EQ(query.RecNo(), 2);
    FocusElsewhere();
    Turn(*grid, -120);
    EXPECT_EQ(query.RecNo(), 2);
}

// Collects the regions of the grid's paint events, in client coordinates.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(TDBGridEh& grid) : grid_(grid) { grid.installEventFilter(this); }
    ~PaintRecorder() override { grid_.removeEventFilter(this); }
    QRegion Painted() const {
        return region_.translated(-grid_.ClientRect().topLeft()) &
               QRect(QPoint(0, 0), grid_.ClientRect().size());
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            region_ += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

private:
    TDBGridEh& grid_;
    QRegion region_;
};

// Entries whose names come in groups of three, so that the grid hides duplicates.
std::vector<DirectoryEntry> Groups(int count) {
    std::vector<DirectoryEntry> entries;
    for (int k = 1; k <= count; ++k)
        entries.push_back({200000.0 + k,
                           QStringLiteral("Group %1").arg((k - 1) / 3, 3, 10, QChar('0')),
                           QStringLiteral("LENINA %1").arg(k, 3, 10, QChar('0')),
                           {}});
    return entries;
}

TEST_F(GridScroll, DownAtTheLastVisibleRowShiftsTheWindowByOne) {
    addEntries(Groups(60));
    Show();
    OpenAll();
    FocusGrid();
    query.MoveBy(18);
    Screen();
    const PaintRecorder recorder(*grid);
    EXPECT_EQ(query.MoveBy(1), 1);
    EXPECT_EQ(query.RecNo(), 20);
    EXPECT_EQ(grid->DataLink().ActiveRecord(), 18);
    EXPECT_EQ(grid->Row(), 19);
    const QImage screen = Screen();
    // Repainted: the first row's Fio cell (its upper neighbour changed) and the bottom rows, where
    // the uncovered band, the new current row and the old one's moved indicator lie.
    const QRegion expected = QRegion(62, 16, 187, 15) + QRegion(0, 288, 412, 32);
    EXPECT_EQ(recorder.Painted(), expected);
    EXPECT_EQ(ImageDifference(screen, Paint()), "");
}

struct MoveCase {
    const char* what;
    std::function<void(TDBGridEh&, TADOQuery&)> moves;
};

TEST_F(GridScroll, WhatTheWindowShowsAfterMovesIsAFreshPaint) {
    const MoveCase cases[] = {
        {"two downs at the bottom",
         [](TDBGridEh&, TADOQuery& q) {
             q.MoveBy(1);
             q.MoveBy(1);
         }},
        {"line down at row 4",
         [](TDBGridEh& g, TADOQuery& q) {
             q.MoveBy(-15);
             g.VertScrollCommand(scLineDown, 0);
         }},
        {"up at the top of a shifted window",
         [](TDBGridEh&, TADOQuery& q) {
             q.MoveBy(5);
             q.MoveBy(-18);
             q.MoveBy(-1);
         }},
        {"inside the window",
         [](TDBGridEh&, TADOQuery& q) {
             q.MoveBy(-7);
         }},
        {"ten rows down",
         [](TDBGridEh&, TADOQuery& q) {
             q.MoveBy(10);
         }},
        {"beyond a page",
         [](TDBGridEh&, TADOQuery& q) {
             q.MoveBy(30);
         }},
        {"page up",
         [](TDBGridEh& g, TADOQuery&) {
             g.VertScrollCommand(scPageUp, 0);
         }},
    };
    addEntries(Groups(90));
    Show();
    FocusGrid();
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.what);
        OpenAll();
        query.MoveBy(40);
        Screen();
        c.moves(*grid, query);
        EXPECT_EQ(ImageDifference(Screen(), Paint()), "");
        // The scroll bar repaints only its thumb's old and new place.
        QWidget& bar = grid->VertScrollBar().Control();
        EXPECT_EQ(ImageDifference(ScreenOf(bar),
                                  bar.grab().toImage().convertToFormat(QImage::Format_RGB32)),
                  "");
    }
}

struct ChangeCase {
    const char* what;
    std::function<void()> change;
};

TEST_F(GridScroll, WhatTheWindowShowsAfterOtherChangesIsAFreshPaint) {
    const ChangeCase cases[] = {
        {"focus in",
         [this] {
             grid->setFocus();
         }},
        {"focus out",
         [this] {
             other->setFocus();
         }},
        {"a field changed",
         [this] {
             query.Edit();
             fields.ADOQuery1Fio->SetAsString(QStringLiteral("Changed"));
         }},
        {"edit started",
         [this] {
             query.Edit();
         }},
        {"a selected row",
         [this] {
             grid->Selection().Rows().SetCurrentRowSelected(true);
         }},
        {"everything selected",
         [this] {
             grid->Selection().SelectAll();
         }},
        {"a column's colour",
         [this] {
             grid->Columns()[2].SetColor(clYellow);
         }},
        {"closed",
         [this] {
             query.Close();
         }},
    };
    addEntries(Groups(40));
    Show();
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.what);
        OpenAll();
        query.MoveBy(3);
        FocusElsewhere();
        if (std::string_view(c.what) == "focus out")
            FocusGrid();
        Screen();
        c.change();
        EXPECT_EQ(ImageDifference(Screen(), Paint()), "");
        query.Cancel();
        query.Close();
    }
}

} // namespace
