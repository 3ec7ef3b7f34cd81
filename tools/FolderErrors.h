#pragma once

#include "platform/Exceptions.h"

#include <QString>

class ESqliteError;

// The tool was used wrongly: an unknown command or option, a missing folder, or a file that
// is not a directory database. Nothing has been changed when it is raised.
class EBadUse : public Exception {
public:
    using Exception::Exception;
};

// A line of a CSV file is malformed. The line is counted from 1; the message reads
// "FILE:LINE: reason", or "LINE: reason" while the file is not known.
class ECsvFormatError : public Exception {
public:
    ECsvFormatError(qint64 line, QString reason, QString file = {});

    qint64 line() const noexcept { return line_; }
    const QString& reason() const noexcept { return reason_; }

private:
    qint64 line_;
    QString reason_;
};

// An SQLite failure on the folder's database as the tool reports it: the message names the
// file and says what to do (a full disk, a read-only file, a lock held by another program,
// a damaged file, a table that is missing).
Exception DatabaseFailure(const QString& databasePath, const ESqliteError& error);
