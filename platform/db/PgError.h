#pragma once

#include "platform/Exceptions.h"

#include <QString>

// A failure of the PostgreSQL server or of the way to it. The message names the server and
// says what to do; the SQLSTATE code (empty when the server was not reached) tells a
// conflict or a refused value from a lost connection.
class EPgError : public Exception {
public:
    EPgError(QString message, QString sqlState, bool connectionLost);

    const QString& sqlState() const noexcept { return sqlState_; }
    // The connection is gone (the server stopped, restarted or cannot be reached): nothing
    // of the failed command was written, and the next command connects afresh.
    bool connectionLost() const noexcept { return connectionLost_; }

private:
    QString sqlState_;
    bool connectionLost_;
};
