// Searches answered from the connection's copy of the searched texts: the rows and order the
// scan gives, read on use, and in step with every change to the file.
#include "tests/support/ProviderTestSupport.h"

#include "directory/DirectoryAccelerator.h"
#include "directory/DirectoryProvider.h"
#include "directory/TableSearchCache.h"
#include "platform/db/AdoConstants.h"
#include "platform/db/SqliteAdoCommand.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/SqliteAdoRecordset.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteDatabase.h"
#include "tools/FolderCommands.h"

#include <gtest/gtest.h>

namespace {

class SearchCacheTest : public ProviderTest {
protected:
    AdoProvider& provider() override { return DirectoryProvider(); }
    void SetUp() override { command_ = open(QStringLiteral("SELECT ID FROM tel")).command; }

    // Opens the text on the test's one command, so that every search shares its connection.
    std::unique_ptr<AdoRecordset> search(const QString& sql) { return openOn(*command_, sql); }

    static bool readsOnUse(AdoRecordset& recordset) {
        return dynamic_cast<SqliteAdoRecordset&>(recordset).readsRowsOnUse();
    }

    QStringList ids(const QString& sql) {
        std::unique_ptr<AdoRecordset> recordset = search(sql);
        return ColumnTexts(*recordset, 0);
    }

    void writeElsewhere(const char* sql) {
        SqliteDatabase other(folder().databasePath(), SqliteOpenMode::ReadWrite);
        other.exec(sql);
    }

    std::size_t tableReads() {
        const auto& connection = *dynamic_cast<SqliteAdoCommand&>(*command_).connection();
        return dynamic_cast<const DirectoryAccelerator&>(*connection.accelerator()).tableReads();
    }

    void expectSameAsScan(const char* context);

