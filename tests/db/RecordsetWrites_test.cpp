#include "tests/support/ProviderTestSupport.h"

#include "platform/Exceptions.h"
#include "platform/db/AdoConstants.h"
#include "platform/db/AdoProvider.h"
#include "platform/db/SqliteDatabase.h"
#include "tools/FolderCommands.h"

#include <gtest/gtest.h>

namespace {

// The directory's columns: 0 ID, 1 tel, 2 fio, 3 Name, 4 Story.
constexpr int kTel = 1, kFio = 2, kName = 3;

const QString kSelectAll = QStringLiteral("SELECT ID, tel, fio, Name, Story FROM tel ORDER BY ID");

class RecordsetWritesTest : public ProviderTest {
protected:
    void SetUp() override {
        addEntries({Entry(23456, "Иванов", "ЛЕНИНА 1"), Entry(34567, "Петров", "МИРА 2"),
                    Entry(45678, "Сидоров", "ЛЕНИНА 3")});
        original_ = folder().entries();
    }
    SqliteDatabase otherConnection() const {
        return SqliteDatabase(folder().databasePath(), SqliteOpenMode::ReadWrite);
    }
    std::vector<DirectoryEntry> original_;
};

TEST_F(RecordsetWritesTest, UpdateWritesTheChangedColumnsAndReadsTheRowBack) {
    OpenedQuery query = open(kSelectAll);
    AdoRecordset& rs = *query.recordset;
    rs.setAbsolutePosition(2);
    EXPECT_EQ(rs.editMode(), ado::adEditNone);
    rs.setValue(kFio, QStringLiteral("Петрова"));
    rs.setValue(kTel, QStringLiteral("12345")); // the column's REAL affinity stores a number
    EXPECT_EQ(rs.editMode(), ado::adEditInProgress);
    EXPECT_EQ(Text(rs.value(kFio)), QStringLiteral("Петрова"));
    rs.update();
    EXPECT_EQ(rs.editMode(), ado::adEditNone);
    EXPECT_EQ(rs.status(), ado::adRecModified);
    EXPECT_TRUE(std::holds_alternative<double>(rs.value(kTel)));
    EXPECT_EQ(Text(rs.value(kTel)), QStringLiteral("12345"));
    std::vector<DirectoryEntry> expected = original_;
    expected[1].fio = QStringLiteral("Петрова");
    expected[1].tel = 12345;
    EXPECT_EQ(folder().entries(), expected);
}

// The first statement of a fresh connection connects the search index, which reads SQLite's
// own schema table; that is not a second table of the result, and the rows stay writable.
TEST_F(RecordsetWritesTest, AnIndexedSearchAsTheFirstStatementIsWritable) {
    OpenedQuery query =
        open(QStringLiteral("SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\nWHERE fio "
                            "LIKE'%сидоров%'\r\nORDER BY Name\r\n"));
    ASSERT_EQ(query->recordCount(), 1);
    EXPECT_TRUE(query->supports(ado::adUpdate));
    query->moveFirst();
    query->setValue(kName, QStringLiteral("ЛЕНИНА 4"));
    query->update();
    EXPECT_EQ(folder().entries().back().name, QStringLiteral("ЛЕНИНА 4"));
}

TEST_F(RecordsetWritesTest, AddNewInsertsARowThatBecomesCurrent) {
    OpenedQuery query = open(kSelectAll);
    AdoRecordset& rs = *query.recordset;
    rs.addNew();
    EXPECT_EQ(rs.editMode(), ado::adEditAdd);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(rs.value(kFio)));
    rs.setValue(kTel, 56789.0);
    rs.setValue(kFio, QStringLiteral("Новиков"));
    rs.update();
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(rs.absolutePosition(), 4);
    EXPECT_EQ(Text(rs.value(0)), QStringLiteral("4")); // the key the database gave
    EXPECT_EQ(rs.status(), ado::adRecNew);
    const AdoBookmark added = rs.bookmark();
    rs.moveFirst();
    rs.setBookmark(added);
    EXPECT_EQ(Text(rs.value(kFio)), QStringLiteral("Новиков"));

