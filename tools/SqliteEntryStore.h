#pragma once

#include "tools/EntryStore.h"

class SqliteDatabase;

// The table `tel` of the folder's database file: additions in one transaction.
class SqliteEntryStore final : public EntryStore {
public:
    explicit SqliteEntryStore(SqliteDatabase& database) : database_(database) {}

    void addAll(const std::function<void(const Add&)>& fill) override;
    void forEach(const Visit& visit) override;

private:
    SqliteDatabase& database_;
};
