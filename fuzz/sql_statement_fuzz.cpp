// The provider's SQL handling of a command text: the parameter check, the ORDER BY collation
// rewrite and the one-statement check (prepared on a directory database, never run).
#include "fuzz/FuzzInput.h"

#include "data/ParameterCheck.h"
#include "platform/Exceptions.h"
#include "platform/db/CommandStatement.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/SqliteDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

SqliteAdoConnection& Connection() {
    static SqliteAdoConnection connection = [] {
        const QString path = QDir::temp().filePath(
            QStringLiteral("sql-fuzz-%1.ddx").arg(QCoreApplication::applicationPid()));
        QFile::remove(path);
        SqliteDatabase(path, SqliteOpenMode::Create)
            .exec("CREATE TABLE tel (ID INTEGER PRIMARY KEY AUTOINCREMENT, tel REAL, "
                  "fio VARCHAR(255), Name VARCHAR(255), Story VARCHAR(255));"
                  "INSERT INTO tel (tel, fio, Name) VALUES (23456, 'Иванов', 'МИРА 1')");
        return SqliteAdoConnection(QStringLiteral("Data Source=") + path);
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
    } catch (const EOleException&) {
    }
    return 0;
}
