// The grid's selection as painting reads it: the kinds and the sorted selected-rows list.
#include "data/DatabaseError.h"
#include "platform/Exceptions.h"
#include "tests/grid/GridFixture.h"

#include <gtest/gtest.h>

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
