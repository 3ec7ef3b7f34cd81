// Filter, moves, counts, record numbers and bookmarks of the query.
#include "data/TAutoIncField.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/Exceptions.h"
#include "tests/data/FakeDirectoryQuery.h"

#include <gtest/gtest.h>

namespace {

// Entries "Abel", "Adam", "Boris", "Anna", "Boris" with tel 1 … 5.
class TADOQueryFilter : public ::testing::Test {
protected:
    TADOQueryFilter() {
        int tel = 1;
        for (const char* fio : {"Abel", "Adam", "Boris", "Anna", "Boris"}) {
            q.add(tel++, QString::fromLatin1(fio));
        }
        q.provider.clear();
    }
    QStringList Filters() const { return q.provider.callsMatching({"Recordset.Filter"}); }
    FakeDirectoryQuery q;
};

TEST_F(TADOQueryFilter, SetWhileClosedSendsNothingAndAppliesAtOpen) {
    q.query.SetFilter(QStringLiteral("fio='A*'"));
    EXPECT_EQ(q.provider.calls(), QStringList{});
    q.query.Open();
    EXPECT_EQ(Filters(), QStringList{"Recordset.Filter = fio='A*'"});
    EXPECT_EQ(q.query.RecordCount(), 3);
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("Abel"));
}

TEST_F(TADOQueryFilter, FilteredOffWhileClosedOpensUnfiltered) {
    q.query.SetFilter(QStringLiteral("fio='A*'"));
    q.query.SetFiltered(false);
    q.query.Open();
    EXPECT_EQ(Filters(), QStringList{});
    EXPECT_EQ(q.query.RecordCount(), 5);
    EXPECT_EQ(q.query.Filter(), QStringLiteral("fio='A*'"));
}

TEST_F(TADOQueryFilter, SetWhileOpenAndFilteredAppliesAtOnceFromTheFirstRow) {
    q.query.Open();
    q.query.Next();
    q.query.Next();
    q.query.SetFilter(QStringLiteral("fio='Boris'"));
    EXPECT_EQ(Filters(), QStringList{"Recordset.Filter = fio='Boris'"});
    EXPECT_EQ(q.query.RecordCount(), 2);
    EXPECT_EQ(q.fields.ADOQuery1Tel->AsFloat(), 3);
    EXPECT_TRUE(q.query.Bof());

    q.query.SetFilter(QString());
    EXPECT_EQ(Filters().back(), QStringLiteral("Recordset.Filter = "));
    EXPECT_EQ(q.query.RecordCount(), 5);
}

TEST_F(TADOQueryFilter, SetWhileOpenButNotFilteredIsOnlyStored) {
    q.query.SetFiltered(false);
    q.query.Open();
    q.query.SetFilter(QStringLiteral("fio='A*'"));
    EXPECT_EQ(Filters(), QStringList{});
    EXPECT_EQ(q.query.RecordCount(), 5);
    q.query.SetFiltered(true);
    EXPECT_EQ(Filters(), QStringList{"Recordset.Filter = fio='A*'"});
    EXPECT_EQ(q.query.RecordCount(), 3);
    q.query.SetFiltered(false);
    EXPECT_EQ(Filters().back(), QStringLiteral("Recordset.Filter = "));
    EXPECT_EQ(q.query.RecordCount(), 5);
}

TEST_F(TADOQueryFilter, RejectedFilterIsNotStored) {
    q.query.Open();
    EXPECT_THROW(q.query.SetFilter(QStringLiteral("fio LIKE 'A")), EOleException);
    EXPECT_EQ(q.query.Filter(), QString());
    EXPECT_TRUE(q.query.Filtered());
    EXPECT_TRUE(q.query.Active());

    q.query.Close();
    q.query.SetFilter(QStringLiteral("fio LIKE 'A"));
    EXPECT_THROW(q.query.Open(), EOleException);
    EXPECT_FALSE(q.query.Active());
    EXPECT_EQ(q.query.Filter(), QStringLiteral("fio LIKE 'A"));
}

TEST_F(TADOQueryFilter, RecordNumbersAreExactOnlyWithoutTheFilter) {
    EXPECT_FALSE(q.query.IsSequenced()); // closed
    q.query.Open();
    EXPECT_FALSE(q.query.IsSequenced()); // Filtered, even with an empty filter text
    q.query.SetFiltered(false);
    EXPECT_TRUE(q.query.IsSequenced());
    q.query.Close();
    q.query.SetCursorLocation(clUseServer);
    q.query.Open();
    EXPECT_FALSE(q.query.IsSequenced());
    q.query.Close();
    q.query.SetCursorLocation(clUseClient);
    q.database.supported &= ~ado::adApproxPosition;
    q.query.Open();
    EXPECT_FALSE(q.query.IsSequenced());
}

