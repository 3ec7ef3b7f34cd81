#include "data/RowWindow.h"

#include "data/RowCursor.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records 1 … count; a record's bookmark is its number. Counts the repositionings.
class FakeCursor : public RowCursor {
public:
    explicit FakeCursor(int count, bool bookmarks = true) : count_(count), bookmarks_(bookmarks) {}

    int moves = 0;    // MoveTo calls
    int position = 0; // 0 before the first, count + 1 after the last

    bool HasBookmarks() const override { return bookmarks_; }
    void MoveToStart() override { position = 0; }
    void MoveToEnd() override { position = count_ + 1; }
    void MoveTo(const RecordBuffer& record) override {
        ++moves;
        position = static_cast<int>(record.bookmark);
    }
    bool FetchCurrent(RecordBuffer& record) override { return Read(record); }
    bool FetchNext(RecordBuffer& record) override {
        if (position <= count_) {
            ++position;
        }
        return Read(record);
    }
    bool FetchPrior(RecordBuffer& record) override {
        if (position >= 1) {
            --position;
        }
        return Read(record);
    }

private:
    bool Read(RecordBuffer& record) const {
        if (position < 1 || position > count_) {
            return false;
        }
        record = RecordBuffer{};
        record.bookmark = position;
        record.rowNumber = position;
        return true;
    }

    int count_;
    bool bookmarks_;
};

// The record numbers in the window, first to last.
std::vector<int> Records(const RowWindow& window) {
    std::vector<int> numbers;
    for (int i = 0; i < window.Count(); ++i) {
        numbers.push_back(static_cast<int>(window.Record(i).bookmark));
    }
    return numbers;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int i = first; i <= last; ++i) {
        numbers.push_back(i);
    }
    return numbers;
}

int CurrentRecord(const RowWindow& window) {
    return static_cast<int>(window.CurrentRecord().bookmark);
}

struct Window {
    explicit Window(int records, int capacity) : cursor(records) { window.SetCapacity(capacity); }
    FakeCursor cursor;
    RowWindow window{cursor};
};

TEST(RowWindow, FirstAndLastFillFromTheirEnd) {
    Window w(12, 5);
    w.window.FillFromStart();
    EXPECT_EQ(Records(w.window), Range(1, 5));
    EXPECT_EQ(w.window.Current(), 0);

    w.window.FillFromEnd();
    EXPECT_EQ(Records(w.window), Range(8, 12));
    EXPECT_EQ(w.window.Current(), 4);

    Window small(3, 5);
    small.window.FillFromEnd();
    EXPECT_EQ(Records(small.window), Range(1, 3));
    EXPECT_EQ(small.window.Current(), 2);

    Window empty(0, 5);
    empty.window.FillFromStart();
    EXPECT_TRUE(empty.window.IsEmpty());
    EXPECT_EQ(empty.window.MoveBy(3).moved, 0);
}

TEST(RowWindow, MovesInsideTheWindowThenShiftsOnePerFetchedRecord) {
    struct Case {
        int from; // current record before the move, after FillFromStart and a first move
        int distance;
        int moved;
        int shift;
        int current;
        int first;
    };
    const Case cases[] = {
        {1, 2, 2, 0, 3, 1},     // inside the window
        {1, 4, 4, 0, 5, 1},     // to the last position, nothing fetched
        {1, 7, 7, 3, 8, 4},     // three records fetched below
        {1, 20, 11, 7, 12, 8},  // stops at the last record
        {1, -1, 0, 0, 1, 1},    // nothing above the first
        {10, -3, -3, 0, 7, 6},  // inside the window after moving down
        {10, -6, -6, -2, 4, 4}, // two records fetched above
        {10, -20, -9, -5, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from << " by " << c.distance);
        Window w(12, 5);
        w.window.FillFromStart();
        w.window.MoveBy(c.from - 1);
        const RowWindow::MoveResult result = w.window.MoveBy(c.distance);
        EXPECT_EQ(result.moved, c.moved);
        EXPECT_EQ(result.shift, c.shift);
        EXPECT_EQ(CurrentRecord(w.window), c.current);
        EXPECT_EQ(Records(w.window), Range(c.first, std::min(c.first + 4, 12)));
    }
}

TEST(RowWindow, SequentialMovesDoNotRepositionTheCursor) {
    Window w(50, 5);
    w.window.FillFromStart();
    for (int i = 0; i < 40; ++i) {
        w.window.MoveBy(1);
    }
    EXPECT_EQ(CurrentRecord(w.window), 41);
    EXPECT_EQ(w.cursor.moves, 0);
    w.window.MoveBy(-10); // the first record of the window is 37: moves to it once
    EXPECT_EQ(CurrentRecord(w.window), 31);
    EXPECT_EQ(w.cursor.moves, 1);
}

