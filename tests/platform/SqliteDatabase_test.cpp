#include "platform/db/ChangeListener.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/db/SqliteTransaction.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

// SQLite's result codes, as its documentation numbers them (the tests do not include
// <sqlite3.h>, which stays inside platform/db).
constexpr int kSqliteError = 1;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteConstraintCheck = 19 | (1 << 8);

class SqliteDatabaseTest : public ::testing::Test {
protected:
    QString path(const char* name = "test.db") const {
        return dir_.filePath(QString::fromUtf8(name));
    }

    SqliteDatabase createWithTable(const char* name = "test.db") const {
        SqliteDatabase database(path(name), SqliteOpenMode::Create);
        database.exec(
            "CREATE TABLE t (id INTEGER PRIMARY KEY, value, note TEXT CHECK (length(note) <= 3))");
        return database;
    }

    static std::int64_t count(SqliteDatabase& database) {
        SqliteStatement statement = database.prepare("SELECT count(*) FROM t");
        EXPECT_TRUE(statement.step());
        return statement.columnInt64(0);
    }

private:
    QTemporaryDir dir_;
};

TEST_F(SqliteDatabaseTest, OpenModesCreateOnlyWhenAsked) {
    struct Case {
        SqliteOpenMode mode;
        bool opens;
    };
    const Case cases[] = {{SqliteOpenMode::ReadWrite, false},
                          {SqliteOpenMode::ReadOnly, false},
                          {SqliteOpenMode::Create, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        const QString missing = path("missing.db");
        if (c.opens) {
            EXPECT_NO_THROW(SqliteDatabase(missing, c.mode));
        } else {
            try {
                SqliteDatabase database(missing, c.mode);
                ADD_FAILURE() << "opened a missing file";
            } catch (const ESqliteError& error) {
                EXPECT_EQ(error.resultCode(), kSqliteCantOpen);
                EXPECT_FALSE(error.message().isEmpty());
            }
        }
        EXPECT_EQ(QFileInfo::exists(missing), c.opens);
    }
}

TEST_F(SqliteDatabaseTest, ReadOnlyConnectionRefusesWrites) {
    createWithTable();
    SqliteDatabase readOnly(path(), SqliteOpenMode::ReadOnly);
    try {
        readOnly.exec("INSERT INTO t (value) VALUES (1)");
        FAIL() << "wrote through a read-only connection";
    } catch (const ESqliteError& error) {
        EXPECT_EQ(error.resultCode() & 0xff, kSqliteReadOnly);
    }
    SqliteDatabase readWrite(path(), SqliteOpenMode::ReadWrite);
    EXPECT_EQ(count(readWrite), 0);
}

TEST_F(SqliteDatabaseTest, BoundValuesReadBackWithTheirType) {
    struct Case {
        const char* label;
        void (*bind)(SqliteStatement&);
        SqliteType type;
        double number;
        std::optional<QString> text; // expected columnText; nullopt for a null QString
    };
    const Case cases[] = {
        {"null", [](SqliteStatement& s) { s.bindNull(1); }, SqliteType::Null, 0, std::nullopt},
        {"double", [](SqliteStatement& s) { s.bindDouble(1, 23456.0); }, SqliteType::Float, 23456,
         QStringLiteral("23456.0")},
        {"fraction", [](SqliteStatement& s) { s.bindDouble(1, 0.1); }, SqliteType::Float, 0.1,
         QStringLiteral("0.1")},
        {"int64",
         [](SqliteStatement& s) { s.bindInt64(1, std::numeric_limits<std::int64_t>::max()); },
         SqliteType::Integer, 9223372036854775807.0, QStringLiteral("9223372036854775807")},
        {"text", [](SqliteStatement& s) { s.bindText(1, QStringLiteral("Ёлкин, \"Ё\"")); },
         SqliteType::Text, 0, QStringLiteral("Ёлкин, \"Ё\"")},
        {"empty text", [](SqliteStatement& s) { s.bindText(1, QString()); }, SqliteType::Text, 0,
         QStringLiteral("")},
        {"utf8", [](SqliteStatement& s) { s.bindUtf8(1, "\xD0\x81-1"); }, SqliteType::Text, 0,
         QStringLiteral("Ё-1")},
    };
    SqliteDatabase database = createWithTable();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SqliteStatement insert = database.prepare("INSERT INTO t (value) VALUES (?)");
        c.bind(insert);
        EXPECT_FALSE(insert.step());
        SqliteStatement select = database.prepare("SELECT value FROM t WHERE id = ?");
        select.bindInt64(1, database.lastInsertRowId());
        ASSERT_TRUE(select.step());
        EXPECT_EQ(select.columnType(0), c.type);
        EXPECT_EQ(select.columnIsNull(0), c.type == SqliteType::Null);
        if (c.type == SqliteType::Float || c.type == SqliteType::Integer) {
            EXPECT_EQ(select.columnDouble(0), c.number);
        }
        EXPECT_EQ(select.columnText(0).isNull(), !c.text.has_value());
        EXPECT_EQ(select.columnText(0), c.text.value_or(QString()));
        EXPECT_EQ(select.columnUtf8(0), c.text.value_or(QString()).toStdString());
        EXPECT_FALSE(select.step());
    }
}

