#pragma once

class SqliteDatabase;

// Begins a transaction; rolls it back on destruction unless commit() was called.
class SqliteTransaction {
public:
    // How the transaction takes its locks.
    enum class Behavior { Deferred, Immediate, Exclusive };

    explicit SqliteTransaction(SqliteDatabase& database, Behavior behavior = Behavior::Deferred);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void commit();
    // Rolls back now (instead of at destruction); errors throw.
    void rollback();

private:
    SqliteDatabase& database_;
    bool open_ = true;
};