    rs.addNew();
    rs.update(); // no column set: DEFAULT VALUES
    EXPECT_EQ(Text(rs.value(kFio)), QStringLiteral("NULL"));
    std::vector<DirectoryEntry> expected = original_;
    expected.push_back(Entry(56789, "Новиков"));
    expected.push_back(DirectoryEntry{});
    EXPECT_EQ(folder().entries(), expected);
}

TEST_F(RecordsetWritesTest, CancelUpdateDropsPendingValuesAndTheAddedRow) {
    OpenedQuery query = open(kSelectAll);
    AdoRecordset& rs = *query.recordset;
    rs.setAbsolutePosition(2);
    rs.setValue(kFio, QStringLiteral("Другой"));
    rs.cancelUpdate();
    EXPECT_EQ(Text(rs.value(kFio)), QStringLiteral("Петров"));
    rs.addNew();
    rs.setValue(kFio, QStringLiteral("Новый"));
    rs.cancelUpdate();
    EXPECT_EQ(rs.editMode(), ado::adEditNone);
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.absolutePosition(), 2);
    EXPECT_EQ(folder().entries(), original_);
}

TEST_F(RecordsetWritesTest, DeleteRemovesTheRowAndTheNextMoveGoesOn) {
    OpenedQuery query = open(kSelectAll);
    AdoRecordset& rs = *query.recordset;
    rs.setAbsolutePosition(2);
    rs.deleteRows(ado::adAffectCurrent);
    EXPECT_EQ(rs.recordCount(), 2);
    rs.moveNext();
    EXPECT_EQ(Text(rs.value(kFio)), QStringLiteral("Сидоров"));
    EXPECT_EQ(rs.absolutePosition(), 2);
    EXPECT_EQ(folder().entries(), (std::vector<DirectoryEntry>{original_[0], original_[2]}));

    rs.deleteRows(ado::adAffectCurrent); // the last row
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.moveFirst();
    EXPECT_EQ(Text(rs.value(kFio)), QStringLiteral("Иванов"));
}

TEST_F(RecordsetWritesTest, AFailedWriteLeavesTheFileAndTheHeldRowAsTheyWere) {
    OpenedQuery query = open(kSelectAll);
    AdoRecordset& rs = *query.recordset;
    const QString tooLong(256, u'я'); // the table's CHECK allows 255 characters
    struct Write {
        const char* what;
        void (*prepare)(AdoRecordset&, const QString&);
    };
    const Write writes[] = {
        {"update",
         [](AdoRecordset& r, const QString& text) {
             r.setValue(kName, text);
         }},
        {"insert",
         [](AdoRecordset& r, const QString& text) {
             r.addNew();
             r.setValue(kFio, text);
         }},
    };
    for (const Write& write : writes) {
        SCOPED_TRACE(write.what);
        rs.moveFirst();
        write.prepare(rs, tooLong);
        try {
            rs.update();
            ADD_FAILURE() << "written";
        } catch (const EOleException& error) {
            EXPECT_TRUE(error.message().startsWith(QStringLiteral("CHECK constraint failed")))
                << error.what();
        }
        EXPECT_NE(rs.editMode(), ado::adEditNone); // the pending change waits for a cancel
        rs.cancelUpdate();
        EXPECT_EQ(rs.recordCount(), 3);
        EXPECT_EQ(Text(rs.value(kName)), QStringLiteral("ЛЕНИНА 1"));
        EXPECT_EQ(folder().entries(), original_);
    }
    // A corrected write goes through on the same recordset.
    rs.setValue(kName, QStringLiteral("ЛЕНИНА 10"));
    rs.update();
    EXPECT_EQ(folder().entries()[0].name, QStringLiteral("ЛЕНИНА 10"));
}

