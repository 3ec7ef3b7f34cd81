// The provider calls of each operation, in order, through the recording provider.
#include "data/TAutoIncField.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/Exceptions.h"
#include "tests/data/FakeDirectoryQuery.h"

#include <gtest/gtest.h>

namespace {

const QString kCommandText = QStringLiteral("SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\n");

// Open steps 2 to 10: connection, recordset settings, open, bookmarks, columns.
QStringList OpenCalls(bool connect, const QString& filter = {}) {
    QStringList calls{"Command.ActiveConnection"};
    if (connect) {
        calls << "Command.ActiveConnection = fake database";
    }
    calls << "Recordset.Create"
          << "Recordset.CursorLocation = 3"
          << "Recordset.CacheSize = 1"
          << "Recordset.MaxRecords = 0"
          << "Recordset.AttachEventSink"
          << "Recordset.Open(3, 3, 1)"
          << "Recordset.State"
          << "Recordset.Supports(0x2000)"
          << "Recordset.Fields.Count"
          << "Recordset.Fields.Item(0)"
          << "Recordset.Fields.Item(1)"
          << "Recordset.Fields.Item(2)"
          << "Recordset.Fields.Item(3)"
          << "Recordset.Fields.Item(4)";
    if (!filter.isEmpty()) {
        calls << "Recordset.Filter = " + filter;
    }
    calls << "Recordset.Supports(0x2200)"
          << "Recordset.BOF"
          << "Recordset.MoveFirst"
          << "Recordset.BOF"
          << "Recordset.MovePrevious";
    return calls;
}

// The first row fetched into a window of one.
const QStringList kFetchFirstRow = {"Recordset.EOF",      "Recordset.MoveNext",
                                    "Recordset.EOF",      "Recordset.Status",
                                    "Recordset.Bookmark", "Recordset.AbsolutePosition"};

class TADOQueryCalls : public ::testing::Test {
protected:
    TADOQueryCalls() {
        q.addNumbered(3);
        q.provider.clear();
    }
    FakeDirectoryQuery q;
};

TEST_F(TADOQueryCalls, LayoutSqlAsksTheProviderNothing) {
    FakeDirectoryQuery fresh;
    EXPECT_EQ(fresh.provider.calls(),
              (QStringList{"Command.Create", "Command.CommandType = 1",
                           "Command.CommandText = SELECT ID, tel, fio, Name, Story\r\n",
                           "Command.CommandText = " + kCommandText, "Command.ActiveConnection"}));
    EXPECT_EQ(fresh.query.SQL().Text(), kCommandText);
    EXPECT_TRUE(fresh.query.Filtered());
    EXPECT_EQ(fresh.query.CursorType(), ctStatic);
}

TEST_F(TADOQueryCalls, SqlChangesWhileLoadingAskTheProviderNothing) {
    q.query.SetLoading(true);
    q.query.SQL().Add(QStringLiteral("ORDER BY Name"));
    EXPECT_EQ(q.provider.calls(),
              QStringList{"Command.CommandText = " + kCommandText + "ORDER BY Name\r\n"});
    q.query.SetLoading(false);
    q.provider.clear();
    q.query.SQL().Add(QStringLiteral("WHERE tel=:phone"));
    EXPECT_EQ(q.provider.calls().mid(1),
              (QStringList{"Command.ActiveConnection", "Command.ActiveConnection = fake database",
                           "Command.Parameters.Refresh"}));
}

TEST_F(TADOQueryCalls, OpenConnectsOpensAndFetchesTheFirstRow) {
    q.query.Open();
    EXPECT_EQ(q.provider.calls(), OpenCalls(true) + kFetchFirstRow);
    EXPECT_EQ(q.query.State(), dsBrowse);
    EXPECT_TRUE(q.query.Bof());
    EXPECT_FALSE(q.query.Eof());
}

TEST_F(TADOQueryCalls, CloseReleasesTheRecordsetAndKeepsTheConnection) {
    q.query.Open();
    q.provider.clear();
    q.query.Close();
    EXPECT_EQ(q.provider.calls(), QStringList{"Recordset.DetachEventSink"});

    q.provider.clear();
    q.query.Open(); // no reconnection
    EXPECT_EQ(q.provider.calls(), OpenCalls(false) + kFetchFirstRow);
}

TEST_F(TADOQueryCalls, SqlChangeReplacesTheCommandTextAndDescribesOnlyMarkedParameters) {
    q.query.SQL().Clear();
    EXPECT_EQ(q.provider.calls(), QStringList{"Command.CommandText = "});

    // A text without parameter markers goes to the command only: no connection, no trip to
    // the file (which would wait out another program's lock once per line).
    q.provider.clear();
    q.query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story FROM tel"));
    EXPECT_EQ(q.provider.calls(),
              (QStringList{"Command.CommandText = SELECT ID, tel, fio, Name, Story FROM tel\r\n"}));

    // A marker is described by the provider; the first such change opens the database.
    q.provider.clear();
    q.query.SQL().Add(QStringLiteral("WHERE tel=:phone"));
    EXPECT_EQ(q.provider.calls(),
              (QStringList{"Command.CommandText = SELECT ID, tel, fio, Name, Story FROM "
                           "tel\r\nWHERE tel=?\r\n",
                           "Command.ActiveConnection", "Command.ActiveConnection = fake database",
                           "Command.Parameters.Refresh"}));
    ASSERT_EQ(q.query.Parameters().size(), 1u);
    EXPECT_EQ(q.query.Parameters()[0].Name, QStringLiteral("phone"));

    // A marker inside a quoted literal is text, not a parameter.
    q.provider.clear();
    q.query.SQL().Clear();
    q.query.SQL().Add(QStringLiteral("SELECT * FROM tel WHERE fio LIKE '%:x%'"));
    EXPECT_FALSE(q.provider.calls().contains("Command.Parameters.Refresh"));
    EXPECT_TRUE(q.query.Parameters().empty());
}

TEST_F(TADOQueryCalls, SqlChangeClosesAnOpenQueryFirst) {
    q.query.Open();
    q.provider.clear();
    q.query.SQL().Add(QStringLiteral("ORDER BY Name"));
    EXPECT_FALSE(q.query.Active());
    EXPECT_EQ(q.provider.calls(),
              (QStringList{"Recordset.DetachEventSink",
                           "Command.CommandText = " + kCommandText + "ORDER BY Name\r\n"}));
}

TEST_F(TADOQueryCalls, MissingDatabaseFailsSilentlyAtTheSqlChangeAndLoudlyAtOpen) {
    q.query.SetConnectionString(QStringLiteral("missing"));
    q.query.SQL().Add(QStringLiteral("WHERE tel=:phone"));
    EXPECT_TRUE(q.provider.calls().contains("Command.ActiveConnection = missing"));
    EXPECT_FALSE(q.provider.calls().contains("Command.Parameters.Refresh"));
    q.query.SQL().Clear();
    q.query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story FROM tel"));
    try {
        q.query.Open();
        FAIL() << "opened a missing database";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Could not find file 'missing'."));
    }
    EXPECT_EQ(q.query.State(), dsInactive);
    EXPECT_FALSE(q.provider.calls().contains("Recordset.Create"));
}

TEST_F(TADOQueryCalls, ConnectionStringChangeReleasesTheConnection) {
    q.query.Open();
    q.query.Close();
    q.provider.clear();
    q.query.SetConnectionString(QStringLiteral("fake database;Mode=Read"));
    EXPECT_EQ(q.provider.calls(),
              (QStringList{"Command.ActiveConnection", "Command.ActiveConnection = none"}));
    q.provider.clear();
    q.query.SetConnectionString(QStringLiteral("fake database;Mode=Read"));
    EXPECT_EQ(q.provider.calls(), QStringList{});
}

TEST_F(TADOQueryCalls, FailedOpenReleasesTheRecordset) {
    q.database.noResultSet = true;
    EXPECT_THROW(q.query.Open(), EDatabaseError);
    EXPECT_EQ(q.provider.calls().back(), QStringLiteral("Recordset.DetachEventSink"));
    EXPECT_EQ(q.query.State(), dsInactive);
    // The connection opened for the attempt stays; the next open does not reconnect.
    q.database.noResultSet = false;
    q.provider.clear();
    q.query.Open();
    EXPECT_EQ(q.provider.calls().mid(0, 2),
              (QStringList{"Command.ActiveConnection", "Recordset.Create"}));
}

TEST_F(TADOQueryCalls, RefreshResyncsAllRowsOrRequeries) {
    q.query.Open();
    q.provider.clear();
    q.query.Refresh();
    EXPECT_EQ(q.provider.callsWithoutReads().mid(0, 2),
              (QStringList{"Recordset.Supports(0x20000)", "Recordset.Resync(3, 2)"}));

    q.query.Close();
    q.database.supported &= ~ado::adResync;
    q.query.Open();
    q.provider.clear();
    q.query.Refresh();
    EXPECT_EQ(q.provider.callsWithoutReads().mid(0, 2),
              (QStringList{"Recordset.Supports(0x20000)", "Recordset.Requery(0)"}));
}

TEST_F(TADOQueryCalls, DeleteDeletesTheCurrentRowAndMovesOn) {
    q.query.Open();
    q.provider.clear();
    q.query.Delete();
    EXPECT_EQ(q.provider.callsWithoutReads().mid(0, 2),
              (QStringList{"Recordset.Delete(1)", "Recordset.MoveNext"}));
    EXPECT_EQ(q.fios(), (QStringList{"Person 2", "Person 3"}));
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("Person 2"));
}

