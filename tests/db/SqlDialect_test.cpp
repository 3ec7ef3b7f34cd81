#include "platform/db/SqlDialect.h"

#include "tests/db/ProviderTestSupport.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <gtest/gtest.h>

namespace {

TEST(OrderByCollationTest, OnlyTheOutermostOrderByTermsGetTheCollation) {
    struct Case {
        const char* sql;
        const char* rewritten;
    };
    const Case cases[] = {
        {"SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\nWHERE fio LIKE'%ИВАН%'\r\nORDER BY "
         "Name\r\n",
         "SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\nWHERE fio LIKE'%ИВАН%'\r\n"
         "ORDER BY Name COLLATE RU_NOCASE\r\n"},
        {"SELECT * FROM t ORDER BY a DESC, b",
         "SELECT * FROM t ORDER BY a COLLATE RU_NOCASE DESC, b COLLATE RU_NOCASE"},
        {"SELECT * FROM t order by lower(a) ASC NULLS LAST LIMIT 5",
         "SELECT * FROM t order by lower(a) COLLATE RU_NOCASE ASC NULLS LAST LIMIT 5"},
        {"SELECT * FROM t ORDER BY a;", "SELECT * FROM t ORDER BY a COLLATE RU_NOCASE;"},
        {"SELECT * FROM t ORDER BY [x y], \"z\"",
         "SELECT * FROM t ORDER BY [x y] COLLATE RU_NOCASE, \"z\" COLLATE RU_NOCASE"},
        // Literals, quoted names and comments that spell ORDER BY are left alone.
        {"SELECT * FROM t WHERE x = 'order by y' ORDER BY a",
         "SELECT * FROM t WHERE x = 'order by y' ORDER BY a COLLATE RU_NOCASE"},
        {"SELECT 'it''s ORDER BY' FROM t", "SELECT 'it''s ORDER BY' FROM t"},
        {"SELECT \"order by\" FROM t", "SELECT \"order by\" FROM t"},
        {"SELECT * FROM t -- ORDER BY a\n", "SELECT * FROM t -- ORDER BY a\n"},
        {"SELECT * FROM t /* ORDER BY a */", "SELECT * FROM t /* ORDER BY a */"},
        // Subqueries keep their own ORDER BY.
        {"SELECT * FROM (SELECT * FROM t ORDER BY a) ORDER BY b",
         "SELECT * FROM (SELECT * FROM t ORDER BY a) ORDER BY b COLLATE RU_NOCASE"},
        {"SELECT * FROM (SELECT * FROM t ORDER BY a)",
         "SELECT * FROM (SELECT * FROM t ORDER BY a)"},
        // A term that names its collation keeps it.
        {"SELECT * FROM t ORDER BY a COLLATE NOCASE, b",
         "SELECT * FROM t ORDER BY a COLLATE NOCASE, b COLLATE RU_NOCASE"},
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
