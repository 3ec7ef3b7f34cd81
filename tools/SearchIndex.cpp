#include "tools/SearchIndex.h"

#include "platform/db/SearchIndexSchema.h"
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
    if (search_index::HoldsSearchIndex(database.handle())) {
        return false;
    }
    SqliteTransaction transaction(database, SqliteTransaction::Behavior::Immediate);
    DropLeftovers(database);
    CreateObjects(database, QStringLiteral("table"));
    Fill(database, progress);
    CreateObjects(database, QStringLiteral("trigger"));
    Optimize(database);
    transaction.commit();
    return true;
}
