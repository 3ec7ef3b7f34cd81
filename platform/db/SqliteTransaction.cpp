#include "platform/db/SqliteTransaction.h"

#include "platform/db/SqliteDatabase.h"

namespace {

const char* BeginStatement(SqliteTransaction::Behavior behavior) {
    switch (behavior) {
    case SqliteTransaction::Behavior::Immediate:
        return "BEGIN IMMEDIATE";
    case SqliteTransaction::Behavior::Exclusive:
        return "BEGIN EXCLUSIVE";
    case SqliteTransaction::Behavior::Deferred:
        break;
    }
    return "BEGIN DEFERRED";
}

// Savepoints nest by name; one name serves every level.
constexpr const char* Savepoint = "SAVEPOINT nested_write";
constexpr const char* ReleaseSavepoint = "RELEASE nested_write";
constexpr const char* RollbackToSavepoint = "ROLLBACK TO nested_write";

} // namespace

SqliteTransaction::SqliteTransaction(SqliteDatabase& database, Behavior behavior)
    : database_(database), nested_(!database.isAutocommit()) {
    database_.exec(nested_ ? Savepoint : BeginStatement(behavior));
}

SqliteTransaction::~SqliteTransaction() {
    if (!open_) {
        return;
    }
    try {
        undo();
    } catch (...) {
        // A destructor must not throw; the connection closes the transaction at worst.
    }
}

void SqliteTransaction::commit() {
    database_.exec(nested_ ? ReleaseSavepoint : "COMMIT");
    open_ = false;
}

void SqliteTransaction::rollback() {
    open_ = false;
    undo();
}

void SqliteTransaction::undo() {
    // SQLite may already have rolled back after some errors; only undo what is open.
    if (database_.isAutocommit()) {
        return;
    }
    if (nested_) {
        database_.exec(RollbackToSavepoint);
        database_.exec(ReleaseSavepoint);
    } else {
        database_.exec("ROLLBACK");
    }
}
