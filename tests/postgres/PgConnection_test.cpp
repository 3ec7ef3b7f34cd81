// The libpq connection: values travel as parameters, failures name the server and say what
// to do, and a connection lost to a restart is made again by the next command.
#include "tests/support/PostgresTest.h"

#include "platform/db/PgConnection.h"
#include "platform/db/PgError.h"

#include <optional>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

class PgConnectionTest : public PostgresTest {};

TEST_F(PgConnectionTest, ValuesTravelApartFromTheStatement) {
    PgConnection connection(uri());
    connection.exec(u"CREATE TABLE t (id serial PRIMARY KEY, v text)"_s);
    const std::vector<PgParameter> hostile{u"'); DROP TABLE t; --"_s, u"%_\\'\""_s, u"Ёё №1 «"_s,
                                           u""_s, std::nullopt};
    for (const PgParameter& value : hostile) {
        connection.exec(u"INSERT INTO t (v) VALUES ($1)"_s, {value});
    }
    const PgResult rows = connection.exec(u"SELECT v FROM t ORDER BY id"_s);
    ASSERT_EQ(rows.rowCount(), static_cast<int>(hostile.size()));
    for (int row = 0; row < rows.rowCount(); ++row) {
        const PgParameter& expected = hostile[static_cast<std::size_t>(row)];
        EXPECT_EQ(rows.isNull(row, 0), !expected.has_value()) << row;
        EXPECT_EQ(rows.text(row, 0), expected.value_or(QString())) << row;
    }
    EXPECT_EQ(connection.exec(u"DELETE FROM t WHERE v = $1"_s, {u"Ёё №1 «"_s}).affectedRows(), 1);
}

TEST_F(PgConnectionTest, ARefusedStatementReportsTheServersMessageAndCode) {
    PgConnection connection(uri());
    connection.exec(u"CREATE TABLE t (id integer PRIMARY KEY)"_s);
    connection.exec(u"INSERT INTO t VALUES (1)"_s);
    try {
        connection.exec(u"INSERT INTO t VALUES ($1)"_s, {u"1"_s});
        ADD_FAILURE() << "a duplicate key was accepted";
    } catch (const EPgError& error) {
        EXPECT_EQ(error.sqlState(), u"23505"_s);
        EXPECT_TRUE(error.message().startsWith(u"duplicate key value"_s)) << error.what();
        EXPECT_FALSE(error.connectionLost());
    }
    EXPECT_EQ(connection.exec(u"SELECT count(*) FROM t"_s).text(0, 0), u"1"_s);
}

// The server stops (an administrator's restart): the command under way fails at once and
// says the connection was lost, a command while it is down says it cannot be reached, and
// the first command after it is back works on the same connection.
TEST_F(PgConnectionTest, AConnectionLostToARestartIsMadeAgainWhenTheServerIsBack) {
    PgConnection connection(uri());
    connection.exec(u"SELECT 1"_s);
    haltServer();
    const auto failure = [&connection] {
        try {
            connection.exec(u"SELECT 1"_s);
        } catch (const EPgError& error) {
            EXPECT_TRUE(error.connectionLost());
            return error.message();
        }
        return QString();
    };
    EXPECT_TRUE(failure().startsWith(u"The connection to the directory server "_s));
    const QString down = failure();
    EXPECT_TRUE(down.contains(u"cannot be reached"_s)) << down.toStdString();
    EXPECT_TRUE(down.contains(u"Check that the server is running"_s)) << down.toStdString();
    resumeServer();
    EXPECT_EQ(connection.exec(u"SELECT 2"_s).text(0, 0), u"2"_s);
}

// Needs no server: a socket folder where none listens.
TEST(PgConnection, AServerThatIsNotThereIsNamed) {
    try {
        PgConnection connection(u"postgresql:///phonebook?host=/nonexistent/folder"_s);
        ADD_FAILURE() << "connected";
    } catch (const EPgError& error) {
        EXPECT_TRUE(error.connectionLost());
        EXPECT_TRUE(error.message().startsWith(
            u"The directory server \"phonebook\" on /nonexistent/folder:5432 cannot be reached: "_s))
            << error.what();
    }
}

} // namespace
