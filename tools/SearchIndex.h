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
