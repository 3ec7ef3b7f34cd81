#include "platform/db/RowWriter.h"

#include "platform/db/ProviderError.h"
#include "platform/db/ResultRows.h"
#include "platform/db/SqlIdentifier.h"
#include "platform/db/SqliteAdoConnection.h"
#include "platform/db/SqliteStatement.h"
#include "platform/db/SqliteTransaction.h"

#include <QStringList>

#include <algorithm>
#include <string>

namespace {

void Bind(SqliteStatement& statement, int index, const AdoVariant& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        statement.bindInt64(index, *integer);
    } else if (const auto* real = std::get_if<double>(&value)) {
        statement.bindDouble(index, *real);
    } else if (const auto* text = std::get_if<QString>(&value)) {
        statement.bindText(index, *text);
    } else {
        statement.bindNull(index);
    }
}

// One row read from the table, owning its texts.
class TableRow {
public:
    // Reads the statement's current row; `origins` maps each result column to a statement
    // column (or -1), and `fallback` gives the values of the other result columns.
    TableRow(const SqliteStatement& statement, const std::vector<int>& origins,
             std::span<const StoredValue> fallback) {
        texts_.reserve(origins.size()); // the views below point into these strings
        for (std::size_t i = 0; i < origins.size(); ++i) {
            values_.push_back(origins[i] < 0 ? (i < fallback.size() ? fallback[i] : StoredValue())
                                             : read(statement, origins[i]));
        }
    }
    std::span<const StoredValue> values() const { return values_; }

private:
    StoredValue read(const SqliteStatement& statement, int column) {
        switch (statement.columnType(column)) {
        case SqliteType::Integer:
            return StoredValue::ofInteger(statement.columnInt64(column));
        case SqliteType::Float:
            return StoredValue::ofReal(statement.columnDouble(column));
        case SqliteType::Text:
            texts_.push_back(statement.columnUtf8(column));
            return StoredValue::ofText(texts_.back());
        case SqliteType::Blob:
            texts_.push_back(statement.columnUtf8(column));
            return StoredValue::ofBlob(texts_.back());
        case SqliteType::Null:
            break;
        }
        return StoredValue::null();
    }

    std::vector<StoredValue> values_;
    std::vector<std::string> texts_;
};

// Binds a value as the row held it, so that `column IS ?` holds exactly when the table still
// has that value.
void BindStored(SqliteStatement& statement, int index, const StoredValue& value) {
    switch (value.type) {
    case StoredType::Integer:
        statement.bindInt64(index, value.integer);
        break;
    case StoredType::Real:
        statement.bindDouble(index, value.real);
        break;
    case StoredType::Text:
        statement.bindUtf8(index, value.bytes);
        break;
    case StoredType::Blob:
        statement.bindBlob(index, value.bytes);
        break;
    case StoredType::Null:
        statement.bindNull(index);
        break;
    }
}

} // namespace

RowWriter::RowWriter(SqliteAdoConnection& connection, const WriteTarget& target,
                     const std::vector<ResultColumn>& columns)
    : connection_(connection), target_(target), columns_(columns) {
}

QString RowWriter::quotedTable() const {
    return QuotedIdentifier(target_.table.schema) + u'.' + QuotedIdentifier(target_.table.name);
}

std::int64_t RowWriter::key(const ResultRows& rows, std::size_t row) const {
    const StoredValue value = rows.value(row, target_.keyColumn);
    if (value.type != StoredType::Integer) {
        throw ProviderError(QStringLiteral("The row has no key; it cannot be found in table '%1'.")
                                .arg(target_.table.name));
    }
    return value.integer;
}

QString RowWriter::quotedKey() const {
    return QuotedIdentifier(columns_[static_cast<std::size_t>(target_.keyColumn)].origin);
}

RowWriter::Reread RowWriter::reread(const QString& keyName) const {
    Reread query;
    QStringList selected;
    for (const ResultColumn& column : columns_) {
        const bool fromTable = !column.origin.isEmpty() && SameTable(column.table, target_.table);
        query.origins.push_back(fromTable ? static_cast<int>(selected.size()) : -1);
        if (fromTable) {
            selected << QuotedIdentifier(column.origin);
        }
    }
    query.sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                    .arg(selected.join(QStringLiteral(", ")), quotedTable(), keyName);
    return query;
}