    std::unique_ptr<AdoCommand> command_;
};

const QString kIvanov = QStringLiteral("SELECT ID, fio FROM tel WHERE fio LIKE '%иванов%' "
                                       "ORDER BY Name");

TEST_F(SearchCacheTest, ServesPlainSearchesOfTheDirectoryOnly) {
    addEntries({Entry(1, "Иванов", "ЛЕНИНА 1"), Entry(2, "Петров", "МИРА 2")});
    struct Case {
        const char* sql;
        bool cached;
    };
    const Case cases[] = {
        {"SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\nWHERE fio LIKE'%ИВ%'\r\nORDER BY Name",
         true},
        {"SELECT ID, tel, fio, Name, Story FROM tel", true},
        {"select * from tel order by name asc;", true},
        {"SELECT tel.ID FROM tel WHERE tel.Name LIKE 'ЛЕН%'", true},
        {"SELECT ID FROM tel WHERE Name LIKE '%Л%' ORDER BY Name DESC", false},
        {"SELECT ID FROM tel ORDER BY fio", false},
        {"SELECT fio AS Name FROM tel ORDER BY Name", false},
        {"SELECT DISTINCT Name FROM tel", false},
        {"SELECT count(*) FROM tel", false},
        {"SELECT ID FROM tel LIMIT 1", false},
        {"SELECT ID FROM tel WHERE Story LIKE '%a%'", false},
        {"SELECT ID FROM tel WHERE fio LIKE '%a%' ESCAPE '!'", false},
        {"SELECT ID FROM tel t", false},
    };
    for (const Case& each : cases) {
        std::unique_ptr<AdoRecordset> recordset = search(QString::fromUtf8(each.sql));
        EXPECT_EQ(readsOnUse(*recordset), each.cached) << each.sql;
    }
}

// The whole table in rowid order and in Name order, as SQLite gives them: with empty and
// missing addresses, and once an address is a number (which SQLite sorts before texts).
TEST_F(SearchCacheTest, TheWholeTableComesInTheScansOrder) {
    GenerateFolderEntries(folder().path(), 3000, 5);
    const char* additions[] = {
        "INSERT INTO tel(tel, fio, Name) VALUES (1, 'Без адреса', NULL), (3, 'Пусто', ''), "
        "(4, 'Строчные', 'ленина 1'), (5, 'Ёлкин', 'ЁЛОЧНАЯ 1'), (6, 'Елкин', 'ЕЛОЧНАЯ 1')",
        "INSERT INTO tel(tel, fio, Name) VALUES (2, 'Число', 42), (7, 'Дробь', 4.5)"};
    for (const char* addition : additions) {
        writeElsewhere(addition);
        for (const char* order : {"", " ORDER BY Name"}) {
            const QString cached = QStringLiteral("SELECT ID, Name FROM tel") + order;
            const QString scanned = QStringLiteral("SELECT ID, Name FROM tel WHERE (1)") + order;
            ASSERT_TRUE(readsOnUse(*search(cached)));
            EXPECT_EQ(ids(cached), ids(scanned)) << addition << order;
        }
    }
}

TEST_F(SearchCacheTest, SeesChangesOfOtherProgramsAndOfItsOwnRecordsets) {
    addEntries({Entry(1, "Иванов А.А.", "ЛЕНИНА 1"), Entry(2, "Петров Б.Б.", "МИРА 2")});
    EXPECT_EQ(ids(kIvanov), QStringList{"1"});

    writeElsewhere("INSERT INTO tel(tel, fio, Name) VALUES (3, 'ИВАНОВА В.В.', 'АЛЛЕЯ 3');"
                   "UPDATE tel SET fio = 'Сидоров' WHERE ID = 1");
    EXPECT_EQ(ids(kIvanov), QStringList{"3"});

    std::unique_ptr<AdoRecordset> petrov = search(QStringLiteral("SELECT ID, fio FROM tel"));
    petrov->moveNext(); // ID 2
    petrov->setValue(1, QStringLiteral("Иванов-Петров"));
    petrov->update();
    EXPECT_EQ(ids(kIvanov), (QStringList{"3", "2"}));

    petrov->deleteRows(ado::adAffectCurrent);
    EXPECT_EQ(ids(kIvanov), QStringList{"3"});
}

// Inside a transaction of the connection the search goes to SQLite, so that a rollback of
// what the transaction wrote is never found from the cache.
TEST_F(SearchCacheTest, ARolledBackWriteIsNotFound) {
    addEntries({Entry(1, "Иванов")});
    EXPECT_EQ(ids(kIvanov), QStringList{"1"});
    search(QStringLiteral("BEGIN"));
    search(QStringLiteral("INSERT INTO tel(fio) VALUES ('Иванова')"));
    EXPECT_EQ(ids(kIvanov), (QStringList{"1", "2"}));
    EXPECT_FALSE(readsOnUse(*search(kIvanov)));
    search(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(ids(kIvanov), QStringList{"1"});
}

// A table with an index may be read through it, in another order: SQLite answers then.
TEST_F(SearchCacheTest, ATableWithAnIndexIsLeftToSqlite) {
    addEntries({Entry(1, "Иванов", "ЛЕНИНА 1"), Entry(2, "Иванова", "ленина 1"),
                Entry(3, "Иваненко", "ЛЕНИНА 1"), Entry(4, "Петров", "АЛЛЕЯ 2")});
    const QString ordered = QStringLiteral("SELECT ID, Name FROM tel ORDER BY Name");
    ASSERT_TRUE(readsOnUse(*search(ordered)));
    writeElsewhere("CREATE INDEX tel_by_name ON tel(Name)");
    EXPECT_FALSE(readsOnUse(*search(ordered)));
    EXPECT_EQ(ids(ordered),
              ids(QStringLiteral("SELECT ID, Name FROM tel WHERE (1) ORDER BY Name")));
    writeElsewhere("DROP INDEX tel_by_name");
    EXPECT_TRUE(readsOnUse(*search(ordered)));
}

// The connection's own writes are taken over row by row: the searches after them give
// SQLite's rows and order without reading the whole table again.
TEST_F(SearchCacheTest, OwnWritesAreTakenOverWithoutReadingTheTableAgain) {
    GenerateFolderEntries(folder().path(), 3000, 11);
    const QString ordered = QStringLiteral("SELECT ID FROM tel ORDER BY Name");
    ids(ordered);
    const std::size_t readsBefore = tableReads();

    std::unique_ptr<AdoRecordset> rows =
        search(QStringLiteral("SELECT ID, tel, fio, Name FROM tel ORDER BY Name"));
    const auto change = [&](long position, int column, const AdoVariant& value) {
        rows->setAbsolutePosition(position);
        rows->setValue(column, value);
        rows->update();
    };
    rows->setAbsolutePosition(30);
    const AdoVariant sharedName = rows->value(3);
    change(10, 3, sharedName);                           // a tie with another entry
    change(20, 3, std::monostate{});                     // no address
    change(40, 3, QStringLiteral("ленина 1"));           // lower case
    change(50, 2, QStringLiteral("Иваненко-Шелл Ё.Ё.")); // a name, not the address
    change(2000, 1, 1234567.0);
    rows->setAbsolutePosition(60);
    const QString freedId = Text(rows->value(0));
    rows->deleteRows(ado::adAffectCurrent);
    rows->setAbsolutePosition(70);
    // An entry moved onto the ID just freed, by a statement of the same connection.
    DatabaseOf(*command_).exec(
        QStringLiteral("UPDATE tel SET ID = %1 WHERE ID = %2").arg(freedId, Text(rows->value(0))));
    rows->setAbsolutePosition(1);
    rows->deleteRows(ado::adAffectCurrent);
    rows->addNew();
    rows->setValue(2, QStringLiteral("Иванов Новый"));
    rows->setValue(3, QStringLiteral("АЛЛЕЯ 1"));
    rows->update();

    for (const QString& where :
         {QString(), QStringLiteral("WHERE fio LIKE '%ив%'"),
          QStringLiteral("WHERE Name LIKE '%ЛЕНИНА 1%'"), QStringLiteral("WHERE tel LIKE '%123%'"),
          QStringLiteral("WHERE fio LIKE '%ё.ё%'")}) {
        for (const char* order : {"", " ORDER BY Name"}) {
            const QString cached = QStringLiteral("SELECT ID FROM tel ") + where + order;
            const QString scanned = QStringLiteral("SELECT ID FROM tel WHERE (%1) ")
                                        .arg(where.isEmpty() ? "1" : where.mid(6)) +
                                    order;
            EXPECT_EQ(ids(cached), ids(scanned)) << where.toStdString() << order;
        }
    }
    EXPECT_EQ(tableReads(), readsBefore);
}

// Every search of a table of searches gives the scan's rows in the scan's order.
void SearchCacheTest::expectSameAsScan(const char* context) {
    const char* conditions[] = {"",
                                "fio LIKE '%ив%'",
                                "Name LIKE '%ЛЕНИНА 1%'",
                                "tel LIKE '%123%'",
                                "fio LIKE '%ё.ё%'",
                                "Name LIKE '%'"};
    for (const char* condition : conditions) {
        for (const char* order : {"", " ORDER BY Name"}) {
            const QString where =
                *condition == 0 ? QString() : QStringLiteral(" WHERE %1").arg(condition);
            const QString cached = QStringLiteral("SELECT ID FROM tel") + where + order;
            const QString scanned =
                QStringLiteral("SELECT ID FROM tel WHERE (%1)").arg(*condition ? condition : "1") +
                order;
            ASSERT_TRUE(readsOnUse(*search(cached))) << context;
            EXPECT_EQ(ids(cached), ids(scanned)) << context << ": " << condition << order;
        }
    }
}

// Another program's writes are read from the file's change log, row by row: added, changed,
// deleted and moved rows, ties and NULLs in the Name order, each batch on top of the last.
TEST_F(SearchCacheTest, OtherProgramsWritesCostTheRowsTheyWrote) {
    GenerateFolderEntries(folder().path(), 3000, 17);
    expectSameAsScan("as read");
    const std::size_t readsBefore = tableReads();
    const char* writes[] = {
        "INSERT INTO tel(tel, fio, Name) VALUES (123, 'Иванов Ё.Ё.', 'ленина 1'), "
        "(NULL, NULL, NULL), (1234567, 'Ёлкин', (SELECT Name FROM tel WHERE ID = 10))",
        "UPDATE tel SET Name = NULL WHERE ID = 20; UPDATE tel SET fio = 'Иваненко' WHERE ID = 30; "
        "UPDATE tel SET Name = (SELECT Name FROM tel WHERE ID = 5) WHERE ID = 40",
        "DELETE FROM tel WHERE ID IN (1, 2, 3001)",
        "UPDATE tel SET ID = 1 WHERE ID = 50; UPDATE tel SET ID = 9999 WHERE ID = 60",
        "INSERT OR REPLACE INTO tel(ID, tel, fio, Name) VALUES (70, 5, 'Заменённый', 'АЛЛЕЯ')",
        "UPDATE tel SET fio = fio || ' ив' WHERE ID BETWEEN 100 AND 1100",
    };
    for (const char* write : writes) {
        writeElsewhere(write);
        expectSameAsScan(write);
    }
    EXPECT_EQ(tableReads(), readsBefore);
}

// When the log cannot say what changed, the table is read again, and the searches still give
// the scan's rows.
TEST_F(SearchCacheTest, TheTableIsReadAgainWhenTheLogCannotTell) {
    GenerateFolderEntries(folder().path(), 3000, 19);
    struct Case {
        const char* write;
        const char* why;
    };
    const Case cases[] = {
        {"UPDATE tel SET Name = 'ſ' || Name WHERE ID = 6; DELETE FROM tel_search_log; "
         "UPDATE tel SET fio = 'Иванов' WHERE ID = 7",
         "the log emptied of a row not yet read"},
        // A Name in the copy whose folded text has another sort key (ſ folds to s) leaves no
        // way to place a changed row among the others.
        {"UPDATE tel SET Name = 'ЛЕНИНА 1' WHERE ID = 5", "a Name folding misplaces"},
        {"UPDATE tel SET Name = x'41' WHERE ID = 8", "a Name SQLite alone can place"},
        {"DROP TRIGGER tel_search_update; UPDATE tel SET fio = 'Иванов' WHERE ID = 9",
         "the triggers gone"},
    };
    for (const Case& each : cases) {
        expectSameAsScan("before");
        const std::size_t readsBefore = tableReads();
        writeElsewhere(each.write);
        expectSameAsScan(each.why);
        EXPECT_EQ(tableReads(), readsBefore + 1) << each.why;
    }
}

// The copy is read and searched on the worker's thread, never on the one that asks.
TEST_F(SearchCacheTest, TheAskingThreadNeverReadsTheCopy) {
    GenerateFolderEntries(folder().path(), 3000, 23);
    expectSameAsScan("first");
    writeElsewhere("DROP TRIGGER tel_search_update; UPDATE tel SET fio = 'Иванов' WHERE ID = 9");
    expectSameAsScan("read again");
    EXPECT_EQ(tableReads(), 2u);
    EXPECT_EQ(TableSearchCache::readsOnThisThread(), 0u);
}

// Read a few rows at a time, the copy holds what one read gives: every row, its texts, the
// Name order; a Name that only SQLite can place stops it.
TEST_F(SearchCacheTest, ReadInChunksTheCopyIsTheSameAsReadAtOnce) {
    GenerateFolderEntries(folder().path(), 1000, 29);
    writeElsewhere(
        "DELETE FROM tel WHERE ID % 7 = 0; UPDATE tel SET Name = NULL WHERE ID % 11 = 0");
    SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadOnly);
    RegisterSqlDialect(database.handle());
    const TableSearchCache whole(database);
    for (const std::size_t rowsAtATime : {std::size_t{1}, std::size_t{97}, whole.size()}) {
        const TableSearchCache chunked(database, rowsAtATime);
        ASSERT_EQ(chunked.size(), whole.size());
        for (std::uint32_t entry = 0; entry < whole.size(); ++entry) {
            ASSERT_EQ(chunked.rowid(entry), whole.rowid(entry));
            ASSERT_EQ(chunked.folded(TableSearchCache::Fio, entry).folded,
                      whole.folded(TableSearchCache::Fio, entry).folded);
        }
        std::vector<std::uint32_t> byName = chunked.all();
        chunked.sortByName(byName);
        std::vector<std::uint32_t> expected = whole.all();
        whole.sortByName(expected);
        EXPECT_EQ(byName, expected) << rowsAtATime;
    }
    writeElsewhere("UPDATE tel SET Name = x'41' WHERE ID = 500");
    EXPECT_THROW(TableSearchCache(database, 100), ESqliteError);
}

// Values are read when first asked for, a page of rows at a time: a row another program
// deleted in between reads as empty, and the others as they are now.
TEST_F(SearchCacheTest, ARowDeletedAfterTheSearchReadsAsEmpty) {
    std::vector<DirectoryEntry> entries;
    for (int i = 1; i <= 300; ++i) {
        entries.push_back({i, QStringLiteral("Иванов"),
                           QStringLiteral("ДОМ %1").arg(i, 3, 10, QChar(u'0')), std::nullopt});
    }
    addEntries(entries);
    std::unique_ptr<AdoRecordset> found =
        search(QStringLiteral("SELECT ID, fio FROM tel WHERE fio LIKE '%иван%' ORDER BY Name"));
    ASSERT_TRUE(readsOnUse(*found));
    writeElsewhere("DELETE FROM tel WHERE ID IN (1, 250); UPDATE tel SET fio = 'Иваненко' "
                   "WHERE ID IN (2, 251)");
    EXPECT_EQ(found->recordCount(), 300);
    const auto at = [&](long position) {
        found->setAbsolutePosition(position);
        return Text(found->value(0)) + u' ' + Text(found->value(1));
    };
    // The first page was read with the search.
    EXPECT_EQ(at(1), "1 Иванов");
    EXPECT_EQ(at(2), "2 Иванов");
    EXPECT_EQ(at(250), "NULL NULL");
    EXPECT_EQ(at(251), "251 Иваненко");
}

// A row that cannot be read when it is first used (another program locks the file) fails
// with the provider's message; a filter that needed it leaves the previous one in force.
TEST_F(SearchCacheTest, ALockedFileFailsTheReadAndKeepsTheFilter) {
    std::vector<DirectoryEntry> entries;
    for (int i = 1; i <= 300; ++i) {
        entries.push_back({i, QStringLiteral("Иванов"), QStringLiteral("ДОМ"), std::nullopt});
    }
    addEntries(entries);
    OpenedQuery found = open(QStringLiteral("SELECT ID, tel, fio FROM tel WHERE fio LIKE '%иван%'"),
                             QStringLiteral("Busy Timeout=50"));
    ASSERT_TRUE(readsOnUse(*found.recordset));
    found->setFilter(QStringLiteral("fio='ИВАН*'")); // answered from the cache, nothing read
    ASSERT_EQ(found->recordCount(), 300);

    SqliteDatabase locker(folder().databasePath(), SqliteOpenMode::ReadWrite);
    locker.exec("BEGIN EXCLUSIVE");
    EXPECT_THROW(found->setFilter(QStringLiteral("tel > 250")), EOleException);
    EXPECT_EQ(found->recordCount(), 300);
    locker.exec("ROLLBACK");
    found->requery(0); // runs again under the filter in force
    EXPECT_EQ(found->recordCount(), 300);
    found->setFilter(QStringLiteral("tel > 250"));
    EXPECT_EQ(found->recordCount(), 50);
}

// Resync gives the rows already read the table's values; the others are read as they are.
TEST_F(SearchCacheTest, ResyncRereadsTheRowsAlreadyRead) {
    addEntries({Entry(1, "Первый"), Entry(2, "Второй"), Entry(3, "Третий")});
    std::unique_ptr<AdoRecordset> found = search(QStringLiteral("SELECT ID, fio FROM tel"));
    ASSERT_TRUE(readsOnUse(*found));
    found->moveNext();
    EXPECT_EQ(Text(found->value(1)), "Второй");
    writeElsewhere("UPDATE tel SET fio = fio || '!'");
    found->resync(ado::adAffectAll, ado::adResyncAllValues);
    EXPECT_EQ(ColumnTexts(*found, 1), (QStringList{"Первый!", "Второй!", "Третий!"}));
}

// A file without the search index, large enough that the index would be asked, is searched
// from the cache by testing every entry.
TEST_F(SearchCacheTest, AFileWithoutTheIndexGivesTheScansRows) {
    GenerateFolderEntries(folder().path(), 20000, 9);
    writeElsewhere("DROP TABLE tel_search_tel; DROP TABLE tel_search_fio; "
                   "DROP TABLE tel_search_Name; DROP TABLE tel_search_rest");
    for (const char* pattern : {"%ов%", "%ИВАН%", "%1%", "%12%-4", "ЛЕН%", "%", "_", "%ё%"}) {
        for (const char* column : {"tel", "fio", "Name"}) {
            const QString condition = QStringLiteral("%1 LIKE '%2'").arg(column, pattern);
            const QString cached =
                QStringLiteral("SELECT ID FROM tel WHERE %1 ORDER BY Name").arg(condition);
            const QString scanned =
                QStringLiteral("SELECT ID FROM tel WHERE (%1) ORDER BY Name").arg(condition);
            ASSERT_TRUE(readsOnUse(*search(cached)));
            EXPECT_EQ(ids(cached), ids(scanned)) << column << " LIKE " << pattern;
        }
    }
}

// A filter on a result the cache answered tests unread rows on the cache's texts and read
// (or changed) rows on their values, and passes the rows it passes on the scan's result.
TEST_F(SearchCacheTest, FiltersPassTheRowsTheyPassOnTheScansResult) {
    GenerateFolderEntries(folder().path(), 3000, 3);
    writeElsewhere("INSERT INTO tel(tel, fio, Name) VALUES (NULL, NULL, 'ЛЕНИНА 7')");
    const char* filters[] = {"fio='ИВАН*'", "fio LIKE '%ов%' OR Name IS NULL",
                             "tel='*12*'",  "fio <> '*а*'",
                             "fio IS NULL", "Name IS NOT NULL AND fio='*ич*'",
                             "tel > 50000", "fio < 'Г' AND tel = '*1*'"};
    const QString cached = QStringLiteral("SELECT ID, tel, fio, Name FROM tel WHERE Name LIKE "
                                          "'%ЛЕНИНА%' ORDER BY Name");
    const QString scanned = QStringLiteral("SELECT ID, tel, fio, Name FROM tel WHERE (Name LIKE "
                                           "'%ЛЕНИНА%') ORDER BY Name");
    std::unique_ptr<AdoRecordset> fromCache = search(cached);
    std::unique_ptr<AdoRecordset> fromScan = search(scanned);
    ASSERT_TRUE(readsOnUse(*fromCache));
    for (const char* filter : filters) {
        fromCache->setFilter(QString::fromUtf8(filter));
        fromScan->setFilter(QString::fromUtf8(filter));
        EXPECT_EQ(ColumnTexts(*fromCache, 0), ColumnTexts(*fromScan, 0)) << filter;
    }

    // A row changed through the recordset is tested on its new values.
    fromCache->setFilter(QString());
    fromCache->setValue(2, QStringLiteral("Иваненко Новый"));
    fromCache->update();
    const QString changedId = Text(fromCache->value(0));
    fromCache->setFilter(QStringLiteral("fio='ИВАН*'"));
    EXPECT_TRUE(ColumnTexts(*fromCache, 0).contains(changedId));
}

} // namespace
