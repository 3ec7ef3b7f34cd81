// The query over the SQLite provider and a directory working folder.
#include "directory/DirectoryQuery.h"
#include "data/TADOQuery.h"
#include "data/TAutoIncField.h"
#include "data/TDataLink.h"
#include "data/TDataSource.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/Exceptions.h"
#include "platform/db/SqliteDatabase.h"
#include "tests/data/QStringPrinter.h"
#include "tests/support/RecordingAdoProvider.h"
#include "tests/support/WorkingFolder.h"
#include "platform/db/SqliteAdoProvider.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// The connection string the main window builds at start-up.
QString DirectoryConnectionString() {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + QDir::currentPath() +
           QStringLiteral("\\Base\\ccx.ddx;Persist Security Info=False");
}

DirectoryEntry Entry(double tel, const QString& fio,
                     const QString& name = QStringLiteral("LENINA 1"),
                     std::optional<QString> story = std::nullopt) {
    return DirectoryEntry{tel, fio, name, std::move(story)};
}

// A directory query as the main window holds it, over the SQLite provider.
struct DirectoryQuery {
    explicit DirectoryQuery(AdoProvider& provider = SqliteAdoProvider()) : query(provider) {
        query.SetConnectionString(DirectoryConnectionString());
    }
    TADOQuery query;
    DirectoryQueryFields fields = ConfigureDirectoryQuery(query);
};

class TADOQuerySqlite : public WorkingFolderTest {
protected:
    DirectoryEntry Stored(int index) {
        return folder().entries().at(static_cast<std::size_t>(index));
    }
};

TEST_F(TADOQuerySqlite, OpensTheDirectoryWithTheSpecifiedCalls) {
    addEntries({Entry(23456, QStringLiteral("Ivanov")), Entry(1234567, QStringLiteral("Petrov"))});
    RecordingAdoProvider recording(SqliteAdoProvider());
    TADOQuery query(recording);
    const DirectoryQueryFields fields = ConfigureDirectoryQuery(query);
    query.SetConnectionString(DirectoryConnectionString());
    recording.clear();
    query.Open();
    const QStringList calls = recording.calls();
    const QStringList expected = {"Command.ActiveConnection",
                                  "Command.ActiveConnection = " + DirectoryConnectionString(),
                                  "Recordset.Create",
                                  "Recordset.CursorLocation = 3",
                                  "Recordset.CacheSize = 1",
                                  "Recordset.MaxRecords = 0",
                                  "Recordset.AttachEventSink",
                                  "Recordset.Open(3, 3, 1)",
                                  "Recordset.State",
                                  "Recordset.Supports(0x2000)",
                                  "Recordset.Fields.Count",
                                  "Recordset.Fields.Item(0)",
                                  "Recordset.Fields.Item(1)",
                                  "Recordset.Fields.Item(2)",
                                  "Recordset.Fields.Item(3)",
                                  "Recordset.Fields.Item(4)",
                                  "Recordset.Supports(0x2200)",
                                  "Recordset.BOF",
                                  "Recordset.MoveFirst",
                                  "Recordset.BOF",
                                  "Recordset.MovePrevious",
                                  "Recordset.EOF",
                                  "Recordset.MoveNext"};
    EXPECT_EQ(calls.mid(0, expected.size()), expected);
    EXPECT_EQ(query.RecordCount(), 2);
    EXPECT_EQ(fields.ADOQuery1ID->AsInteger(), 1);
    EXPECT_EQ(fields.ADOQuery1Tel->AsString(), QStringLiteral("23456"));
    EXPECT_EQ(fields.ADOQuery1Fio->AsString(), QStringLiteral("Ivanov"));
    EXPECT_TRUE(fields.ADOQuery1Story->IsNull());
    EXPECT_FALSE(query.IsSequenced()); // Filtered, as the layout leaves it
    query.SetFiltered(false);
    EXPECT_TRUE(query.IsSequenced());
}

