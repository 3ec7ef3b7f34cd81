#pragma once

#include "platform/db/SqliteDatabase.h"
#include "platform/db/StatementAccelerator.h"
#include "platform/files/FileIdentity.h"

#include <QString>

#include <chrono>
#include <memory>
#include <optional>

class ConnectionString;
class ESqliteError;

// The provider's connection to one database file, shared by a command and the recordsets
// opened from it. Opening never creates a file.
class SqliteAdoConnection {
public:
    // How long a statement waits for another process's lock before it fails.
    static constexpr std::chrono::milliseconds kDefaultBusyTimeout{2000};

    // Opens the file named by `Data Source`: read-write, or read-only when the file is
    // write-protected. An optional `Busy Timeout` (milliseconds) replaces the default wait.
    // Throws EOleException naming the file when it is missing, unreadable or not a database.
    // The factory, if any, gives the connection its accelerator.
    explicit SqliteAdoConnection(const QString& connectionString,
                                 const AcceleratorFactory& accelerate = {});
    ~SqliteAdoConnection();

    SqliteDatabase& database() noexcept { return database_; }
    const QString& path() const noexcept { return path_; }
    bool isReadOnly() const noexcept { return readOnly_; }
    // How long statements on this connection wait for another program's lock.
    std::chrono::milliseconds busyTimeout() const noexcept { return busyTimeout_; }

    // Whether the path now names another file than the one connected (the file was
    // replaced, moved away or deleted), so that a new connection is needed to read it.
    bool fileReplaced() const;

    // The helper that may answer or speed up a statement, or nullptr.
    StatementAccelerator* accelerator() const noexcept { return accelerator_.get(); }

    // The provider error for an SQLite failure on this connection.
    EOleException error(const ESqliteError& failure) const;

private:
    SqliteAdoConnection(const ConnectionString& connection, const AcceleratorFactory& accelerate);
    static SqliteDatabase open(const QString& path, bool readOnly);

    QString path_;
    bool readOnly_ = false;
    std::chrono::milliseconds busyTimeout_;
    std::optional<FileIdentity> identity_;
    SqliteDatabase database_;
    // Declared after the database, so that it goes first.
    std::unique_ptr<StatementAccelerator> accelerator_;
};