TEST_F(RecordsetWritesTest, ResyncReadsOtherConnectionsChangesAndRequeryRunsAgain) {
    OpenedQuery query = open(kSelectAll);
    AdoRecordset& rs = *query.recordset;
    otherConnection().exec("UPDATE tel SET fio = 'Иванов-Петров' WHERE ID = 1;"
                           "DELETE FROM tel WHERE ID = 2;");
    addEntries({Entry(11111, "Новиков")});
    rs.resync(ado::adAffectAll, ado::adResyncAllValues);
    EXPECT_EQ(ColumnTexts(rs, kFio), (QStringList{"Иванов-Петров", "Петров", "Сидоров"}));
    rs.requery(0);
    EXPECT_EQ(ColumnTexts(rs, kFio), (QStringList{"Иванов-Петров", "Сидоров", "Новиков"}));
}

TEST_F(RecordsetWritesTest, TwoConnectionsToOneFileSeeEachOthersWrites) {
    OpenedQuery first = open(kSelectAll);
    OpenedQuery second = open(kSelectAll);
    first->setValue(kFio, QStringLiteral("Первый"));
    first->update();
    second->moveLast();
    second->setValue(kFio, QStringLiteral("Второй"));
    second->update();
    first->resync(ado::adAffectAll, ado::adResyncAllValues);
    second->resync(ado::adAffectAll, ado::adResyncAllValues);
    const QStringList expected{"Первый", "Петров", "Второй"};
    EXPECT_EQ(ColumnTexts(*first.recordset, kFio), expected);
    EXPECT_EQ(ColumnTexts(*second.recordset, kFio), expected);
}

TEST_F(RecordsetWritesTest, ABusyDatabaseFailsTheWriteClearlyAndStaysIntact) {
    OpenedQuery query = open(kSelectAll, QStringLiteral("Busy Timeout=100"));
    SqliteDatabase other = otherConnection();
    other.exec("BEGIN EXCLUSIVE; UPDATE tel SET Story = 'pending' WHERE ID = 3;");
    const QString locked =
        QStringLiteral("The database '%1' is locked by another user; try again later.")
            .arg(folder().databasePath());
    query->setValue(kFio, QStringLiteral("Занято"));
    try {
        query->update();
        ADD_FAILURE() << "written";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.message(), locked);
    }
    query->cancelUpdate();
    try {
        query->requery(0);
        ADD_FAILURE() << "read";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.message(), locked);
    }
    other.exec("ROLLBACK");
    EXPECT_EQ(folder().entries(), original_);
    query->setValue(kFio, QStringLiteral("Свободно"));
    query->update();
    EXPECT_EQ(folder().entries()[0].fio, QStringLiteral("Свободно"));
}

// A batch that another program's reader keeps from being written waits for the lock once in
// all (not once for each time its page cache fills), then reports the lock and leaves the file
// with none of its writes.
// An update writes over the values its row was read with, in the columns it changes, and
// nothing else: another user's change of another column stays, a change of the same column
// refuses the write.
TEST_F(RecordsetWritesTest, AnUpdateWritesOnlyOverTheValuesItRead) {
    otherConnection().exec("UPDATE tel SET Name = x'41' WHERE ID = 3");
    OpenedQuery query = open(kSelectAll);
    AdoRecordset& rs = *query.recordset;
    otherConnection().exec("UPDATE tel SET Story = 'их заметка' WHERE ID = 1;"
                           "UPDATE tel SET fio = 'Петрова' WHERE ID = 2;");
    rs.setValue(kFio, QStringLiteral("Иванова"));
    rs.update();
    EXPECT_EQ(folder().entries()[0].fio, QStringLiteral("Иванова"));
    EXPECT_EQ(folder().entries()[0].story, QStringLiteral("их заметка"));

    rs.moveNext();
    rs.setValue(kFio, QStringLiteral("Петрович"));
    try {
        rs.update();
        ADD_FAILURE() << "written over another user's change";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Another user changed this row of table 'tel' since it was "
                                 "read; nothing was saved. Search again to see its values now."));
    }
    EXPECT_EQ(rs.editMode(), ado::adEditInProgress);
    EXPECT_EQ(folder().entries()[1].fio, QStringLiteral("Петрова"));
    rs.cancelUpdate();

    rs.moveNext(); // a Name stored as a blob compares as one
    rs.setValue(kName, QStringLiteral("ЛЕНИНА 5"));
    rs.update();
    EXPECT_EQ(folder().entries()[2].name, QStringLiteral("ЛЕНИНА 5"));
}