TEST_F(TADOQuerySqlite, SearchLinesReachTheProviderAndOnlyMatchingRowsShow) {
    addEntries({Entry(1, QStringLiteral("Ivanov")), Entry(2, QStringLiteral("Petrov")),
                Entry(3, QStringLiteral("Ivanova"))});
    DirectoryQuery q;
    q.query.SetFiltered(false);
    q.query.SQL().Clear();
    for (const char* line : {"SELECT ID, tel, fio, Name, Story", "FROM tel",
                             "WHERE fio LIKE'%ivanov%'", "ORDER BY Name"}) {
        q.query.SQL().Add(QString::fromLatin1(line));
    }
    q.query.Open();
    EXPECT_EQ(q.query.RecordCount(), 2);
}

TEST_F(TADOQuerySqlite, LockedDatabaseCostsASearchOneTripToTheFile) {
    addEntries({Entry(1, QStringLiteral("Ivanov"))});
    SqliteDatabase holder(folder().databasePath(), SqliteOpenMode::ReadWrite);
    holder.exec("BEGIN EXCLUSIVE");
    RecordingAdoProvider recording(SqliteAdoProvider());
    TADOQuery query(recording);
    ConfigureDirectoryQuery(query);
    query.SetConnectionString(DirectoryConnectionString() + QStringLiteral(";Busy Timeout=20"));
    recording.clear();
    query.SQL().Clear();
    for (const char* line : {"SELECT ID, tel, fio, Name, Story", "FROM tel",
                             "WHERE fio LIKE'%ivanov%'", "ORDER BY Name"}) {
        query.SQL().Add(QString::fromLatin1(line));
    }
    try {
        query.Open();
        FAIL() << "read a database held locked";
    } catch (const EOleException& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("is locked by another user")))
            << Printable(error.message());
    }
    // Only the connection at open waits for the lock; the SQL lines carry no markers and
    // never reach the file.
    EXPECT_FALSE(recording.calls().contains(QStringLiteral("Command.Parameters.Refresh")));
    EXPECT_EQ(recording.calls().filter(QStringLiteral("Command.ActiveConnection = ")).size(), 1);
    EXPECT_EQ(query.State(), dsInactive);

    holder.exec("ROLLBACK");
    query.Open();
    EXPECT_EQ(query.RecordCount(), 1);
}

TEST_F(TADOQuerySqlite, MissingDatabaseFileFailsAtOpenAndLeavesTheQueryClosed) {
    ASSERT_TRUE(QFile::remove(folder().databasePath()));
    DirectoryQuery q;
    q.query.SQL().Add(QStringLiteral("ORDER BY Name")); // the failed connection is ignored here
    try {
        q.query.Open();
        FAIL() << "opened a missing file";
    } catch (const EOleException& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("ccx.ddx")))
            << Printable(error.message());
    }
    EXPECT_EQ(q.query.State(), dsInactive);
    EXPECT_TRUE(q.fields.ADOQuery1Fio->AsString().isEmpty());
}

TEST_F(TADOQuerySqlite, ReadOnlyDatabaseFileShowsRowsButRefusesChanges) {
    addEntries({Entry(23456, QStringLiteral("Ivanov"))});
    ASSERT_TRUE(QFile::setPermissions(folder().databasePath(),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    DirectoryQuery q;
    q.query.Open();
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("Ivanov"));
    EXPECT_FALSE(q.query.CanModify());
    try {
        q.query.Edit();
        FAIL() << "edited a read-only file";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("ADOQuery1: Cannot modify a read-only dataset"));
    }
    EXPECT_EQ(q.query.State(), dsBrowse);
    QFile::setPermissions(folder().databasePath(), QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(TADOQuerySqlite, FailedPostKeepsTheValuesAndACorrectedPostWrites) {
    addEntries({Entry(23456, QStringLiteral("Ivanov"))});
    {
        SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadWrite);
        database.exec("CREATE TRIGGER tel_positive BEFORE UPDATE ON tel WHEN NEW.tel < 0 "
                      "BEGIN SELECT RAISE(ABORT, 'phone number must not be negative'); END");
    }
    DirectoryQuery q;
    q.query.Open();
    q.query.Edit();
    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("-1"));
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("Ivanova"));
    try {
        q.query.Post();
        FAIL() << "posted";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("phone number must not be negative")))
            << Printable(error.message());
        EXPECT_FALSE(error.message().startsWith(QStringLiteral("ADOQuery1:")));
    }
    EXPECT_EQ(q.query.State(), dsEdit);
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("Ivanova"));
    EXPECT_EQ(q.fields.ADOQuery1Tel->AsFloat(), -1);
    EXPECT_EQ(Stored(0), Entry(23456, QStringLiteral("Ivanov")));

    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("23457"));
    q.query.Post();
    EXPECT_EQ(q.query.State(), dsBrowse);
    EXPECT_EQ(Stored(0), Entry(23457, QStringLiteral("Ivanova")));
}

