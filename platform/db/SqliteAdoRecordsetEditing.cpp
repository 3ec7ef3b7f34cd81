// The writing half of SqliteAdoRecordset: pending values, AddNew, Update, Delete, and the
// re-reads Resync and Requery.
#include "platform/db/SqliteAdoRecordset.h"

#include "platform/db/AdoConstants.h"
#include "platform/db/ProviderError.h"
#include "platform/db/RowWriter.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/SqliteTransaction.h"

namespace {

// Rows of a batch's deletions that another user had deleted first: the batch deleted the
// others, and the user learns how many were gone.
QString AlreadyGone(std::size_t gone, std::size_t deletions) {
    if (gone == deletions) {
        return gone == 1 ? QStringLiteral("The row to delete had already been deleted by another "
                                          "user.")
                         : QStringLiteral("The %1 rows to delete had already been deleted by "
                                          "another user.")
                               .arg(gone);
    }
    return QStringLiteral("%1 of the %2 rows to delete had already been deleted by another "
                          "user; the other %3 are deleted now.")
        .arg(gone)
        .arg(deletions)
        .arg(deletions - gone);
}

} // namespace

void SqliteAdoRecordset::requireUpdatable() const {
    requireOpen();
    if (canUpdate()) {
        return;
    }
    if (connection_->isReadOnly()) {
        throw ProviderError(QStringLiteral("The database '%1' is open read-only (the file is "
                                           "write-protected); it cannot be changed.")
                                .arg(connection_->path()));
    }
    if (lockType_ == ado::adLockReadOnly) {
        throw ProviderError(QStringLiteral("The recordset was opened read-only."));
    }
    throw ProviderError(QStringLiteral(
        "The rows of this result cannot be changed: it must come from one table and include "
        "that table's INTEGER PRIMARY KEY column."));
}

// A move, a filter or a bookmark change writes the pending change first, as ADO does.
void SqliteAdoRecordset::settleEdit() {
    if (editMode_ != ado::adEditNone) {
        update();
    }
}

void SqliteAdoRecordset::setValue(int index, const AdoVariant& value) {
    requireColumn(index);
    requireUpdatable();
    const ResultColumn& column = columns_[static_cast<std::size_t>(index)];
    if ((column.field.attributes & ado::adFldUpdatable) == 0) {
        throw ProviderError(
            QStringLiteral("The field '%1' cannot be changed.").arg(column.field.name));
    }
    if (editMode_ != ado::adEditAdd) {
        if (deletedCurrent_ || !hasCurrent()) {
            throw ProviderError(QStringLiteral("There is no current row to change."));
        }
        editMode_ = ado::adEditInProgress;
    }
    pending_[static_cast<std::size_t>(index)] = value;
}

void SqliteAdoRecordset::addNew() {
    requireUpdatable();
    settleEdit();
    positionBeforeAdd_ = position_;
    pending_.assign(columns_.size(), std::nullopt);
    editMode_ = ado::adEditAdd;
}

void SqliteAdoRecordset::update() {
    requireOpen();
    if (editMode_ == ado::adEditNone) {
        return;
    }
    ColumnChanges changes;
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        if (pending_[i]) {
            changes.emplace_back(static_cast<int>(i), *pending_[i]);
        }
    }
    const BusyWait::Command oneWait(connection_->database().busyWait());
    RowWriter writer(*connection_, target_, columns_);
    // A failed write throws here with the pending values and the edit mode kept.
    if (editMode_ == ado::adEditAdd) {
        const std::size_t row = writer.insert(rows_, changes);
        setRowStatus(row, ado::adRecNew);
        visible_.append(row); // new rows come last, so the shown rows stay in store order
        deletedCurrent_.reset();
        position_ = static_cast<std::int64_t>(visible_.size()) - 1;
    } else {
        const std::size_t row = currentRow();
        writer.update(rows_, row, changes);
        if (rowStatus(row) == ado::adRecOK) {
            setRowStatus(row, ado::adRecModified);
        }
    }
    pending_.assign(columns_.size(), std::nullopt);
    editMode_ = ado::adEditNone;
}

void SqliteAdoRecordset::cancelUpdate() {
    requireOpen();
    if (editMode_ == ado::adEditAdd) {
        position_ = positionBeforeAdd_;
    }
    pending_.assign(columns_.size(), std::nullopt);
    editMode_ = ado::adEditNone;
}

