#include "tests/support/ProviderTestSupport.h"

#include "platform/Exceptions.h"
#include "platform/db/AdoConstants.h"
#include "platform/db/SqliteAdoProvider.h"

#include <gtest/gtest.h>

namespace {

class RecordsetNavigationTest : public ProviderTest {
protected:
    void SetUp() override {
        addEntries({Entry(23456, "ИВАНОВ И.И.", "ЛЕНИНА 1"), Entry(34567, "Петров", "МИРА 2"),
                    Entry(45678, "Иванова", "ЛЕНИНА 3"), Entry(56789, "Сидоров", "ЛЕНИНА 4"),
                    Entry(67890, "иванченко", "МИРА 5")});
    }
    static QString id(AdoRecordset& recordset) { return Text(recordset.value(0)); }
};

TEST_F(RecordsetNavigationTest, MovesThroughTheRowsBetweenBofAndEof) {
    OpenedQuery query =
        open(QStringLiteral("SELECT ID, tel, fio, Name, Story FROM tel ORDER BY ID"));
    AdoRecordset& rs = *query.recordset;
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), 1);
    EXPECT_EQ(Text(rs.value(1)), QStringLiteral("23456"));
    EXPECT_EQ(Text(rs.value(2)), QStringLiteral("ИВАНОВ И.И."));
    EXPECT_TRUE(std::holds_alternative<double>(rs.value(1)));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(rs.value(4)));

    rs.moveLast();
    EXPECT_EQ(id(rs), QStringLiteral("5"));
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), -3);
    EXPECT_THROW(rs.moveNext(), EOleException);
    EXPECT_THROW(rs.value(0), EOleException);
    rs.movePrevious();
    EXPECT_EQ(id(rs), QStringLiteral("5"));
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), -2);
    EXPECT_THROW(rs.movePrevious(), EOleException);
    rs.setAbsolutePosition(3);
    EXPECT_EQ(id(rs), QStringLiteral("3"));
    EXPECT_THROW(rs.setAbsolutePosition(6), EOleException);
    EXPECT_EQ(id(rs), QStringLiteral("3"));
}

TEST_F(RecordsetNavigationTest, BookmarksNameRowsAndKeepTheResultOrder) {
    OpenedQuery query = open(QStringLiteral("SELECT ID, fio FROM tel ORDER BY fio DESC"));
    AdoRecordset& rs = *query.recordset;
    EXPECT_EQ(ColumnTexts(rs, 1),
              (QStringList{"Сидоров", "Петров", "иванченко", "Иванова", "ИВАНОВ И.И."}));
    rs.moveFirst();
    const AdoBookmark first = rs.bookmark();
    rs.setAbsolutePosition(4);
    const AdoBookmark fourth = rs.bookmark();
    rs.moveLast();
    rs.setBookmark(fourth);
    EXPECT_EQ(Text(rs.value(1)), QStringLiteral("Иванова"));
    EXPECT_EQ(rs.absolutePosition(), 4);
    EXPECT_EQ(rs.compareBookmarks(first, fourth), ado::adCompareLessThan);
    EXPECT_EQ(rs.compareBookmarks(fourth, first), ado::adCompareGreaterThan);
    EXPECT_EQ(rs.compareBookmarks(fourth, fourth), ado::adCompareEqual);
    EXPECT_EQ(rs.compareBookmarks(fourth, 0), ado::adCompareNotComparable);
    EXPECT_THROW(rs.setBookmark(99), EOleException);
}

TEST_F(RecordsetNavigationTest, TheFilterDecidesTheVisibleRows) {
    OpenedQuery query = open(QStringLiteral("SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\n"
                                            "WHERE Name LIKE'%ЛЕНИНА%'\r\nORDER BY Name\r\n"));
    AdoRecordset& rs = *query.recordset;
    rs.setAbsolutePosition(3);
    const AdoBookmark sidorov = rs.bookmark();
    rs.setFilter(QStringLiteral("fio='ИВАН*'"));
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.absolutePosition(), 1);
    EXPECT_EQ(ColumnTexts(rs, 2), (QStringList{"ИВАНОВ И.И.", "Иванова"}));
    EXPECT_THROW(rs.setBookmark(sidorov), EOleException); // filtered out

    try {
        rs.setFilter(QStringLiteral("Foo = 1"));
        ADD_FAILURE() << "accepted";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Invalid filter: unknown field 'Foo'"));
    }
    EXPECT_EQ(rs.recordCount(), 2); // the previous filter stays

    rs.setFilter(QString());
    EXPECT_EQ(rs.recordCount(), 3);
    rs.setBookmark(sidorov);
    EXPECT_EQ(Text(rs.value(2)), QStringLiteral("Сидоров"));
}

TEST_F(RecordsetNavigationTest, AnEmptyResultIsAtBofAndEof) {
    OpenedQuery query = open(QStringLiteral("SELECT ID, fio FROM tel WHERE fio LIKE '%nobody%'"));
    EXPECT_EQ(query->recordCount(), 0);
    EXPECT_TRUE(query->bof());
    EXPECT_TRUE(query->eof());
    query->moveFirst();
    query->moveLast();
    EXPECT_TRUE(query->eof());
    EXPECT_THROW(query->bookmark(), EOleException);
}

TEST_F(RecordsetNavigationTest, MaxRecordsLimitsTheRowsHeld) {
    OpenedQuery query;
    query.command = SqliteAdoProvider().createCommand();
    query.command->setActiveConnection(connectionString());
    query.command->setCommandText(QStringLiteral("SELECT ID FROM tel ORDER BY ID"));
    query.recordset = SqliteAdoProvider().createRecordset();
    query->setMaxRecords(2);
    query->open(*query.command, ado::adOpenStatic, ado::adLockOptimistic, ado::adCmdText);
    EXPECT_EQ(ColumnTexts(*query.recordset, 0), (QStringList{"1", "2"}));
}

} // namespace
