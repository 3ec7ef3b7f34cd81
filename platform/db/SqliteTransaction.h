#pragma once

class SqliteDatabase;

// Begins a transaction; rolls it back on destruction unless commit() was called. Inside a
// transaction that is already open (a batch of writes) it is a savepoint instead: commit()
// releases it into the outer transaction and a rollback undoes only its own changes.
class SqliteTransaction {
public:
    // How the transaction takes its locks (an outer transaction only).
    enum class Behavior { Deferred, Immediate, Exclusive };

    explicit SqliteTransaction(SqliteDatabase& database, Behavior behavior = Behavior::Deferred);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void commit();
    // Rolls back now (instead of at destruction); errors throw.
    void rollback();

private:
    void undo();

    SqliteDatabase& database_;
    bool nested_ = false;
    bool open_ = true;
};