class TADOQueryMoves : public ::testing::Test {
protected:
    TADOQueryMoves() {
        q.addNumbered(10);
        q.query.Open();
    }
    double Tel() const { return q.fields.ADOQuery1Tel->AsFloat(); }
    FakeDirectoryQuery q;
};

TEST_F(TADOQueryMoves, MoveByStopsAtEitherEndAndSetsTheFlags) {
    EXPECT_TRUE(q.query.Bof());
    EXPECT_EQ(q.query.MoveBy(3), 3);
    EXPECT_EQ(Tel(), 1004);
    EXPECT_FALSE(q.query.Bof());
    EXPECT_EQ(q.query.MoveBy(20), 6);
    EXPECT_TRUE(q.query.Eof());
    EXPECT_EQ(Tel(), 1010);
    EXPECT_EQ(q.query.MoveBy(1), 0);
    EXPECT_EQ(q.query.MoveBy(-4), -4);
    EXPECT_FALSE(q.query.Eof());
    EXPECT_EQ(q.query.MoveBy(-20), -5);
    EXPECT_TRUE(q.query.Bof());
    EXPECT_EQ(Tel(), 1001);

    q.query.Last();
    EXPECT_TRUE(q.query.Eof());
    EXPECT_EQ(Tel(), 1010);
    q.query.Prior();
    EXPECT_EQ(Tel(), 1009);
    q.query.First();
    EXPECT_TRUE(q.query.Bof());
    EXPECT_EQ(Tel(), 1001);
}

TEST_F(TADOQueryMoves, RecordNumbersFollowTheCurrentRecord) {
    EXPECT_EQ(q.query.RecNo(), 1);
    q.query.MoveBy(4);
    EXPECT_EQ(q.query.RecNo(), 5);
    q.query.Last();
    EXPECT_EQ(q.query.RecNo(), 10);
    q.query.SetRecNo(7);
    EXPECT_EQ(Tel(), 1007);
    EXPECT_EQ(q.query.RecNo(), 7);
    q.query.Insert();
    EXPECT_EQ(q.query.RecNo(), -1);
    q.query.Cancel();
    EXPECT_EQ(q.query.RecNo(), 7);
    q.query.Close();
    EXPECT_EQ(q.query.RecNo(), -1);

    FakeDirectoryQuery empty;
    empty.query.Open();
    EXPECT_EQ(empty.query.RecNo(), -1);
    EXPECT_TRUE(empty.query.IsEmpty());
    EXPECT_TRUE(empty.query.Bof());
    EXPECT_TRUE(empty.query.Eof());
    EXPECT_EQ(empty.query.RecordCount(), 0);
}

TEST_F(TADOQueryMoves, RowNumbersStayUnknownWhileControlsAreDisabled) {
    q.query.DisableControls();
    q.provider.clear();
    q.query.MoveBy(1);
    EXPECT_EQ(q.provider.callsMatching({"Recordset.AbsolutePosition"}), QStringList{});
    // Asked for, the number is read after moving to the record.
    EXPECT_EQ(q.query.RecNo(), 2);
    EXPECT_EQ(q.provider.callsMatching({"Recordset.AbsolutePosition"}),
              QStringList{"Recordset.AbsolutePosition"});
    q.query.EnableControls();
}

TEST_F(TADOQueryMoves, BookmarksFindTheirRecordsAgain) {
    q.query.MoveBy(2);
    const TBookmark third = q.query.GetBookmark();
    q.query.MoveBy(5);
    const TBookmark eighth = q.query.GetBookmark();
    EXPECT_FALSE(third.isEmpty());
    EXPECT_EQ(q.query.CompareBookmarks(third, eighth), -1);
    EXPECT_EQ(q.query.CompareBookmarks(eighth, third), 1);
    EXPECT_EQ(q.query.CompareBookmarks(third, third), 0);
    EXPECT_EQ(q.query.CompareBookmarks(TBookmark(), third), -1);
    EXPECT_EQ(q.query.CompareBookmarks(TBookmark(), TBookmark()), 0);
    EXPECT_TRUE(q.query.BookmarkValid(third));
    EXPECT_FALSE(q.query.BookmarkValid(TBookmark()));
    EXPECT_FALSE(q.query.BookmarkValid(TBookmark("\0\0\0\0\0\0\0\x63", 8)));

    q.query.GotoBookmark(third);
    EXPECT_EQ(Tel(), 1003);
    EXPECT_EQ(q.query.GetBookmark(), third);

    q.query.Insert();
    EXPECT_TRUE(q.query.GetBookmark().isEmpty());
}

