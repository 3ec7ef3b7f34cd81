#pragma once

#include "platform/db/SqliteDatabase.h"

#include <QString>
#include <QStringList>

#include <optional>

// A directory working folder: the database `Base/ccx.ddx` and the history files
// `History/tel.txt`, `History/user.txt` and `History/street.txt` below one root folder.
class DirectoryFolder {
public:
    explicit DirectoryFolder(QString root);

    const QString& root() const noexcept { return root_; }
    QString databasePath() const;
    // The file that says the folder's directory lives on a PostgreSQL server: comment lines
    // (#) and one line with the server's libpq connection URI.
    QString serverPath() const;
    // The server's URI when the folder points to one. Throws EBadUse when the folder holds
    // both a database file and a pointer, or the pointer is empty or holds a password.
    std::optional<QString> serverUri() const;
    QStringList historyPaths() const;

    // Whether the path names one of the folder's own files: the database, its journal or
    // write-ahead files, or a history file. Files are compared by identity, not by name, so a
    // link or another spelling of the path is found too; a path where nothing is yet counts
    // when its folder is the one that holds such a file under that name.
    bool ownsFile(const QString& path) const;

    // Creates the root folder and whatever of the folders and files is missing, the database
    // with an empty table `tel` and the history files empty. An existing file is never
    // truncated or overwritten. Returns the paths it created. Throws EBadUse, before changing
    // anything, when a path is taken by something else or the database is not a directory
    // database; Exception when a file cannot be created.
    QStringList init() const;
    // The same with the directory on a server: creates what the server lacks (see
    // CreateServerSchema) and the pointer instead of the database file. Throws EBadUse, before
    // changing anything, when the folder holds a database file or points to another server,
    // or the URI is unreadable or holds a password; EPgError when the server refuses.
    QStringList initOnServer(const QString& uri) const;

    // Opens the directory database (ReadWrite or ReadOnly), waiting a few seconds for another
    // program's lock. Throws EBadUse when the folder or its database is missing or the file is
    // not a directory database; Exception when the file cannot be read (locked, no access).
    SqliteDatabase open(SqliteOpenMode mode) const;

private:
    // Throws EBadUse when a path of the folder is taken by something of another kind.
    void checkPlaces() const;
    void checkBeforeInit() const;
    void makeFoldersAndHistories(QStringList& created) const;
    bool createDatabase() const;

    QString root_;
};
