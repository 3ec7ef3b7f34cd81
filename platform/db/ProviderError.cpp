#include "platform/db/ProviderError.h"

#include "platform/db/SqliteDatabase.h"

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
    default:
        break;
    }
    return ProviderError(error.message());
}
