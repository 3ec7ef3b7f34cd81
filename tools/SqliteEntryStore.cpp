#include "tools/SqliteEntryStore.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteTransaction.h"
#include "tools/EntryTable.h"

void SqliteEntryStore::addAll(const std::function<void(const Add&)>& fill) {
    SqliteTransaction transaction(database_);
    EntryInserter inserter(database_);
    fill([&inserter](const DirectoryEntry& entry) { inserter.insert(entry); });
    transaction.commit();
}

void SqliteEntryStore::forEach(const Visit& visit) {
    ForEachEntry(database_, visit);
}