TEST_F(TADOQuerySqlite, EntryEditorWriteBackIsVisibleAfterRefresh) {
    addEntries({Entry(23456, QStringLiteral("Ivanov")), Entry(34567, QStringLiteral("Petrov"))});
    DirectoryQuery q;
    q.query.Open();
    q.query.Next();
    q.query.Edit();
    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("345678"));
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("Petrova"));
    q.fields.ADOQuery1Name->SetAsString(QStringLiteral("MIRA 5-6"));
    q.fields.ADOQuery1Story->SetAsString(QString());
    q.query.Post();
    q.query.Refresh();
    EXPECT_EQ(q.fields.ADOQuery1Tel->AsString(), QStringLiteral("345678"));
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("Petrova"));
    EXPECT_EQ(q.fields.ADOQuery1Story->AsString(), QString());
    EXPECT_FALSE(q.fields.ADOQuery1Story->IsNull());
    EXPECT_EQ(q.query.RecNo(), 2);
    EXPECT_EQ(Stored(1), (DirectoryEntry{345678, QStringLiteral("Petrova"),
                                         QStringLiteral("MIRA 5-6"), QString(QStringLiteral(""))}));
}

TEST_F(TADOQuerySqlite, InsertThroughEditOnAnEmptyResultAddsARow) {
    DirectoryQuery q;
    q.query.Open();
    q.query.Edit();
    EXPECT_EQ(q.query.State(), dsInsert);
    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("23456"));
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("New"));
    q.query.Post();
    q.query.Refresh();
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("New"));
    EXPECT_EQ(q.fields.ADOQuery1ID->AsInteger(), 1);
    ASSERT_EQ(folder().entries().size(), 1u);
    EXPECT_EQ(Stored(0),
              (DirectoryEntry{23456, QStringLiteral("New"), std::nullopt, std::nullopt}));
}

TEST_F(TADOQuerySqlite, DeleteRemovesTheRowFromTheFileAtOnce) {
    addEntries({Entry(1, QStringLiteral("A")), Entry(2, QStringLiteral("B")),
                Entry(3, QStringLiteral("C"))});
    DirectoryQuery q;
    q.query.Open();
    q.query.Next();
    q.query.Delete();
    ASSERT_EQ(folder().entries().size(), 2u);
    EXPECT_EQ(Stored(1).fio, QStringLiteral("C"));
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("C"));
    EXPECT_EQ(q.query.RecordCount(), 2);
}

TEST_F(TADOQuerySqlite, TwoQueriesOnOneFileSeeEachOthersWrites) {
    addEntries({Entry(1, QStringLiteral("A")), Entry(2, QStringLiteral("B"))});
    DirectoryQuery first;
    DirectoryQuery second;
    first.query.Open();
    second.query.Open();
    first.query.Edit();
    first.fields.ADOQuery1Fio->SetAsString(QStringLiteral("A2"));
    first.query.Post();
    EXPECT_EQ(second.fields.ADOQuery1Fio->AsString(), QStringLiteral("A")); // its own copy
    second.query.Refresh();
    EXPECT_EQ(second.fields.ADOQuery1Fio->AsString(), QStringLiteral("A2"));

    // Refresh re-reads the held rows; it does not run the command again.
    addEntries({Entry(3, QStringLiteral("C"))});
    second.query.Refresh();
    EXPECT_EQ(second.query.RecordCount(), 2);

    second.query.Last();
    second.query.Delete();
    EXPECT_EQ(folder().entries().size(), 2u);
    first.query.Close();
    first.query.Open();
    EXPECT_EQ(first.query.RecordCount(), 2);
    first.query.Last();
    EXPECT_EQ(first.fields.ADOQuery1Fio->AsString(), QStringLiteral("C"));
}

