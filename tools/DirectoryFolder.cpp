#include "tools/DirectoryFolder.h"

#include "tools/DirectorySchema.h"
#include "tools/FolderErrors.h"
#include "tools/SearchIndex.h"
#include "tools/ServerSchema.h"

#include "platform/db/PgConnection.h"
#include "platform/db/SqliteTransaction.h"
#include "platform/files/FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <chrono>
#include <utility>

namespace {

// Waits a little for another program's lock on the database instead of failing at once.
constexpr std::chrono::milliseconds kBusyTimeout{5000};

const QString kBase = QStringLiteral("Base");
const QString kHistory = QStringLiteral("History");
const QString kDatabaseFile = QStringLiteral("ccx.ddx");
const QString kServerFile = QStringLiteral("ccx.server");
const QStringList kHistoryFiles = {QStringLiteral("tel.txt"), QStringLiteral("user.txt"),
                                   QStringLiteral("street.txt")};

QString Join(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}

// Fails when the path exists but is not a folder.
void RequireFolderOrNothing(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isDir()) {
        throw EBadUse(QStringLiteral("%1: exists and is not a folder").arg(path));
    }
}

// Fails when the path exists but is not a file.
void RequireFileOrNothing(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        throw EBadUse(QStringLiteral("%1: exists and is not a file").arg(path));
    }
}

void MakeFolder(const QString& path, QStringList& created) {
    if (QFileInfo(path).isDir()) {
        return;
    }
    if (!QDir().mkpath(path)) {
        throw Exception(QStringLiteral("%1: cannot create the folder").arg(path));
    }
    created << path;
}

// Creates an empty file unless one exists; O_EXCL semantics, so nothing is ever truncated.
void MakeEmptyFile(const QString& path, QStringList& created) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        created << path;
        return;
    }
    if (!QFileInfo(path).isFile()) {
        throw Exception(
            QStringLiteral("%1: cannot create the file (%2)").arg(path, file.errorString()));
    }
}

// Writes a new file, which must not exist yet.
void WriteNewFile(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(text.toUtf8()) < 0 ||
        !file.flush()) {
        throw Exception(
            QStringLiteral("%1: cannot create the file (%2)").arg(path, file.errorString()));
    }
}

// A file without any write permission is left alone even by a user who could write it
// anyway (the administrator), as the program leaves it alone.
bool WriteProtected(const QString& path) {
    constexpr QFile::Permissions kAnyWrite =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (QFileInfo(path).permissions() & kAnyWrite) == 0;
}

} // namespace

DirectoryFolder::DirectoryFolder(QString root) : root_(std::move(root)) {
}

QString DirectoryFolder::databasePath() const {
    return Join(Join(root_, kBase), kDatabaseFile);
}

QString DirectoryFolder::serverPath() const {
    return Join(Join(root_, kBase), kServerFile);
}

std::optional<QString> DirectoryFolder::serverUri() const {
    QFile pointer(serverPath());
    if (!pointer.exists()) {
        return std::nullopt;
    }
    if (QFileInfo::exists(databasePath())) {
        throw EBadUse(QStringLiteral("%1 holds both a database file (%2) and a server address "
                                     "(%3); remove the one that is not meant")
                          .arg(root_, databasePath(), serverPath()));
    }
    if (!pointer.open(QIODevice::ReadOnly)) {
        throw EBadUse(QStringLiteral("%1: cannot read the server address (%2)")
                          .arg(serverPath(), pointer.errorString()));
    }
    QString uri;
    for (const QString& line : QString::fromUtf8(pointer.readAll()).split(u'\n')) {
        const QString text = line.trimmed();
        if (!text.isEmpty() && !text.startsWith(u'#')) {
            uri = text;
            break;
        }
    }
    if (uri.isEmpty()) {
        throw EBadUse(QStringLiteral("%1 names no server; write its connection URI there, or "
                                     "make the folder again with phonebook-db init --server")
                          .arg(serverPath()));
    }
    if (const std::optional<QString> problem = PgConnection::addressProblem(uri)) {
        throw EBadUse(QStringLiteral("%1: %2").arg(serverPath(), *problem));
    }
    return uri;
}

QStringList DirectoryFolder::historyPaths() const {
    QStringList paths;
    for (const QString& name : kHistoryFiles) {
        paths << Join(Join(root_, kHistory), name);
    }
    return paths;
}

bool DirectoryFolder::ownsFile(const QString& path) const {
    const QString database = databasePath();
    QStringList own = historyPaths();
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        own << database + QString::fromLatin1(suffix);
    }
    const std::optional<FileIdentity> file = IdentityOfFile(path);
    const QFileInfo place(path);
    const std::optional<FileIdentity> folder = IdentityOfFile(place.absolutePath());
    for (const QString& ownPath : own) {
        const QFileInfo ownPlace(ownPath);
        if (file) {
            if (file == IdentityOfFile(ownPath)) {
                return true;
            }
        } else if (folder && place.fileName() == ownPlace.fileName() &&
                   folder == IdentityOfFile(ownPlace.absolutePath())) {
            return true;
        }
    }
    return false;
}