// Rows of a batch's deletions that another user deleted first: the others are deleted, and
// the end of the batch says how many were gone.
TEST_F(RecordsetWritesTest, ABatchDeletesWhatOthersLeftAndSaysHowManyWereGone) {
    const struct {
        const char* deletedFirst;
        QString report; // empty: no report
    } cases[] = {
        {"", {}},
        {"DELETE FROM tel WHERE ID = (SELECT min(ID) + 1 FROM tel)",
         QStringLiteral("1 of the 3 rows to delete had already been deleted by another user; "
                        "the other 2 are deleted now.")},
        {"DELETE FROM tel",
         QStringLiteral("The 3 rows to delete had already been deleted by another user.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deletedFirst);
        otherConnection().exec("DELETE FROM tel");
        addEntries({Entry(23456, "Иванов", "ЛЕНИНА 1"), Entry(34567, "Петров", "МИРА 2"),
                    Entry(45678, "Сидоров", "ЛЕНИНА 3")});
        OpenedQuery query = open(kSelectAll);
        otherConnection().exec(c.deletedFirst);
        query->beginWriteBatch();
        while (query->recordCount() > 0) {
            query->deleteRows(ado::adAffectCurrent);
            query->moveNext();
        }
        QString report;
        try {
            query->endWriteBatch();
        } catch (const EOleException& error) {
            report = error.message();
        }
        EXPECT_EQ(report, c.report);
        EXPECT_TRUE(folder().entries().empty());
    }
}

TEST_F(RecordsetWritesTest, ABatchUnderAReaderWaitsOnceAndSavesNothing) {
    GenerateFolderEntries(folder().path(), 2000, 5);
    const std::vector<DirectoryEntry> before = folder().entries();
    OpenedQuery query = open(kSelectAll, QStringLiteral("Busy Timeout=100"));
    SqliteDatabase& database = DatabaseOf(*query.command);
    database.exec("PRAGMA cache_size = 10"); // the batch outgrows its page cache early
    SqliteDatabase reader = otherConnection();
    reader.exec("BEGIN");
    reader.queryInteger("SELECT count(*) FROM tel");

    query->beginWriteBatch();
    for (int i = 0; i < 1000; ++i) {
        query->deleteRows(ado::adAffectCurrent);
        query->moveNext();
    }
    try {
        query->endWriteBatch();
        ADD_FAILURE() << "committed under a reader";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("The database '%1' is locked by another user; try again later. "
                                 "None of this command's changes was saved; search again to see "
                                 "the entries as they are stored.")
                      .arg(folder().databasePath()));
    }
    EXPECT_LE(database.busyWait().waited(), std::chrono::milliseconds(100));
    reader.exec("COMMIT");
    EXPECT_EQ(folder().entries(), before);
}

// A search on a file another program holds locked waits once, though it asks twice: its copy
// of the table is checked, then SQLite would run the statement.
TEST_F(RecordsetWritesTest, ASearchOnALockedFileWaitsOnce) {
    OpenedQuery query = open(kSelectAll, QStringLiteral("Busy Timeout=100"));
    SqliteDatabase locker = otherConnection();
    locker.exec("BEGIN EXCLUSIVE");
    const auto waited = [&query] {
        return DatabaseOf(*query.command).busyWait().waited();
    };
    const std::chrono::milliseconds before = waited();
    try {
        openOn(*query.command, QStringLiteral("SELECT ID, fio FROM tel WHERE fio LIKE '%ов%' "
                                              "ORDER BY Name"));
        ADD_FAILURE() << "read a locked file";
    } catch (const EOleException& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("is locked by another user")))
            << error.what();
    }
    EXPECT_LE(waited() - before, std::chrono::milliseconds(100));
    EXPECT_GT(waited() - before, std::chrono::milliseconds(0));
    locker.exec("ROLLBACK");
}

} // namespace