void RowWriter::update(ResultRows& rows, std::size_t row, const ColumnChanges& changes) {
    if (changes.empty()) {
        return;
    }
    const std::int64_t id = key(rows, row);
    // The values the row was read with: the write goes through only where the table still
    // holds them in the changed columns, so that nobody else's newer change is overwritten.
    std::vector<StoredValue> read;
    rows.readRow(row, read);
    try {
        SqliteDatabase& database = connection_.database();
        SqliteTransaction transaction(database, SqliteTransaction::Behavior::Immediate);
        QStringList assignments;
        QStringList unchanged{quotedKey() + QStringLiteral(" = ?")};
        for (const auto& change : changes) {
            const QString name =
                QuotedIdentifier(columns_[static_cast<std::size_t>(change.first)].origin);
            assignments << name + QStringLiteral(" = ?");
            unchanged << name + QStringLiteral(" IS ?");
        }
        SqliteStatement write =
            database.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                 .arg(quotedTable(), assignments.join(QStringLiteral(", ")),
                                      unchanged.join(QStringLiteral(" AND "))));
        int index = 1;
        for (const auto& change : changes) {
            Bind(write, index++, change.second);
        }
        write.bindInt64(index++, id);
        for (const auto& change : changes) {
            BindStored(write, index++, read[static_cast<std::size_t>(change.first)]);
        }
        write.step();
        if (database.changes() == 0) {
            throw conflict(id);
        }
        const Reread query = reread(quotedKey());
        SqliteStatement select = database.prepare(query.sql);
        select.bindInt64(1, id);
        if (!select.step()) {
            throw ProviderError(
                QStringLiteral("The changed row cannot be read back from table '%1'.")
                    .arg(target_.table.name));
        }
        const TableRow stored(select, query.origins, read);
        transaction.commit();
        rows.replace(row, stored.values());
    } catch (const ESqliteError& failure) {
        throw connection_.error(failure);
    }
}

EOleException RowWriter::conflict(std::int64_t id) const {
    SqliteStatement find = connection_.database().prepare(
        QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(quotedTable(), quotedKey()));
    find.bindInt64(1, id);
    if (find.step()) {
        return ProviderError(QStringLiteral("Another user changed this row of table '%1' since it "
                                            "was read; nothing was saved. Search again to see "
                                            "its values now.")
                                 .arg(target_.table.name));
    }
    return ProviderError(QStringLiteral("Another user deleted this row from table '%1' since it "
                                        "was read; nothing was saved.")
                             .arg(target_.table.name));
}

std::size_t RowWriter::insert(ResultRows& rows, const ColumnChanges& changes) {
    try {
        SqliteDatabase& database = connection_.database();
        SqliteTransaction transaction(database, SqliteTransaction::Behavior::Immediate);
        QStringList names, marks;
        for (const auto& change : changes) {
            names << QuotedIdentifier(columns_[static_cast<std::size_t>(change.first)].origin);
            marks << QStringLiteral("?");
        }
        SqliteStatement write = database.prepare(
            names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedTable())
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quotedTable(), names.join(QStringLiteral(", ")),
                                       marks.join(QStringLiteral(", "))));
        int index = 1;
        for (const auto& change : changes) {
            Bind(write, index++, change.second);
        }
        write.step();
        const Reread query = reread(QStringLiteral("rowid"));
        SqliteStatement select = database.prepare(query.sql);
        const std::int64_t rowid = database.lastInsertRowId();
        select.bindInt64(1, rowid);
        if (!select.step()) {
            throw ProviderError(QStringLiteral("The new row cannot be read back from table '%1'.")
                                    .arg(target_.table.name));
        }
        const std::vector<StoredValue> nulls(columns_.size());
        const TableRow stored(select, query.origins, nulls);
        transaction.commit();
        return rows.append(stored.values());
    } catch (const ESqliteError& failure) {
        throw connection_.error(failure);
    }
}

bool RowWriter::remove(const ResultRows& rows, std::size_t row) {
    const std::int64_t id = key(rows, row);
    try {
        SqliteDatabase& database = connection_.database();
        SqliteTransaction transaction(database, SqliteTransaction::Behavior::Immediate);
        SqliteStatement write = database.prepare(
            QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(quotedTable(), quotedKey()));
        write.bindInt64(1, id);
        write.step();
        const bool deleted = database.changes() > 0;
        transaction.commit();
        return deleted;
    } catch (const ESqliteError& failure) {
        throw connection_.error(failure);
    }
}

void RowWriter::resync(ResultRows& rows, std::span<const std::size_t> which) {
    try {
        SqliteDatabase& database = connection_.database();
        // One read transaction: every row is read from the same state of the table.
        SqliteTransaction transaction(database);
        const Reread query = reread(quotedKey());
        SqliteStatement select = database.prepare(query.sql);
        std::vector<StoredValue> current;
        for (const std::size_t row : which) {
            if (!rows.holdsValues(row)) {
                continue; // read from the table when first used, so already current
            }
            rows.readRow(row, current);
            const StoredValue id = current[static_cast<std::size_t>(target_.keyColumn)];
            if (id.type != StoredType::Integer) {
                continue;
            }
            select.bindInt64(1, id.integer);
            if (select.step()) {
                const TableRow stored(select, query.origins, current);
                if (!std::equal(current.begin(), current.end(), stored.values().begin(),
                                stored.values().end())) {
                    rows.replace(row, stored.values());
                }
            }
            select.reset();
        }
        transaction.commit();
    } catch (const ESqliteError& failure) {
        throw connection_.error(failure);
    }
}
