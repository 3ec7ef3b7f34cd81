#include "tools/FolderCommands.h"

#include "tools/DirectoryFolder.h"
#include "tools/EntryExport.h"
#include "tools/EntryGenerator.h"
#include "tools/EntryImport.h"
#include "tools/EntryTable.h"
#include "tools/FolderErrors.h"

#include "platform/db/SqliteTransaction.h"

#include <QFileInfo>

namespace {

// Runs work on the folder's database; an SQLite failure becomes a message that names the file
// and says what to do.
template <class Work> auto OnDatabase(const QString& folder, Work work) {
    try {
        return work();
    } catch (const ESqliteError& error) {
        throw DatabaseFailure(DirectoryFolder(folder).databasePath(), error);
    }
}

} // namespace

QStringList InitFolder(const QString& folder) {
    return DirectoryFolder(folder).init();
}

QStringList InitServerFolder(const QString& folder, const QString& uri) {
    return DirectoryFolder(folder).initOnServer(uri);
}

void GenerateFolderEntries(const QString& folder, qint64 count, std::uint64_t seed,
                           const std::function<void(qint64 added)>& progress) {
    OnDatabase(folder, [&] {
        SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadWrite);
        AddRowsIndexed(database, count, [&] { GenerateEntries(database, count, seed, progress); });
    });
}

qint64 ImportFolderEntries(const QString& folder, const QString& csvPath) {
    return OnDatabase(folder, [&] {
        SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadWrite);
        // About 40 bytes a line in a directory's CSV file.
        const qint64 estimate = QFileInfo(csvPath).size() / 40;
        qint64 imported = 0;
        AddRowsIndexed(database, estimate,
                       [&] { imported = ImportEntriesFromFile(database, csvPath); });
        return imported;
    });
}

SearchIndexRepair IndexFolder(const QString& folder, const IndexProgress& progress) {
    return OnDatabase(folder, [&] {
        SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadWrite);
        return RepairSearchIndex(database, progress);
    });
}

qint64 ExportFolderEntries(const QString& folder, const QString& csvPath) {
    const DirectoryFolder directory(folder);
    if (directory.ownsFile(csvPath)) {
        throw EBadUse(QStringLiteral("%1: is a file of the working folder %2; export to another "
                                     "file")
                          .arg(csvPath, folder));
    }
    return OnDatabase(folder, [&] {
        SqliteDatabase database = directory.open(SqliteOpenMode::ReadOnly);
        return ExportEntriesToFile(database, csvPath);
    });
}

void AddFolderEntries(const QString& folder, std::span<const DirectoryEntry> entries) {
    OnDatabase(folder, [&] {
        SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadWrite);
        SqliteTransaction transaction(database);
        EntryInserter inserter(database);
        for (const DirectoryEntry& entry : entries) {
            inserter.insert(entry);
        }
        transaction.commit();
    });
}

std::vector<DirectoryEntry> ReadFolderEntries(const QString& folder) {
    SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadOnly);
    return ReadEntries(database);
}