TEST_F(TADOQueryCalls, PostWritesTheAssignedFieldsInOrderOfFirstAssignment) {
    q.query.Open();
    q.query.Edit();
    q.fields.ADOQuery1Story->SetAsString(QStringLiteral("note"));
    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("23456"));
    q.fields.ADOQuery1Story->SetAsString(QStringLiteral("final note"));
    q.provider.clear();
    q.query.Post();
    const QStringList writes = q.provider.callsMatching(
        {"Recordset.Fields.Item(4).Value =", "Recordset.Fields.Item(1).Value =", "Recordset.Update",
         "Recordset.AddNew"});
    EXPECT_EQ(writes, (QStringList{"Recordset.Fields.Item(4).Value = \"final note\"",
                                   "Recordset.Fields.Item(1).Value = 23456", "Recordset.Update"}));
}

TEST_F(TADOQueryCalls, PostOfAnUntouchedEditWritesNothing) {
    q.query.Open();
    q.query.Edit();
    q.provider.clear();
    q.query.Post();
    EXPECT_EQ(q.query.State(), dsBrowse);
    EXPECT_EQ(q.provider.callsMatching({"Recordset.Update", "Recordset.Fields.Item(1).Value ="}),
              QStringList{});
}

TEST_F(TADOQueryCalls, PostOfAnUntouchedInsertStillAddsARow) {
    q.query.Open();
    q.query.Insert();
    q.provider.clear();
    q.query.Post();
    EXPECT_EQ(q.provider.callsMatching({"Recordset.AddNew", "Recordset.Update"}),
              (QStringList{"Recordset.AddNew", "Recordset.Update"}));
    EXPECT_EQ(q.database.rows.size(), 4u);
}

