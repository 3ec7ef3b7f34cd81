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

} // namespace

SqliteTransaction::SqliteTransaction(SqliteDatabase& database, Behavior behavior)
    : database_(database) {
    database_.exec(BeginStatement(behavior));
}

SqliteTransaction::~SqliteTransaction() {
    if (!open_) {
        return;
    }
    try {
        // SQLite may already have rolled back after some errors; only roll back what is open.
        if (!database_.isAutocommit()) {
            database_.exec("ROLLBACK");
        }
    } catch (...) {
        // A destructor must not throw; the connection closes the transaction at worst.
    }
}

void SqliteTransaction::commit() {
    database_.exec("COMMIT");
    open_ = false;
}

void SqliteTransaction::rollback() {
    open_ = false;
    if (!database_.isAutocommit()) {
        database_.exec("ROLLBACK");
    }
}
