#pragma once

#include "tools/EntryStore.h"

class PgConnection;

// The table `tel` on a PostgreSQL server: additions go in one COPY, and entries are read
// through a cursor a few thousand at a time, so neither side holds the whole table.
class ServerEntryStore final : public EntryStore {
public:
    explicit ServerEntryStore(PgConnection& connection) : connection_(connection) {}

    void addAll(const std::function<void(const Add&)>& fill) override;
    void forEach(const Visit& visit) override;

private:
    PgConnection& connection_;
};