void SqliteAdoRecordset::deleteRows(int affectRecords) {
    requireOpen();
    if (affectRecords != ado::adAffectCurrent) {
        throw ProviderError(QStringLiteral("Only the current row can be deleted."));
    }
    if (editMode_ == ado::adEditAdd) {
        cancelUpdate(); // deleting a row that was never written drops it
        return;
    }
    requireUpdatable();
    if (deletedCurrent_ || !hasCurrent()) {
        throw ProviderError(QStringLiteral("There is no current row to delete."));
    }
    const std::size_t row = currentRow();
    const BusyWait::Command oneWait(connection_->database().busyWait());
    const bool wasThere = RowWriter(*connection_, target_, columns_).remove(rows_, row);
    if (batch_) {
        ++batch_->deletions;
        batch_->alreadyGone += wasThere ? 0 : 1;
    }
    pending_.assign(columns_.size(), std::nullopt);
    editMode_ = ado::adEditNone;
    setRowStatus(row, rowStatus(row) | ado::adRecDeleted);
    ++deletedRows_;
    visible_.erase(static_cast<std::size_t>(position_));
    deletedCurrent_ = row;
}

SqliteAdoRecordset::WriteBatch::WriteBatch(SqliteDatabase& database)
    : oneWait(database.busyWait()), transaction(database, SqliteTransaction::Behavior::Immediate) {
}

void SqliteAdoRecordset::beginWriteBatch() {
    requireUpdatable();
    if (batch_) {
        return;
    }
    try {
        batch_ = std::make_unique<WriteBatch>(connection_->database());
    } catch (const ESqliteError& failure) {
        throw connection_->error(failure);
    }
}

void SqliteAdoRecordset::endWriteBatch() {
    const std::unique_ptr<WriteBatch> batch = std::move(batch_);
    if (!batch) {
        return;
    }
    // Some failures (a full disk, an I/O error) make SQLite undo the whole transaction, not
    // only the write that failed.
    if (connection_->database().isAutocommit()) {
        throw ProviderError(
            QStringLiteral("The database '%1' undid every change of this command after an "
                           "error; none of them was saved. Search again to see the entries as "
                           "they are stored.")
                .arg(connection_->path()));
    }
    try {
        batch->transaction.commit();
    } catch (const ESqliteError& failure) {
        const QString cause = connection_->error(failure).message();
        try {
            batch->transaction.rollback();
        } catch (const ESqliteError& undo) {
            // The connection is left inside the transaction, holding the file: later writes
            // would join it and never reach the file.
            throw ProviderError(cause + QStringLiteral(" The changes could not be undone either "
                                                       "(%1); restart the program before "
                                                       "changing entries.")
                                            .arg(undo.message()));
        }
        throw ProviderError(cause + QStringLiteral(" None of this command's changes was saved; "
                                                   "search again to see the entries as they "
                                                   "are stored."));
    }
    if (batch->alreadyGone > 0) {
        throw ProviderError(AlreadyGone(batch->alreadyGone, batch->deletions));
    }
}

void SqliteAdoRecordset::resync(int affectRecords, int) {
    requireOpen();
    if (!target_.isValid()) {
        throw ProviderError(QStringLiteral(
            "The rows of this result cannot be re-read: it must come from one table and include "
            "that table's INTEGER PRIMARY KEY column."));
    }
    cancelUpdate();
    std::vector<std::size_t> rows;
    if (affectRecords == ado::adAffectCurrent) {
        rows.push_back(currentRow());
    } else {
        for (std::size_t row = 0; row < rows_.rowCount(); ++row) {
            if ((rowStatus(row) & ado::adRecDeleted) == 0) {
                rows.push_back(row);
            }
        }
    }
    const BusyWait::Command oneWait(connection_->database().busyWait());
    RowWriter(*connection_, target_, columns_).resync(rows_, rows);
}

void SqliteAdoRecordset::requery(int) {
    requireOpen();
    cancelUpdate();
    load();
    if (!filterText_.isEmpty()) {
        // The filter is parsed again: the columns it names may have moved.
        filter_.emplace(filterText_, fieldNames());
        rebuildVisible();
        moveFirst();
    }
}
