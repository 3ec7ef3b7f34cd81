#include "tools/SearchIndex.h"

#include "directory/SearchIndexSchema.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/db/SqliteTransaction.h"

#include <vector>

namespace {

// Rows indexed between two progress reports.
constexpr qint64 kChunkRows = 50000;

// Below this many rows the triggers are quick enough.
constexpr qint64 kBulkRows = 20000;

qint64 RowCount(SqliteDatabase& database) {
    return database.queryInteger("SELECT count(*) FROM tel");
}

void DropLeftovers(SqliteDatabase& database) {
    for (const search_index::SchemaObject& object : search_index::SchemaObjects()) {
        if (object.type == u"trigger") {
            database.exec(QStringLiteral("DROP TRIGGER IF EXISTS main.%1").arg(object.name));
        }
    }
    for (const search_index::SchemaObject& object : search_index::SchemaObjects()) {
        if (object.type == u"table") {
            database.exec(QStringLiteral("DROP TABLE IF EXISTS main.%1").arg(object.name));
        }
    }
}

void CreateObjects(SqliteDatabase& database, const QString& type) {
    for (const search_index::SchemaObject& object : search_index::SchemaObjects()) {
        if (object.type == type) {
            database.exec(object.sql);
        }
    }
}

// Fills the tables from the rows of `tel`, a chunk of IDs at a time.
void Fill(SqliteDatabase& database, const IndexProgress& progress) {
    const qint64 total = RowCount(database);
    std::vector<SqliteStatement> fills;
    for (const QString& column : search_index::IndexedColumns()) {
        fills.push_back(database.prepare(search_index::FillStatement(column)));
    }
    fills.push_back(database.prepare(search_index::FillStatement(QString())));
    SqliteStatement chunkEnd = database.prepare(
        "SELECT max(ID), count(*) FROM (SELECT ID FROM tel WHERE ID > ?1 ORDER BY ID LIMIT ?2)");
    std::int64_t last = INT64_MIN;
    qint64 indexed = 0;
    while (indexed < total) {
        chunkEnd.bindInt64(1, last);
        chunkEnd.bindInt64(2, kChunkRows);
        chunkEnd.step();
        const qint64 rows = chunkEnd.columnInt64(1);
        const std::int64_t end = chunkEnd.columnInt64(0);
        chunkEnd.reset();
        if (rows == 0) {
            break;
        }
        for (SqliteStatement& fill : fills) {
            fill.bindInt64(1, last == INT64_MIN ? last : last + 1);
            fill.bindInt64(2, end);
            while (fill.step()) {
            }
            fill.reset();
        }
        last = end;
        indexed += rows;
        if (progress) {
            progress(indexed, total);
        }
    }
}

// Merges each trigram table into one segment: smaller, and quicker to search.
void Optimize(SqliteDatabase& database) {
    for (const QString& column : search_index::IndexedColumns()) {
        const QString table = search_index::TrigramTable(column);
        database.exec(QStringLiteral("INSERT INTO %1(%1) VALUES ('optimize')").arg(table));
    }
}

// Makes the index anew over the rows there, whatever of it the file holds.
void BuildSearchIndex(SqliteDatabase& database, const IndexProgress& progress) {
    SqliteTransaction transaction(database, SqliteTransaction::Behavior::Immediate);
    DropLeftovers(database);
    CreateObjects(database, QStringLiteral("table"));
    Fill(database, progress);
    CreateObjects(database, QStringLiteral("trigger"));
    Optimize(database);
    transaction.commit();
}

bool HoldsNoIndexObject(SqliteDatabase& database) {
    SqliteStatement named =
        database.prepare("SELECT count(*) FROM main.sqlite_master WHERE name = ?1");
    for (const search_index::SchemaObject& object : search_index::SchemaObjects()) {
        named.bindText(1, object.name);
        named.step();
        const bool there = named.columnInt64(0) > 0;
        named.reset();
        if (there) {
            return false;
        }
    }
    return true;
}

// What is wrong with the index the file holds, as a phrase, or an empty text when nothing is.
QString IndexFault(SqliteDatabase& database, qint64 entries) {
    if (!search_index::HoldsSearchIndex(database)) {
        return QStringLiteral("another tool changed or removed part of it");
    }
    const std::optional<std::int64_t> indexed = search_index::IndexedRowCount(database);
    if (!indexed) {
        return QStringLiteral("its tables disagree on how many entries they hold");
    }
    if (*indexed != entries) {
        return QStringLiteral("it holds %1 of the %2 entries").arg(*indexed).arg(entries);
    }
    for (const QString& column : search_index::IndexedColumns()) {
        const QString table = search_index::TrigramTable(column);
        // A text changed while the triggers were off keeps the counts, but seldom its length.
        const std::optional<search_index::TrigramTotals> totals =
            search_index::TrigramTableTotals(database, column);
        const qint64 expected = database.queryInteger(search_index::TrigramCountQuery(column));
        if (totals && totals->trigrams != expected) {
            return QStringLiteral("%1 holds %2 trigrams where the entries give %3")
                .arg(table)
                .arg(totals->trigrams)
                .arg(expected);
        }
        try {
            database.exec(
                QStringLiteral("INSERT INTO main.%1(%1) VALUES ('integrity-check')").arg(table));
        } catch (const ESqliteError& failure) {
            return QStringLiteral("SQLite found %1 damaged (%2)").arg(table, failure.message());
        }
    }
    return {};
}

} // namespace

void AddRowsIndexed(SqliteDatabase& database, qint64 adding, const std::function<void()>& addRows) {
    SqliteTransaction transaction(database, SqliteTransaction::Behavior::Immediate);
    if (adding >= kBulkRows && adding >= RowCount(database)) {
        DropLeftovers(database);
    }
    addRows();
    AddSearchIndex(database);
    transaction.commit();
}

bool AddSearchIndex(SqliteDatabase& database, const IndexProgress& progress) {
    if (search_index::HoldsSearchIndex(database)) {
        return false;
    }
    BuildSearchIndex(database, progress);
    return true;
}

SearchIndexRepair RepairSearchIndex(SqliteDatabase& database, const IndexProgress& progress) {
    SearchIndexRepair repair;
    // One transaction: the index is checked and made anew over one state of the table.
    SqliteTransaction transaction(database, SqliteTransaction::Behavior::Immediate);
    repair.entries = RowCount(database);
    if (HoldsNoIndexObject(database)) {
        repair.action = SearchIndexRepair::Action::Added;
    } else {
        repair.finding = IndexFault(database, repair.entries);
        repair.action = repair.finding.isEmpty() ? SearchIndexRepair::Action::Kept
                                                 : SearchIndexRepair::Action::Rebuilt;
    }
    if (repair.action != SearchIndexRepair::Action::Kept) {
        BuildSearchIndex(database, progress);
    }
    transaction.commit();
    return repair;
}
