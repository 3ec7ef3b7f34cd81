#include "tools/FolderCommands.h"

#include "tools/DirectoryFolder.h"
#include "tools/EntryExport.h"
#include "tools/EntryGenerator.h"
#include "tools/EntryImport.h"
#include "tools/FolderErrors.h"
#include "tools/ServerEntryStore.h"
#include "tools/ServerSchema.h"
#include "tools/SqliteEntryStore.h"

#include "platform/db/PgConnection.h"

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

// Runs work on the folder's entries: on its server when it points to one, else on its
// database file (opened in the mode given), where largeAddition (when given) wraps the work
// (see AddRowsIndexed) with the number of entries it adds.
template <class Work>
auto OnEntries(const QString& folder, SqliteOpenMode mode, Work work, qint64 largeAddition = -1) {
    const DirectoryFolder directory(folder);
    if (const std::optional<QString> server = directory.serverUri()) {
        PgConnection connection(*server);
        ServerEntryStore store(connection);
        return work(store);
    }
    return OnDatabase(folder, [&] {
        SqliteDatabase database = directory.open(mode);
        SqliteEntryStore store(database);
        if (largeAddition < 0) {
            return work(store);
        }
        using Result = decltype(work(store));
        Result result{};
        AddRowsIndexed(database, largeAddition, [&] { result = work(store); });
        return result;
    });
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
    OnEntries(
        folder, SqliteOpenMode::ReadWrite,
        [&](EntryStore& store) {
            GenerateEntries(store, count, seed, progress);
            return count;
        },
        count);
}

qint64 ImportFolderEntries(const QString& folder, const QString& csvPath) {
    // About 40 bytes a line in a directory's CSV file.
    const qint64 estimate = QFileInfo(csvPath).size() / 40;
    return OnEntries(
        folder, SqliteOpenMode::ReadWrite,
        [&](EntryStore& store) { return ImportEntriesFromFile(store, csvPath); }, estimate);
}

SearchIndexRepair IndexFolder(const QString& folder, const IndexProgress& progress) {
    const DirectoryFolder directory(folder);
    if (const std::optional<QString> server = directory.serverUri()) {
        PgConnection connection(*server);
        return RepairServerIndexes(connection);
    }
    return OnDatabase(folder, [&] {
        SqliteDatabase database = directory.open(SqliteOpenMode::ReadWrite);
        return RepairSearchIndex(database, progress);
    });
}

qint64 ExportFolderEntries(const QString& folder, const QString& csvPath) {
    if (DirectoryFolder(folder).ownsFile(csvPath)) {
        throw EBadUse(QStringLiteral("%1: is a file of the working folder %2; export to another "
                                     "file")
                          .arg(csvPath, folder));
    }
    return OnEntries(folder, SqliteOpenMode::ReadOnly,
                     [&](EntryStore& store) { return ExportEntriesToFile(store, csvPath); });
}

void AddFolderEntries(const QString& folder, std::span<const DirectoryEntry> entries) {
    OnEntries(folder, SqliteOpenMode::ReadWrite, [&](EntryStore& store) {
        store.addAll([&](const EntryStore::Add& add) {
            for (const DirectoryEntry& entry : entries) {
                add(entry);
            }
        });
        return entries.size();
    });
}

std::vector<DirectoryEntry> ReadFolderEntries(const QString& folder) {
    return OnEntries(folder, SqliteOpenMode::ReadOnly, [](EntryStore& store) {
        std::vector<DirectoryEntry> entries;
        store.forEach([&entries](const DirectoryEntry& entry) { entries.push_back(entry); });
        return entries;
    });
}
