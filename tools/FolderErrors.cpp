#include "tools/FolderErrors.h"

#include "platform/db/SqliteError.h"

#include <utility>

namespace {

QString LocatedMessage(const QString& file, qint64 line, const QString& reason) {
    const QString location =
        file.isEmpty() ? QString::number(line) : QStringLiteral("%1:%2").arg(file).arg(line);
    return location + QStringLiteral(": ") + reason;
}

} // namespace

ECsvFormatError::ECsvFormatError(qint64 line, QString reason, QString file)
    : Exception(LocatedMessage(file, line, reason)), line_(line), reason_(std::move(reason)) {
}

Exception DatabaseFailure(const QString& databasePath, const ESqliteError& error) {
    QString advice;
    switch (error.kind()) {
    case SqliteFailureKind::Full:
        advice = QStringLiteral("the disk is full; nothing was changed. Free some space and "
                                "try again");
        break;
    case SqliteFailureKind::Io:
        advice = QStringLiteral("the disk refused a read or write (%1; a full disk or a file "
                                "size limit?); nothing was changed. Check the disk and try again")
                     .arg(error.message());
        break;
    case SqliteFailureKind::ReadOnly:
        advice = QStringLiteral("the database is read-only; nothing was changed. Make the file "
                                "and its folder writable");
        break;
    case SqliteFailureKind::Busy:
        advice = QStringLiteral("the database is locked by another program; nothing was "
                                "changed. Try again when it is done");
        break;
    case SqliteFailureKind::NotADatabase:
        advice =
            QStringLiteral("the file is not a database or is damaged (%1)").arg(error.message());
        break;
    case SqliteFailureKind::Other:
        advice = error.message().startsWith(u"no such table")
                     ? QStringLiteral("%1; it is not a directory database (see "
                                      "phonebook-db init)")
                           .arg(error.message())
                     : error.message();
        break;
    }
    return Exception(QStringLiteral("%1: %2").arg(databasePath, advice));
}
