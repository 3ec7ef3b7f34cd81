#pragma once

#include "tools/DirectoryEntry.h"
#include "tools/SearchIndex.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// The commands of phonebook-db on a working folder. Each opens the folder's database for
// its own work and closes it before returning. EBadUse means the folder or its database is
// missing or wrong and nothing was changed; other exceptions are failures of the command.

// Creates the folder and what it lacks; returns the paths created.
QStringList InitFolder(const QString& folder);
// The same with the directory on a PostgreSQL server (a libpq connection URI): what the server
// lacks is created there, and the folder keeps the URI instead of a database file.
QStringList InitServerFolder(const QString& folder, const QString& uri);

// Generate and import give a database without the search index its index afterwards.

// Adds count generated entries (the same for the same seed) in one transaction.
void GenerateFolderEntries(const QString& folder, qint64 count, std::uint64_t seed,
                           const std::function<void(qint64 added)>& progress = {});

// Adds the entries of a CSV file in one transaction; returns their number.
qint64 ImportFolderEntries(const QString& folder, const QString& csvPath);

// Checks the folder's search index and makes it anew when it is missing, changed, damaged or
// out of step with the entries (RepairSearchIndex); says what it found.
SearchIndexRepair IndexFolder(const QString& folder, const IndexProgress& progress = {});

// Writes every entry to a CSV file; returns their number. A file of the folder itself (the
// database, its journal, a history file) is refused with EBadUse before anything is written.
qint64 ExportFolderEntries(const QString& folder, const QString& csvPath);

// Adds the given entries in one transaction.
void AddFolderEntries(const QString& folder, std::span<const DirectoryEntry> entries);

// Every entry of the folder's database, in `ID` order.
std::vector<DirectoryEntry> ReadFolderEntries(const QString& folder);