TEST_F(TADOQueryMoves, DeleteOfTheLastRecordMakesThePriorOneCurrent) {
    q.query.Last();
    q.query.Delete();
    EXPECT_EQ(Tel(), 1009);
    EXPECT_EQ(q.query.RecordCount(), 9);
    for (int i = 0; i < 9; ++i) {
        q.query.Delete();
    }
    EXPECT_TRUE(q.query.IsEmpty());
    EXPECT_TRUE(q.query.Eof());
    EXPECT_TRUE(q.database.rows.empty());
}

TEST_F(TADOQueryMoves, EditOnAnEmptyResultInsertsAndPostAddsTheRow) {
    FakeDirectoryQuery empty;
    empty.query.Open();
    empty.query.Edit();
    EXPECT_EQ(empty.query.State(), dsInsert);
    empty.fields.ADOQuery1Tel->SetAsString(QStringLiteral("23456"));
    empty.fields.ADOQuery1Fio->SetAsString(QStringLiteral("New"));
    empty.query.Post();
    EXPECT_EQ(empty.fios(), QStringList{"New"});
    EXPECT_EQ(empty.fields.ADOQuery1Fio->AsString(), QStringLiteral("New"));
    EXPECT_EQ(empty.fields.ADOQuery1ID->AsInteger(), 1);
    EXPECT_EQ(empty.query.RecordCount(), 1);
}

TEST_F(TADOQueryMoves, FailedPostKeepsTheValuesAndACorrectedPostWrites) {
    q.database.validateWrite = [](const std::vector<AdoVariant>& row) {
        if (std::get<double>(row[1]) < 0) {
            throw EOleException(QStringLiteral("A phone number cannot be negative"), 1,
                                QStringLiteral("fake"));
        }
    };
    q.query.Edit();
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("Corrected"));
    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("-5"));
    try {
        q.query.Post();
        FAIL() << "posted";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("A phone number cannot be negative"));
    }
    EXPECT_EQ(q.query.State(), dsEdit);
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("Corrected"));
    EXPECT_EQ(Tel(), -5);
    EXPECT_EQ(q.fios().front(), QStringLiteral("Person 1"));

    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("5"));
    q.query.Post();
    EXPECT_EQ(q.query.State(), dsBrowse);
    EXPECT_EQ(q.fios().front(), QStringLiteral("Corrected"));
    EXPECT_EQ(std::get<double>(q.database.values().front()[1]), 5);
}

TEST_F(TADOQueryMoves, ErrorHooksCanAbortOrRetry) {
    int rejections = 1;
    q.database.validateWrite = [&](const std::vector<AdoVariant>&) {
        if (rejections-- > 0) {
            throw EOleException(QStringLiteral("Busy"), 1, QStringLiteral("fake"));
        }
    };
    std::vector<QString> seen;
    q.query.OnPostError = [&](TADOQuery&, const EDatabaseError& error, TDataAction& action) {
        seen.push_back(error.message());
        action = daRetry;
    };
    q.query.Edit();
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("Retried"));
    q.query.Post();
    EXPECT_EQ(seen, std::vector<QString>{"Busy"});
    EXPECT_EQ(q.fios().front(), QStringLiteral("Retried"));

    q.database.supported &= ~ado::adUpdate;
    q.query.OnEditError = [](TADOQuery&, const EDatabaseError&, TDataAction& action) {
        action = daAbort;
    };
    EXPECT_THROW(q.query.Edit(), EAbort);
}

TEST_F(TADOQueryMoves, HooksRunAtTheirPoints) {
    QStringList order;
    auto hook = [&](const char* name) {
        return [&order, name](TADOQuery&) {
            order.append(QString::fromLatin1(name));
        };
    };
    q.query.BeforeEdit = hook("BeforeEdit");
    q.query.AfterEdit = hook("AfterEdit");
    q.query.BeforePost = hook("BeforePost");
    q.query.AfterPost = hook("AfterPost");
    q.query.BeforeScroll = hook("BeforeScroll");
    q.query.AfterScroll = hook("AfterScroll");
    q.query.BeforeClose = hook("BeforeClose");
    q.query.AfterClose = hook("AfterClose");
    q.query.Edit();
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("x"));
    q.query.Next(); // settles the edit first
    q.query.Close();
    EXPECT_EQ(order, (QStringList{"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost",
                                  "BeforeScroll", "AfterScroll", "BeforeClose", "AfterClose"}));
}

} // namespace
