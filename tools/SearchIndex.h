#pragma once

#include <QtGlobal>

#include <functional>

class SqliteDatabase;

// Reports how far the index has come: rows of `tel` indexed so far, of total.
using IndexProgress = std::function<void(qint64 indexed, qint64 total)>;

// Gives the directory database its search index (platform/db/SearchIndexSchema.h) over the
// rows already there, in one transaction, unless the file holds the index already. Objects of
// an index that another tool changed or partly removed are dropped and made anew. Returns
// whether the index was made.
bool AddSearchIndex(SqliteDatabase& database, const IndexProgress& progress = {});

// Runs addRows, which adds about `adding` rows to `tel`, and leaves the database with its
// search index, all in one transaction. When the rows outnumber those already there, the
// index is taken away first and made anew over all rows afterwards: the triggers add a row
// at a time, some ten times slower than building the index at once.
void AddRowsIndexed(SqliteDatabase& database, qint64 adding, const std::function<void()>& addRows);
