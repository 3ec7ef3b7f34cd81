#include "platform/db/SqliteAdoConnection.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/ProviderError.h"
#include "platform/db/SqlDialect.h"
#include "platform/db/SqliteStatement.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace {

QString DataSource(const ConnectionString& connection) {
    const std::optional<QString> source = connection.value(QStringLiteral("Data Source"));
    if (!source || source->isEmpty()) {
        throw ProviderError(QStringLiteral("The connection string names no Data Source."));
    }
    QString path = *source;
    // A path written with Windows separators still finds its file here.
    if (!QFileInfo::exists(path) && path.contains(u'\\')) {
        const QString portable = QString(path).replace(u'\\', u'/');
        if (QFileInfo::exists(portable)) {
            path = portable;
        }
    }
    return path;
}

std::chrono::milliseconds BusyTimeout(const ConnectionString& connection) {
    const std::optional<QString> text = connection.value(QStringLiteral("Busy Timeout"));
    if (!text) {
        return SqliteAdoConnection::kDefaultBusyTimeout;
    }
    bool ok = false;
    const int milliseconds = text->toInt(&ok);
    if (!ok || milliseconds < 0) {
        throw ProviderError(
            QStringLiteral("The Busy Timeout '%1' is not a number of milliseconds.").arg(*text));
    }
    return std::chrono::milliseconds(milliseconds);
}

// Write-protected: no write permission for this user, or no write bit for anyone (so that a
// file marked read-only stays read-only for an administrator too).
bool IsWriteProtected(const QFileInfo& file) {
    constexpr QFile::Permissions kAnyWrite =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !file.isWritable() || (file.permissions() & kAnyWrite) == 0;
}

// The database file's path, checked to be an existing, readable file.
QString ExistingFile(const ConnectionString& connection) {
    const QString path = DataSource(connection);
    const QFileInfo file(path);
    if (!file.exists()) {
        throw ProviderError(QStringLiteral("Could not find file '%1'.").arg(path));
    }
    if (!file.isFile()) {
        throw ProviderError(QStringLiteral("Cannot open '%1': it is not a file.").arg(path));
    }
    if (!file.isReadable()) {
        throw ProviderError(
            QStringLiteral("Cannot open the file '%1': permission denied.").arg(path));
    }
    return path;
}

} // namespace

SqliteAdoConnection::SqliteAdoConnection(const QString& connectionString,
                                         const AcceleratorFactory& accelerate)
    : SqliteAdoConnection(ConnectionString(connectionString), accelerate) {
}

SqliteAdoConnection::~SqliteAdoConnection() = default;

SqliteAdoConnection::SqliteAdoConnection(const ConnectionString& connection,
                                         const AcceleratorFactory& accelerate)
    : path_(ExistingFile(connection)), readOnly_(IsWriteProtected(QFileInfo(path_))),
      busyTimeout_(BusyTimeout(connection)), database_(open(path_, readOnly_)) {
    try {
        database_.setBusyTimeout(busyTimeout_);
        RegisterSqlDialect(database_.handle());
        // SQLite reads the file only when asked: reading the schema finds a file that is
        // not a database now rather than at the first query.
        SqliteStatement schema = database_.prepare("SELECT count(*) FROM sqlite_schema");
        schema.step();
    } catch (const ESqliteError& failure) {
        throw error(failure);
    }
    readOnly_ = readOnly_ || sqlite3_db_readonly(database_.handle(), "main") == 1;
    identity_ = IdentityOfFile(path_);
    if (accelerate) {
        accelerator_ = accelerate(database_);
    }
}

bool SqliteAdoConnection::fileReplaced() const {
    const std::optional<FileIdentity> now = IdentityOfFile(path_);
    return !now || now != identity_;
}

SqliteDatabase SqliteAdoConnection::open(const QString& path, bool readOnly) {
    try {
        return SqliteDatabase(path,
                              readOnly ? SqliteOpenMode::ReadOnly : SqliteOpenMode::ReadWrite);
    } catch (const ESqliteError& failure) {
        throw ProviderError(
            QStringLiteral("Cannot open the file '%1': %2.").arg(path, failure.message()));
    }
}

EOleException SqliteAdoConnection::error(const ESqliteError& failure) const {
    return ProviderError(failure, path_);
}