TEST_F(SqliteDatabaseTest, StatementRunsAgainAfterReset) {
    SqliteDatabase database = createWithTable();
    SqliteStatement insert = database.prepare("INSERT INTO t (value) VALUES (:value)");
    ASSERT_EQ(insert.parameterIndex(":value"), 1);
    EXPECT_EQ(insert.parameterIndex(":other"), 0);
    for (std::int64_t value : {10, 20, 30}) {
        insert.bindInt64(1, value);
        insert.step();
        insert.reset();
        EXPECT_EQ(database.changes(), 1);
    }
    SqliteStatement moved = database.prepare("SELECT value FROM t ORDER BY id");
    SqliteStatement select = std::move(moved);
    ASSERT_EQ(select.columnCount(), 1);
    EXPECT_EQ(select.columnName(0), u"value");
    std::int64_t sum = 0;
    while (select.step()) {
        sum += select.columnInt64(0);
    }
    EXPECT_EQ(sum, 60);
    EXPECT_EQ(database.lastInsertRowId(), 3);
}

TEST_F(SqliteDatabaseTest, ErrorsCarrySqliteMessageAndCode) {
    SqliteDatabase database = createWithTable();
    struct Case {
        const char* sql;
        int resultCode;
        const char* message;
    };
    const Case cases[] = {
        {"SELEC 1", kSqliteError, "syntax error"},
        {"SELECT * FROM nowhere", kSqliteError, "no such table: nowhere"},
        {"INSERT INTO t (note) VALUES ('long')", kSqliteConstraintCheck, "CHECK constraint failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        try {
            SqliteStatement statement = database.prepare(c.sql);
            statement.step();
            ADD_FAILURE() << "no error";
        } catch (const ESqliteError& error) {
            EXPECT_EQ(error.resultCode(), c.resultCode);
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.message))) << error.what();
        }
    }
    EXPECT_THROW(database.exec("SELEC 1"), ESqliteError);
    EXPECT_EQ(count(database), 0);
}

