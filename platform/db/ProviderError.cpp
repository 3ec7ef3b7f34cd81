#include "platform/db/ProviderError.h"

#include "platform/db/SqliteError.h"

#include <sqlite3.h>

EOleException ProviderError(const QString& message) {
    return EOleException(message, kProviderErrorCode, QString::fromLatin1(kProviderSource));
}

EOleException ProviderError(const ESqliteError& error, const QString& path) {
    switch (error.resultCode() & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ProviderError(
            QStringLiteral("The database '%1' is locked by another user; try again later.")
                .arg(path));
    case SQLITE_READONLY:
        return ProviderError(
            QStringLiteral("The database '%1' is read-only; it cannot be changed.").arg(path));
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return ProviderError(
            QStringLiteral("The file '%1' is not a database or is damaged.").arg(path));
    case SQLITE_FULL:
        return ProviderError(QStringLiteral("The disk holding the database '%1' is full; nothing "
                                            "was changed. Free some space and try again.")
                                 .arg(path));
    case SQLITE_IOERR:
        return ProviderError(QStringLiteral("The database '%1' could not be read or written (%2); "
                                            "check the disk and try again.")
                                 .arg(path, error.message()));
    default:
        break;
    }
    static const QString kNoTable = QStringLiteral("no such table: ");
    if (error.message().startsWith(kNoTable)) {
        return ProviderError(QStringLiteral("The database '%1' has no table %2; it is not a "
                                            "directory database.")
                                 .arg(path, error.message().mid(kNoTable.size())));
    }
    return ProviderError(error.message());
}