void DirectoryFolder::checkPlaces() const {
    RequireFolderOrNothing(root_);
    RequireFolderOrNothing(Join(root_, kBase));
    RequireFolderOrNothing(Join(root_, kHistory));
    for (const QString& path : historyPaths()) {
        RequireFileOrNothing(path);
    }
}

void DirectoryFolder::checkBeforeInit() const {
    checkPlaces();
    if (QFileInfo::exists(databasePath())) {
        open(SqliteOpenMode::ReadOnly); // throws when the file is not a directory database
    }
}

QStringList DirectoryFolder::init() const {
    checkBeforeInit();
    if (QFileInfo::exists(serverPath())) {
        throw EBadUse(QStringLiteral("%1 points to a server (%2); its directory is made there "
                                     "with phonebook-db init --server")
                          .arg(root_, serverPath()));
    }
    QStringList created;
    MakeFolder(root_, created);
    MakeFolder(Join(root_, kBase), created);
    if (createDatabase()) {
        created << databasePath();
    }
    makeFoldersAndHistories(created);
    return created;
}

QStringList DirectoryFolder::initOnServer(const QString& uri) const {
    checkPlaces();
    if (QFileInfo::exists(databasePath())) {
        throw EBadUse(QStringLiteral("%1 holds a database file (%2); a folder's directory is "
                                     "either that file or on a server")
                          .arg(root_, databasePath()));
    }
    if (const std::optional<QString> problem = PgConnection::addressProblem(uri)) {
        throw EBadUse(*problem);
    }
    const std::optional<QString> current = serverUri();
    if (current && *current != uri) {
        throw EBadUse(QStringLiteral("%1 already points to the server %2").arg(root_, *current));
    }
    PgConnection connection(uri);
    CreateServerSchema(connection);
    QStringList created;
    MakeFolder(root_, created);
    MakeFolder(Join(root_, kBase), created);
    if (!current) {
        WriteNewFile(serverPath(),
                     QStringLiteral("# This folder's directory lives on a PostgreSQL server, "
                                    "at the libpq connection URI below.\n"
                                    "# No password here: libpq reads it from ~/.pgpass, "
                                    "PGPASSFILE or PGPASSWORD.\n") +
                         uri + u'\n');
        created << serverPath();
    }
    makeFoldersAndHistories(created);
    return created;
}

void DirectoryFolder::makeFoldersAndHistories(QStringList& created) const {
    MakeFolder(Join(root_, kHistory), created);
    for (const QString& path : historyPaths()) {
        MakeEmptyFile(path, created);
    }
}

// Builds the database in a temporary file beside its place and renames it into place, so a
// failure leaves no half-made database and an existing file is never replaced.
bool DirectoryFolder::createDatabase() const {
    const QString target = databasePath();
    if (QFileInfo::exists(target)) {
        return false;
    }
    QTemporaryFile temporary(target + QStringLiteral(".XXXXXX"));
    if (!temporary.open()) {
        throw Exception(QStringLiteral("%1: cannot create the database (%2)")
                            .arg(target, temporary.errorString()));
    }
    {
        SqliteDatabase database(temporary.fileName(), SqliteOpenMode::ReadWrite);
        SqliteTransaction transaction(database);
        CreateDirectorySchema(database);
        AddSearchIndex(database);
        transaction.commit();
    }
    temporary.close();
    // A temporary file is private to its owner; the database is an ordinary file.
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (!temporary.rename(target)) {
        if (QFileInfo::exists(target)) {
            return false; // made by someone else meanwhile; theirs stays
        }
        throw Exception(QStringLiteral("%1: cannot create the database (%2)")
                            .arg(target, temporary.errorString()));
    }
    temporary.setAutoRemove(false);
    return true;
}

SqliteDatabase DirectoryFolder::open(SqliteOpenMode mode) const {
    if (!QFileInfo(root_).isDir()) {
        throw EBadUse(QStringLiteral("%1: no such folder").arg(root_));
    }
    const QString path = databasePath();
    if (const std::optional<QString> server = serverUri()) {
        throw EBadUse(QStringLiteral("%1 keeps its directory on the server %2; this command "
                                     "needs a folder with a database file")
                          .arg(root_, *server));
    }
    if (!QFileInfo(path).isFile()) {
        throw EBadUse(QStringLiteral("%1: no directory database (%2 is missing)").arg(root_, path));
    }
    QString problem;
    try {
        SqliteDatabase database(path, mode);
        database.setBusyTimeout(kBusyTimeout);
        problem = DirectorySchemaProblem(database);
        if (problem.isEmpty()) {
            if (mode == SqliteOpenMode::ReadWrite &&
                (database.isReadOnly() || WriteProtected(path))) {
                throw Exception(QStringLiteral("%1: the database is read-only; nothing was "
                                               "changed. Make the file and its folder writable")
                                    .arg(path));
            }
            return database;
        }
    } catch (const ESqliteError& error) {
        if (!error.isNotADatabase()) {
            // A locked or unreadable file is a failure, not a wrong file.
            throw DatabaseFailure(path, error);
        }
        problem = error.message();
    }
    throw EBadUse(QStringLiteral("%1: not a directory database: %2").arg(path, problem));
}