TEST(RowWindow, GoingToARecordCentresIt) {
    struct Case {
        int records;
        int capacity;
        int target;
        int first;
        int last;
        int current;
    };
    const Case cases[] = {
        {200, 19, 100, 91, 109, 9},   // (19 - 1) / 2 records before it
        {200, 19, 5, 1, 19, 4},       // too few before: nearer the top
        {200, 19, 195, 182, 200, 13}, // too few after: more before
        {200, 18, 100, 92, 109, 8},   {3, 19, 2, 1, 3, 1}, {200, 1, 50, 50, 50, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.target << " of " << c.records << " in " << c.capacity);
        Window w(c.records, c.capacity);
        w.cursor.position = c.target;
        w.window.FillAroundCursor((c.capacity - 1) / 2);
        EXPECT_EQ(Records(w.window), Range(c.first, c.last));
        EXPECT_EQ(w.window.Current(), c.current);
        EXPECT_EQ(CurrentRecord(w.window), c.target);
    }
}

TEST(RowWindow, FillAroundACursorPastTheEndTakesTheLastRecord) {
    Window w(12, 5);
    w.cursor.position = 13; // after the last record, as after deleting it
    w.window.FillAroundCursor(2);
    EXPECT_EQ(Records(w.window), Range(8, 12));
    EXPECT_EQ(CurrentRecord(w.window), 12);
}

TEST(RowWindow, GrowsByLaterRecordsFirstThenEarlierOnes) {
    Window top(12, 5);
    top.window.FillFromStart();
    top.window.MoveBy(2);
    top.window.SetCapacity(8);
    EXPECT_EQ(Records(top.window), Range(1, 8));
    EXPECT_EQ(CurrentRecord(top.window), 3);

    Window bottom(12, 5);
    bottom.window.FillFromEnd();
    bottom.window.SetCapacity(8);
    EXPECT_EQ(Records(bottom.window), Range(5, 12));
    EXPECT_EQ(CurrentRecord(bottom.window), 12);
    EXPECT_EQ(bottom.window.Current(), 7);

    Window middle(12, 3);
    middle.cursor.position = 10;
    middle.window.FillAroundCursor(1); // 9, 10, 11
    middle.window.SetCapacity(6);      // 12 after, then 7 and 8 before
    EXPECT_EQ(Records(middle.window), Range(7, 12));
    EXPECT_EQ(CurrentRecord(middle.window), 10);
}

TEST(RowWindow, ShrinksFromTheEndThenTheStartKeepingTheCurrentRecord) {
    Window w(12, 8);
    w.window.FillFromStart();
    w.window.MoveBy(6); // record 7
    w.window.SetCapacity(4);
    EXPECT_EQ(Records(w.window), Range(4, 7));
    EXPECT_EQ(CurrentRecord(w.window), 7);
    EXPECT_EQ(w.window.Capacity(), 4);

    w.window.SetCapacity(0); // at least one
    EXPECT_EQ(w.window.Capacity(), 1);
    EXPECT_EQ(Records(w.window), std::vector<int>{7});
}

TEST(RowWindow, MakesAPositionCurrentForAMomentAndRestoresIt) {
    Window w(12, 5);
    w.window.FillFromStart();
    w.window.MoveBy(3);
    const int previous = w.window.SetCurrent(0);
    EXPECT_EQ(previous, 3);
    EXPECT_EQ(CurrentRecord(w.window), 1);
    w.window.SetCurrent(previous);
    EXPECT_EQ(CurrentRecord(w.window), 4);
    EXPECT_EQ(w.cursor.moves, 0);
}

TEST(RowWindow, NewRecordTakesTheCurrentPositionAndPushesTheLastOut) {
    Window w(12, 5);
    w.window.FillFromStart();
    w.window.MoveBy(2);
    RecordBuffer fresh;
    fresh.bookmarkFlag = bfInserted;
    fresh.bookmark = 99;
    w.window.InsertAtCurrent(fresh);
    EXPECT_EQ(Records(w.window), (std::vector<int>{1, 2, 99, 3, 4}));
    EXPECT_EQ(w.window.Current(), 2);

    w.window.SetCapacity(7); // no growth around an unwritten record
    EXPECT_EQ(w.window.Count(), 5);

    w.window.RemoveCurrent();
    EXPECT_EQ(Records(w.window), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(CurrentRecord(w.window), 3);
}

TEST(RowWindow, SeveralRecordsNeedBookmarks) {
    FakeCursor cursor(12, false);
    RowWindow window(cursor);
    window.FillFromStart();
    EXPECT_EQ(window.Count(), 1);
    EXPECT_EQ(window.MoveBy(1).moved, 1);

    try {
        window.SetCapacity(2);
        FAIL() << "a window of two records without bookmarks";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Dataset does not support bookmarks, which are "
                                                  "required for multi-record data controls"));
    }
}

} // namespace
