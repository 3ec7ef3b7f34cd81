#include "platform/db/SqlDialect.h"

#include "tests/support/ProviderTestSupport.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <gtest/gtest.h>

namespace {

TEST(OrderByCollationTest, OnlyTheOutermostOrderByTermsGetTheRussianOrder) {
    struct Case {
        const char* sql;
        const char* rewritten;
    };
    const Case cases[] = {
        {"SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\nWHERE fio LIKE'%ИВАН%'\r\nORDER BY "
         "Name\r\n",
         "SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\nWHERE fio LIKE'%ИВАН%'\r\n"
         "ORDER BY ru_sortkey(Name)\r\n"},
        // Column names are sorted by their sort key, other terms by the collation.
        {"SELECT * FROM t ORDER BY a DESC, b",
         "SELECT * FROM t ORDER BY ru_sortkey(a) DESC, ru_sortkey(b)"},
        {"SELECT * FROM t order by lower(a) ASC NULLS LAST LIMIT 5",
         "SELECT * FROM t order by lower(a) COLLATE RU_NOCASE ASC NULLS LAST LIMIT 5"},
        {"SELECT * FROM t ORDER BY a;", "SELECT * FROM t ORDER BY ru_sortkey(a);"},
        {"SELECT * FROM t ORDER BY [x y], \"z\", t.a, 2",
         "SELECT * FROM t ORDER BY ru_sortkey([x y]), ru_sortkey(\"z\"), ru_sortkey(t.a), 2 "
         "COLLATE RU_NOCASE"},
        // A name that may mean a result column's alias, or a compound SELECT: the collation.
        {"SELECT fio AS a FROM t ORDER BY a",
         "SELECT fio AS a FROM t ORDER BY a COLLATE RU_NOCASE"},
        {"SELECT fio a FROM t ORDER BY a", "SELECT fio a FROM t ORDER BY a COLLATE RU_NOCASE"},
        {"SELECT a FROM t UNION SELECT b FROM u ORDER BY a",
         "SELECT a FROM t UNION SELECT b FROM u ORDER BY a COLLATE RU_NOCASE"},
        {"SELECT DISTINCT a, count(*) FROM t GROUP BY a ORDER BY a",
         "SELECT DISTINCT a, count(*) FROM t GROUP BY a ORDER BY ru_sortkey(a)"},
        // Literals, quoted names and comments that spell ORDER BY are left alone.
        {"SELECT * FROM t WHERE x = 'order by y' ORDER BY a",
         "SELECT * FROM t WHERE x = 'order by y' ORDER BY ru_sortkey(a)"},
        {"SELECT 'it''s ORDER BY' FROM t", "SELECT 'it''s ORDER BY' FROM t"},
        {"SELECT \"order by\" FROM t", "SELECT \"order by\" FROM t"},
        {"SELECT * FROM t -- ORDER BY a\n", "SELECT * FROM t -- ORDER BY a\n"},
        {"SELECT * FROM t /* ORDER BY a */", "SELECT * FROM t /* ORDER BY a */"},
        // Subqueries keep their own ORDER BY.
        {"SELECT * FROM (SELECT * FROM t ORDER BY a) ORDER BY b",
         "SELECT * FROM (SELECT * FROM t ORDER BY a) ORDER BY ru_sortkey(b)"},
        {"SELECT * FROM (SELECT * FROM t ORDER BY a)",
         "SELECT * FROM (SELECT * FROM t ORDER BY a)"},
        // A term that names its collation keeps it.
        {"SELECT * FROM t ORDER BY a COLLATE NOCASE, b",
         "SELECT * FROM t ORDER BY a COLLATE NOCASE, ru_sortkey(b)"},
        {"SELECT * FROM t", "SELECT * FROM t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(WithOrderByCollation(QString::fromUtf8(c.sql)), QString::fromUtf8(c.rewritten));
    }
}

class SqlDialectTest : public ProviderTest {};

TEST_F(SqlDialectTest, LikeIgnoresCaseAndReadsNumbersAsPlainText) {
    addEntries({Entry(23456, "ИВАНОВ И.И."), Entry(23406, "Иванов П.П."), Entry(34567, "иванченко"),
                Entry(45678, "Ёлкин"), Entry(56789, "ёжиков"), Entry(std::nullopt, "Петров_1"),
                Entry(1.5, "Петров21")});
    struct Case {
        const char* where;
        QStringList ids;
    };
    const Case cases[] = {
        {"fio LIKE '%иван%'", {"1", "2", "3"}},
        {"fio LIKE '%ИВАН%'", {"1", "2", "3"}},
        {"fio LIKE 'ё%'", {"4", "5"}},
        {"fio LIKE 'Ё%'", {"4", "5"}},
        {"fio LIKE 'Петров_1'", {"6", "7"}},
        {"fio LIKE 'Петров\\_1' ESCAPE '\\'", {"6"}},
        {"tel LIKE '%345%'", {"1", "3"}},
        {"tel LIKE '%0%'", {"2"}},
        {"tel LIKE '1.5'", {"7"}},
        {"tel LIKE '%'", {"1", "2", "3", "4", "5", "7"}},
        {"ID LIKE '7'", {"7"}},
        {"NOT fio LIKE '%ов%'", {"3", "4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        OpenedQuery query = open(QStringLiteral("SELECT ID FROM tel WHERE %1 ORDER BY ID")
                                     .arg(QString::fromUtf8(c.where)));
        EXPECT_EQ(ColumnTexts(*query.recordset, 0), c.ids);
    }
}

TEST_F(SqlDialectTest, OrderByNameSortsInRussianOrderIgnoringCase) {
    const char* names[] = {"Яблоко", "ЁЛКА", "Zebra", "Баня", "аптека", "елка", "Apple", "баня 2"};
    std::vector<DirectoryEntry> entries;
    for (const char* name : names) {
        entries.push_back(Entry(1, "x", name));
    }
    addEntries(entries);
    OpenedQuery query =
        open(QStringLiteral("SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\nORDER BY Name\r\n"));
    // ICU's Russian order: Cyrillic before Latin, case ignored, Е before Ё when all else is equal.
    EXPECT_EQ(ColumnTexts(*query.recordset, 3), (QStringList{"аптека", "Баня", "баня 2", "елка",
                                                             "ЁЛКА", "Яблоко", "Apple", "Zebra"}));
}

// Sorting by the sort key gives the collation's order exactly, ties in the same order too:
// texts in every case and alphabet, Е and Ё, equal texts, NULLs, numbers, blobs.
TEST_F(SqlDialectTest, SortKeysOrderAsTheCollationDoes) {
    const char* names[] = {"Яблоко", "ЁЛКА",   "Zebra",   "Баня", "аптека", "елка", "Apple",
                           "баня 2", "БАНЯ",   "баня",    "ёлка", "Елка",   "",     " ",
                           "1-2",    "12",     "2",       "№5",   "«А»",    "a-b",  "ab",
                           "ᲀᲁ", "Straße", "STRASSE", "ǅ",    "ß",      "Ää",   "ä"};
    std::vector<DirectoryEntry> entries;
    for (int round = 0; round < 3; ++round) {
        for (const char* name : names) {
            entries.push_back(Entry(1, "x", name));
        }
        entries.push_back(Entry(1, "x"));
    }
    addEntries(entries);
    {
        SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadWrite);
        database.exec("INSERT INTO tel(Name) VALUES (12), (1.5), (x'D0AF'), (x'00'), (-3)");
        database.exec("INSERT INTO tel(Name) VALUES (x'ff41'), ('a' || char(0) || 'b')");
    }
    const QString byKey = QStringLiteral("SELECT ID, Name FROM tel ORDER BY Name");
    const QString byCollation =
        QStringLiteral("SELECT ID, Name FROM tel ORDER BY Name COLLATE RU_NOCASE");
    ASSERT_NE(WithOrderByCollation(byKey), byKey + QStringLiteral(" COLLATE RU_NOCASE"));
    for (const char* direction : {"", " DESC"}) {
        SCOPED_TRACE(direction);
        OpenedQuery keyed = open(byKey + QString::fromUtf8(direction));
        OpenedQuery collated = open(byCollation + QString::fromUtf8(direction));
        EXPECT_EQ(ColumnTexts(*keyed.recordset, 0), ColumnTexts(*collated.recordset, 0));
    }
}

TEST_F(SqlDialectTest, TheFileStaysReadableWithoutTheDialect) {
    addEntries({Entry(23456, "Иванов", "ЛЕНИНА 1")});
    {
        OpenedQuery query = open(QStringLiteral("SELECT ID, fio FROM tel ORDER BY fio"));
        query->setValue(1, QStringLiteral("Петров"));
        query->update();
    }
    // A plain connection, as the sqlite3 shell would make, reads and checks the file.
    SqliteDatabase plain(folder().databasePath(), SqliteOpenMode::ReadOnly);
    SqliteStatement check = plain.prepare("PRAGMA integrity_check");
    ASSERT_TRUE(check.step());
    EXPECT_EQ(check.columnText(0), QStringLiteral("ok"));
    SqliteStatement read =
        plain.prepare("SELECT fio FROM tel WHERE fio LIKE '%етр%' ORDER BY Name");
    ASSERT_TRUE(read.step());
    EXPECT_EQ(read.columnText(0), QStringLiteral("Петров"));
}

} // namespace