TEST_F(TADOQueryCalls, RejectedPostCancelsTheRecordsetChange) {
    q.query.Open();
    q.query.Edit();
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("x"));
    q.database.validateWrite = [](const std::vector<AdoVariant>&) {
        throw EOleException(QStringLiteral("Rejected"), 1, QStringLiteral("fake"));
    };
    q.provider.clear();
    EXPECT_THROW(q.query.Post(), EDatabaseError);
    EXPECT_EQ(q.provider.callsWithoutReads(),
              (QStringList{"Recordset.Fields.Item(2).Value = \"x\"", "Recordset.Update",
                           "Recordset.CancelUpdate"}));
}

TEST_F(TADOQueryCalls, ColumnsTheProviderWillNotWriteAreLeftOut) {
    q.database.columns[4].attributes = 0; // Story: neither updatable nor unknown
    q.query.Open();
    q.query.Edit();
    q.fields.ADOQuery1Story->SetAsString(QStringLiteral("note"));
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("x"));
    q.provider.clear();
    q.query.Post();
    EXPECT_EQ(q.provider.callsMatching({"Recordset.Fields.Item(4).Value =",
                                        "Recordset.Fields.Item(2).Value =", "Recordset.Update"}),
              (QStringList{"Recordset.Fields.Item(2).Value = \"x\"", "Recordset.Update"}));
    EXPECT_EQ(q.fios(), (QStringList{"x", "Person 2", "Person 3"}));
}

TEST_F(TADOQueryCalls, ReadingAFieldReadsItsColumnOnceOnFirstUse) {
    q.query.Open();
    EXPECT_EQ(q.provider.callsMatching({"Recordset.Fields.Item(2).Value"}), QStringList{});
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("Person 1"));
    EXPECT_EQ(q.fields.ADOQuery1Fio->DisplayText(), QStringLiteral("Person 1"));
    EXPECT_FALSE(q.fields.ADOQuery1Fio->IsNull());
    EXPECT_EQ(q.provider.callsMatching({"Recordset.Fields.Item(2).Value"}),
              QStringList{"Recordset.Fields.Item(2).Value"});
}

} // namespace
