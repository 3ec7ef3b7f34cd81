// The grid's selection as painting reads it: the kinds and the sorted selected-rows list.
#include "data/DatabaseError.h"
#include "platform/Exceptions.h"
#include "tests/grid/GridFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using GridSelection = GridTest;

TEST_F(GridSelection, RowsAreKeptInTheQuerysOrder) {
    AddNumbered(10);
    Show();
    OpenAll();
    TDBGridEhSelection& selection = grid->Selection();
    RememberBookmarks();
    for (int k : {7, 2, 9, 2, 0}) {
        query.GotoBookmark(bookmarks[static_cast<std::size_t>(k)]);
        selection.Rows().SetCurrentRowSelected(true);
    }
    ASSERT_EQ(selection.Rows().Count(), 4);
    EXPECT_EQ(selection.SelectionType(), gstRecordBookmarks);
    const std::vector<TBookmark> listed(selection.Rows().begin(), selection.Rows().end());
    EXPECT_EQ(listed,
              (std::vector<TBookmark>{bookmarks[0], bookmarks[2], bookmarks[7], bookmarks[9]}));
    query.GotoBookmark(bookmarks[7]);
    EXPECT_TRUE(selection.DataCellSelected());
    query.GotoBookmark(bookmarks[8]);
    EXPECT_FALSE(selection.DataCellSelected());
    query.GotoBookmark(bookmarks[0]);
    EXPECT_TRUE(selection.Rows().CurrentRowSelected());
    selection.Rows().SetCurrentRowSelected(false);
    EXPECT_EQ(selection.Rows().Count(), 3);
    selection.Rows().Clear();
    EXPECT_EQ(selection.SelectionType(), gstNon);
}

TEST_F(GridSelection, SelectingAllCoversEveryRecord) {
    AddNumbered(3);
    Show();
    OpenAll();
    int changes = 0;
    grid->OnSelectionChanged = [&] {
        ++changes;
    };
    grid->Selection().SelectAll();
    EXPECT_EQ(grid->Selection().SelectionType(), gstAll);
    EXPECT_TRUE(grid->Selection().DataCellSelected());
    grid->Selection().Clear();
    EXPECT_EQ(grid->Selection().SelectionType(), gstNon);
    EXPECT_EQ(changes, 2);
}

TEST_F(GridSelection, MultiSelectionDecidesWhatMayBeSelected) {
    const TGridOptions single{dgTitles, dgIndicator, dgRowSelect};
    const TGridOptions multi{dgTitles, dgIndicator, dgMultiSelect};
    const TGridOptions multiRows{dgTitles, dgIndicator, dgRowSelect, dgMultiSelect};
    const struct {
        TGridOptions options;
        TDBGridEhAllowedSelections allowed;
        bool records;
        bool all;
        bool shiftExtends;
    } cases[] = {
        {single, {gstRecordBookmarks, gstAll}, false, false, false},
        {multi, {gstRecordBookmarks, gstAll}, true, true, false},
        {multiRows, {gstRecordBookmarks}, true, false, true},
        {multiRows, {gstAll}, false, true, true},
    };
    const TDBGridEhSelection& selection = grid->Selection();
    for (const auto& c : cases) {
        grid->SetOptions(c.options);
        grid->SetAllowedSelections(c.allowed);
        EXPECT_EQ(selection.Allows(gstRecordBookmarks), c.records);
        EXPECT_EQ(selection.Allows(gstAll), c.all);
        EXPECT_EQ(selection.ShiftExtendsRange(), c.shiftExtends);
    }
}

TEST_F(GridSelection, IndicatorsAnswerForListedRecordsAndForEverything) {
    AddNumbered(3);
    Show();
    OpenAll();
    RememberBookmarks();
    TDBGridEhSelection& selection = grid->Selection();
    query.GotoBookmark(bookmarks[1]);
    selection.Rows().SetCurrentRowSelected(true);
    query.GotoBookmark(bookmarks[0]);
    // Window positions: the title row (-1), the three records, a row without a record.
    const std::vector<bool> listed{false, false, true, false, false};
    const std::vector<bool> everything{true, true, true, true, true};
    const auto answers = [&] {
        std::vector<bool> selected;
        for (int position = -1; position <= 3; ++position)
            selected.push_back(selection.IndicatorSelectedAt(position));
        return selected;
    };
    EXPECT_EQ(answers(), listed);
    EXPECT_FALSE(selection.AllSelected());
    selection.SelectAll();
    EXPECT_EQ(answers(), everything);
    EXPECT_TRUE(selection.AllSelected());
    EXPECT_EQ(query.GetBookmark(), bookmarks[0]);
}

TEST_F(GridSelection, TheListIsDisabledWhileTheQueryIsClosed) {
    Show();
    try {
        (void)grid->Selection().Rows().CurrentRowSelected();
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()), DatabaseMessages::kDataSetClosed);
    }
}

} // namespace
