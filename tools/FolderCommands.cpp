#include "tools/FolderCommands.h"

#include "tools/DirectoryFolder.h"
#include "tools/EntryExport.h"
#include "tools/EntryGenerator.h"
#include "tools/EntryImport.h"
#include "tools/EntryTable.h"

#include "platform/db/SqliteTransaction.h"

QStringList InitFolder(const QString& folder) {
    return DirectoryFolder(folder).init();
}

void GenerateFolderEntries(const QString& folder, qint64 count, std::uint64_t seed,
                           const std::function<void(qint64 added)>& progress) {
    SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadWrite);
    GenerateEntries(database, count, seed, progress);
    AddSearchIndex(database);
}

qint64 ImportFolderEntries(const QString& folder, const QString& csvPath) {
    SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadWrite);
    const qint64 imported = ImportEntriesFromFile(database, csvPath);
    AddSearchIndex(database);
    return imported;
}

bool IndexFolder(const QString& folder, const IndexProgress& progress) {
    SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadWrite);
    return AddSearchIndex(database, progress);
}

qint64 ExportFolderEntries(const QString& folder, const QString& csvPath) {
    SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadOnly);
    return ExportEntriesToFile(database, csvPath);
}

void AddFolderEntries(const QString& folder, std::span<const DirectoryEntry> entries) {
    SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadWrite);
    SqliteTransaction transaction(database);
    EntryInserter inserter(database);
    for (const DirectoryEntry& entry : entries) {
        inserter.insert(entry);
    }
    transaction.commit();
}

std::vector<DirectoryEntry> ReadFolderEntries(const QString& folder) {
    SqliteDatabase database = DirectoryFolder(folder).open(SqliteOpenMode::ReadOnly);
    return ReadEntries(database);
}
