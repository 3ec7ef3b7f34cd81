#pragma once

#include "platform/db/SearchCacheHolder.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/files/FileIdentity.h"

#include <QString>

#include <chrono>
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
    explicit SqliteAdoConnection(const QString& connectionString);

    SqliteDatabase& database() noexcept { return database_; }
    const QString& path() const noexcept { return path_; }
    bool isReadOnly() const noexcept { return readOnly_; }
    // How long statements on this connection wait for another program's lock.
    std::chrono::milliseconds busyTimeout() const noexcept { return busyTimeout_; }

    // Whether the path now names another file than the one connected (the file was
    // replaced, moved away or deleted), so that a new connection is needed to read it.
    bool fileReplaced() const;

    // The connection's copy of the directory's searched texts (see TableSearchCache).
    SearchCacheHolder& searchCache() noexcept { return searchCache_; }

    // The provider error for an SQLite failure on this connection.
    EOleException error(const ESqliteError& failure) const;

private:
    explicit SqliteAdoConnection(const ConnectionString& connection);
    static SqliteDatabase open(const QString& path, bool readOnly);

    QString path_;
    bool readOnly_ = false;
    std::chrono::milliseconds busyTimeout_;
    std::optional<FileIdentity> identity_;
    SqliteDatabase database_;
    SearchCacheHolder searchCache_;
};