TEST_F(TADOQuerySqlite, TextOutsideWindows1251SurvivesAnEditOfAnotherField) {
    const QString fio = QString::fromUtf16(u"Ελληνικά 漢字 \U0001F600");
    const QString name = QString::fromUtf16(u"Straße Łódź 5");
    addEntries({DirectoryEntry{23456, fio, name, QString::fromUtf16(u"café ☎")}});
    DirectoryQuery q;
    q.query.Open();
    // The entry editor's write-back: the corrected phone and the other fields as they read.
    const QString shownFio = q.fields.ADOQuery1Fio->AsString();
    const QString shownName = q.fields.ADOQuery1Name->AsString();
    const QString shownStory = q.fields.ADOQuery1Story->AsString();
    q.query.Edit();
    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("234567"));
    q.fields.ADOQuery1Fio->SetAsString(shownFio);
    q.fields.ADOQuery1Name->SetAsString(shownName);
    q.fields.ADOQuery1Story->SetAsString(shownStory);
    q.query.Post();
    q.query.Refresh();
    EXPECT_EQ(Stored(0), (DirectoryEntry{234567, fio, name, QString::fromUtf16(u"café ☎")}));
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), fio);
}

// A link with no reactions of its own.
class WindowLink : public TDataLink {};

TEST_F(TADOQuerySqlite, RowWindowOf19Over200Rows) {
    std::vector<DirectoryEntry> entries;
    for (int i = 1; i <= 200; ++i) {
        entries.push_back(
            Entry(100000 + i, QStringLiteral("Person %1").arg(i, 3, 10, QLatin1Char('0'))));
    }
    addEntries(entries);
    DirectoryQuery q;
    q.query.SetFiltered(false);
    TDataSource source;
    source.SetDataSet(&q.query);
    WindowLink link;
    link.SetDataSource(&source);
    q.query.Open();
    link.SetBufferCount(19);

    auto tel = [&] {
        return static_cast<int>(q.fields.ADOQuery1Tel->AsFloat()) - 100000;
    };
    auto first = [&] {
        const int previous = link.ActiveRecord();
        link.SetActiveRecord(0);
        const int number = tel();
        link.SetActiveRecord(previous);
        return number;
    };
    EXPECT_EQ(link.RecordCount(), 19);
    EXPECT_EQ(q.query.RecordCount(), 200);
    EXPECT_EQ(first(), 1);

    EXPECT_EQ(q.query.MoveBy(25), 25); // 18 inside, then the window shifts by 7
    EXPECT_EQ(tel(), 26);
    EXPECT_EQ(link.ActiveRecord(), 18);
    EXPECT_EQ(first(), 8);
    EXPECT_EQ(q.query.RecNo(), 26);

    const TBookmark bookmark = q.query.GetBookmark();
    q.query.Last();
    EXPECT_EQ(tel(), 200);
    EXPECT_EQ(first(), 182);
    EXPECT_TRUE(q.query.Eof());

    q.query.GotoBookmark(bookmark);
    EXPECT_EQ(tel(), 26);
    EXPECT_EQ(link.ActiveRecord(), 9);
    EXPECT_EQ(first(), 17);

    q.query.SetRecNo(199);
    EXPECT_EQ(tel(), 199);
    EXPECT_EQ(first(), 182);
    EXPECT_EQ(link.ActiveRecord(), 17);

    q.query.First();
    EXPECT_EQ(first(), 1);
    EXPECT_EQ(q.query.MoveBy(-1), 0);
    EXPECT_TRUE(q.query.Bof());
}

} // namespace
