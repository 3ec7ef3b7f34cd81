// The provider's SQL handling of a command text: the parameter check, the ORDER BY collation
// rewrite and the one-statement check (prepared on a directory database with the search index).
// A statement the directory's accelerator answers is also run, and must give as many rows as
// SQLite gives; a statement that writes is run too, and the searches after it catch up.
#include "fuzz/FuzzInput.h"

#include "data/ParameterCheck.h"
#include "platform/Exceptions.h"
#include "directory/DirectoryAccelerator.h"
#include "directory/SearchIndexSchema.h"
#include "platform/db/CommandStatement.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/SqliteDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <cstdlib>
#include <optional>

namespace {

const char* const kEntries =
    "INSERT INTO tel (tel, fio, Name) VALUES (23456, 'Иванов', 'МИРА 1'), "
    "(NULL, 'ПЕТРОВА', NULL), (1.5, NULL, 'ленина 2-4'), (7, '', 'Ёлочная')";

SqliteAdoConnection& Connection() {
    static SqliteAdoConnection connection = [] {
        const QString path = QDir::temp().filePath(
            QStringLiteral("sql-fuzz-%1.ddx").arg(QCoreApplication::applicationPid()));
        QFile::remove(path);
        SqliteDatabase database(path, SqliteOpenMode::Create);
        database.exec("CREATE TABLE tel (ID INTEGER PRIMARY KEY AUTOINCREMENT, tel REAL, "
                      "fio VARCHAR(255), Name VARCHAR(255), Story VARCHAR(255))");
        // With the search index and its change log, the statements that write are taken over
        // from the log by the searches after them.
        for (const search_index::SchemaObject& object : search_index::SchemaObjects()) {
            database.exec(object.sql);
        }
        database.exec(kEntries);
        return SqliteAdoConnection(QStringLiteral("Data Source=") + path,
                                   [](SqliteDatabase& database) {
                                       return std::make_unique<DirectoryAccelerator>(database);
                                   });
    }();
    return connection;
}

// Whether the text starts as a write of the table `tel` alone would: the index's own tables
// are kept by the triggers, and a write to them is out of step by design.
bool WritesTheTable(const QString& text) {
    const QString start = text.trimmed().left(7).toUpper();
    return (start.startsWith(u"INSERT") || start.startsWith(u"UPDATE") ||
            start.startsWith(u"DELETE") || start.startsWith(u"REPLACE")) &&
           !text.contains(u"_search", Qt::CaseInsensitive) &&
           !text.contains(u"sqlite_", Qt::CaseInsensitive);
}

// The rowids SQLite gives for the text, and those the accelerator gives, must be the same.
void ExpectSameRows(SqliteAdoConnection& connection, const QString& text) {
    CommandStatement statement(connection, text);
    const std::unique_ptr<AcceleratedResult> answered =
        connection.accelerator()->answer(connection.database(), text, statement.tablesRead());
    if (!answered) {
        return;
    }
    std::size_t row = 0;
    while (statement.step()) {
        if (row >= answered->size() ||
            sqlite3_column_int64(statement.handle(), 0) != answered->rowid(row)) {
            std::abort();
        }
        ++row;
    }
    if (row != answered->size()) {
        std::abort();
    }
}

// After a write, the searches catch up with it; the table is then put back as it was.
void SearchAfterWrite(SqliteAdoConnection& connection, CommandStatement& write) {
    try {
        while (write.step()) {
        }
    } catch (const EOleException&) {
    }
    write.reset();
    for (const char* search : {"SELECT ID FROM tel", "SELECT ID FROM tel ORDER BY Name",
                               "SELECT ID FROM tel WHERE fio LIKE '%ов%' ORDER BY Name",
                               "SELECT ID FROM tel WHERE Name LIKE '%а%'"}) {
        ExpectSameRows(connection, QString::fromUtf8(search));
    }
    connection.database().exec("DELETE FROM tel");
    connection.database().exec(kEntries);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = FuzzInput{data, size}.text();
    const ParameterCheckResult checked = CheckParameters(text);
    WithOrderByCollation(checked.text);
    try {
        CommandStatement statement(Connection(), checked.text);
        statement.parameterNames();
        SqliteAdoConnection& connection = Connection();
        const std::unique_ptr<AcceleratedResult> answered = connection.accelerator()->answer(
            connection.database(), checked.text, statement.tablesRead());
        if (answered) {
            std::size_t rows = 0;
            while (statement.step()) {
                ++rows;
            }
            statement.reset();
            if (rows != answered->size()) {
                std::abort();
            }
        } else if (WritesTheTable(checked.text)) {
            SearchAfterWrite(connection, statement);
        }
    } catch (const EOleException&) {
    }
    return 0;
}