TEST_F(SqliteDatabaseTest, FileThatIsNoDatabaseFailsAtFirstUse) {
    QFile file(path("text.db"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("ID;tel;fio\n1;23456;Ivanov\n");
    file.close();
    SqliteDatabase database(path("text.db"), SqliteOpenMode::ReadOnly); // SQLite opens lazily
    try {
        database.prepare("PRAGMA table_info(tel)").step();
        FAIL() << "read a text file as a database";
    } catch (const ESqliteError& error) {
        EXPECT_TRUE(error.isNotADatabase());
        EXPECT_EQ(error.message(), u"file is not a database");
    }
    SqliteDatabase real = createWithTable();
    try {
        real.exec("SELEC 1");
    } catch (const ESqliteError& error) {
        EXPECT_FALSE(error.isNotADatabase());
    }
}

TEST_F(SqliteDatabaseTest, TransactionRollsBackUnlessCommitted) {
    struct Case {
        const char* label;
        void (*finish)(SqliteTransaction&);
        std::int64_t rowsAfter;
    };
    const Case cases[] = {
        {"commit", [](SqliteTransaction& t) { t.commit(); }, 1},
        {"explicit rollback", [](SqliteTransaction& t) { t.rollback(); }, 0},
        {"destroyed", [](SqliteTransaction&) {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SqliteDatabase database = createWithTable(c.label);
        {
            SqliteTransaction transaction(database, SqliteTransaction::Behavior::Immediate);
            EXPECT_FALSE(database.isAutocommit());
            database.exec("INSERT INTO t (value) VALUES (1)");
            c.finish(transaction);
        }
        EXPECT_TRUE(database.isAutocommit());
        SqliteDatabase other(path(c.label), SqliteOpenMode::ReadOnly);
        EXPECT_EQ(count(other), c.rowsAfter);
    }
}

TEST_F(SqliteDatabaseTest, TransactionSurvivesAFailedStatementAndAnEndedTransaction) {
    SqliteDatabase database = createWithTable();
    {
        SqliteTransaction transaction(database);
        database.exec("INSERT INTO t (value) VALUES (1)");
        EXPECT_THROW(database.exec("INSERT INTO t (note) VALUES ('long')"), ESqliteError);
        database.exec("ROLLBACK"); // ended behind the guard's back: its destructor must not throw
    }
    EXPECT_EQ(count(database), 0);
}

TEST_F(SqliteDatabaseTest, ATransactionInsideAnotherUndoesOnlyItsOwnWrites) {
    SqliteDatabase database = createWithTable();
    {
        SqliteTransaction batch(database, SqliteTransaction::Behavior::Immediate);
        {
            SqliteTransaction first(database);
            database.exec("INSERT INTO t (value) VALUES (1)");
            first.commit();
        }
        {
            SqliteTransaction failed(database);
            database.exec("INSERT INTO t (value) VALUES (2)");
            EXPECT_THROW(database.exec("INSERT INTO t (note) VALUES ('long')"), ESqliteError);
        }
        {
            SqliteTransaction undone(database);
            database.exec("INSERT INTO t (value) VALUES (3)");
            undone.rollback();
        }
        // Nothing reaches the file before the outer transaction commits.
        SqliteDatabase other(path(), SqliteOpenMode::ReadOnly);
        EXPECT_EQ(count(other), 0);
        batch.commit();
    }
    SqliteStatement values = database.prepare("SELECT value FROM t");
    ASSERT_TRUE(values.step());
    EXPECT_EQ(values.columnInt64(0), 1);
    EXPECT_FALSE(values.step());
}

TEST_F(SqliteDatabaseTest, BusyTimeoutBoundsTheWaitForAnotherWriter) {
    SqliteDatabase writer = createWithTable();
    SqliteDatabase other(path(), SqliteOpenMode::ReadWrite);
    other.setBusyTimeout(std::chrono::milliseconds(0));
    SqliteTransaction transaction(writer, SqliteTransaction::Behavior::Immediate);
    try {
        other.exec("INSERT INTO t (value) VALUES (1)");
        FAIL() << "wrote while another connection held the write lock";
    } catch (const ESqliteError& error) {
        EXPECT_EQ(error.resultCode() & 0xff, kSqliteBusy);
    }
    transaction.commit();
    EXPECT_NO_THROW(other.exec("INSERT INTO t (value) VALUES (1)"));
}

// Outside a command each lock is waited for up to the timeout; inside one, the statements
// share a single wait, and once it is spent they fail at once.
TEST_F(SqliteDatabaseTest, ACommandWaitsForLocksOnceInAll) {
    using std::chrono::milliseconds;
    SqliteDatabase writer = createWithTable();
    SqliteDatabase other(path(), SqliteOpenMode::ReadWrite);
    other.setBusyTimeout(milliseconds(30));
    writer.exec("BEGIN EXCLUSIVE");
    const auto failsBusy = [&other] {
        try {
            other.queryInteger("SELECT count(*) FROM t");
            ADD_FAILURE() << "read while another connection held the file";
        } catch (const ESqliteError& error) {
            EXPECT_EQ(error.resultCode() & 0xff, kSqliteBusy);
        }
    };
    // A sleep may outlast what it asked for, and the time that passed ends a wait too: the
    // sleeps asked for add up to at most the timeout, and nearly to it.
    failsBusy();
    failsBusy();
    const milliseconds twoWaits = other.busyWait().waited();
    EXPECT_GT(twoWaits, milliseconds(30));
    EXPECT_LE(twoWaits, milliseconds(60));
    {
        const BusyWait::Command command(other.busyWait());
        failsBusy();
        failsBusy();
        const BusyWait::Command inner(other.busyWait());
        failsBusy();
    }
    EXPECT_LE(other.busyWait().waited() - twoWaits, milliseconds(30));
    EXPECT_GT(other.busyWait().waited() - twoWaits, milliseconds(0));
    writer.exec("COMMIT");
    const BusyWait::Command command(other.busyWait());
    EXPECT_EQ(other.queryInteger("SELECT count(*) FROM t"), 0);
}

} // namespace

// Records the notices of a connection's writes as text, one line each.
class NoticeLog : public ChangeListener {
public:
    void rowChanged(RowChange change, std::string_view schema, std::string_view table,
                    std::int64_t rowid) noexcept override {
        const char* kind = change == RowChange::Insert   ? "insert"
                           : change == RowChange::Update ? "update"
                                                         : "delete";
        lines.push_back(std::string(kind) + ' ' + std::string(schema) + '.' + std::string(table) +
                        ' ' + std::to_string(rowid));
    }
    void committed() noexcept override { lines.emplace_back("commit"); }
    void rolledBack() noexcept override { lines.emplace_back("rollback"); }

    std::vector<std::string> lines;
};

// Every row the connection writes is told, however the statement reaches it, and so is the
// end of its transaction; another connection's writes are not.
TEST_F(SqliteDatabaseTest, ChangeNoticesTellEveryRowAndHowItsTransactionEnded) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* sql;
        Lines notices;
    };
    const Case cases[] = {
        {"INSERT INTO t (id, value) VALUES (5, 'e')", {"insert main.t 5", "commit"}},
        {"UPDATE t SET value = 'x' WHERE id = 1", {"update main.t 1", "commit"}},
        {"UPDATE t SET id = 9 WHERE id = 2", {"delete main.t 2", "insert main.t 9", "commit"}},
        {"INSERT OR REPLACE INTO t (id, value) VALUES (3, 'r')",
         {"delete main.t 3", "insert main.t 3", "commit"}},
        {"BEGIN; DELETE FROM t WHERE id = 1; ROLLBACK", {"delete main.t 1", "rollback"}},
        {"INSERT INTO t (id, note) VALUES (8, 'long')", {"rollback"}},
        {"DELETE FROM t",
         {"delete main.t 1", "delete main.t 3", "delete main.t 5", "delete main.t 9", "commit"}},
    };
    SqliteDatabase database = createWithTable();
    database.exec("INSERT INTO t (id, value) VALUES (1, 'a'), (2, 'b'), (3, 'c')");
    NoticeLog log;
    database.setChangeListener(&log);
    for (const Case& c : cases) {
        log.lines.clear();
        try {
            database.exec(c.sql);
        } catch (const ESqliteError&) {
            // The CHECK constraint refuses the long note before the row is written.
        }
        EXPECT_EQ(log.lines, c.notices) << c.sql;
    }

    log.lines.clear();
    SqliteDatabase other(path(), SqliteOpenMode::ReadWrite);
    other.exec("INSERT INTO t (id) VALUES (20)");
    database.setChangeListener(nullptr);
    database.exec("INSERT INTO t (id) VALUES (21)");
    EXPECT_EQ(log.lines, Lines{});
}
