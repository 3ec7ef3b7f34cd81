// The provider's SQL handling of a command text: the parameter check, the ORDER BY collation
// rewrite and the one-statement check (prepared on a directory database). A statement the
// directory's accelerator answers is also run, and must give as many rows as SQLite gives.
#include "fuzz/FuzzInput.h"

#include "data/ParameterCheck.h"
#include "platform/Exceptions.h"
#include "directory/DirectoryAccelerator.h"
#include "platform/db/CommandStatement.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/SqliteDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>
#include <optional>

namespace {

SqliteAdoConnection& Connection() {
    static SqliteAdoConnection connection = [] {
        const QString path = QDir::temp().filePath(
            QStringLiteral("sql-fuzz-%1.ddx").arg(QCoreApplication::applicationPid()));
        QFile::remove(path);
        SqliteDatabase(path, SqliteOpenMode::Create)
            .exec("CREATE TABLE tel (ID INTEGER PRIMARY KEY AUTOINCREMENT, tel REAL, "
                  "fio VARCHAR(255), Name VARCHAR(255), Story VARCHAR(255));"
                  "INSERT INTO tel (tel, fio, Name) VALUES (23456, 'Иванов', 'МИРА 1'), "
                  "(NULL, 'ПЕТРОВА', NULL), (1.5, NULL, 'ленина 2-4'), (7, '', 'Ёлочная')");
        return SqliteAdoConnection(QStringLiteral("Data Source=") + path,
                                   [](SqliteDatabase& database) {
                                       return std::make_unique<DirectoryAccelerator>(database);
                                   });
    }();
    return connection;
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
        }
    } catch (const EOleException&) {
    }
    return 0;
}
