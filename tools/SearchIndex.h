#pragma once

#include <QString>

#include <functional>

class SqliteDatabase;

// Reports how far the index has come: rows of `tel` indexed so far, of total.
using IndexProgress = std::function<void(qint64 indexed, qint64 total)>;

// Gives the directory database its search index (directory/SearchIndexSchema.h) over the
// rows already there, in one transaction, unless the file holds the index already. Objects of
// an index that another tool changed or partly removed are dropped and made anew. Returns
// whether the index was made.
bool AddSearchIndex(SqliteDatabase& database, const IndexProgress& progress = {});

// What RepairSearchIndex found, and did.
struct SearchIndexRepair {
    enum class Action {
        Kept,    // the index was there, whole and in step with the table
        Added,   // the file had none of it
        Rebuilt, // it was changed, damaged or out of step, and was made anew
    };
    Action action = Action::Kept;
    QString finding; // for Rebuilt: what was wrong, as a phrase ("it holds 4 of the 5 entries")
    qint64 entries = 0;
};

// Checks the search index as far as SQLite can: that every object is there as made, that each
// trigram table holds as many rows as `tel` and that FTS5's integrity check passes. Makes the
// index anew (in one transaction) when one of them fails, or adds it when it is missing.
SearchIndexRepair RepairSearchIndex(SqliteDatabase& database, const IndexProgress& progress = {});

// Runs addRows, which adds about `adding` rows to `tel`, and leaves the database with its
// search index, all in one transaction. When the rows outnumber those already there, the
// index is taken away first and made anew over all rows afterwards: the triggers add a row
// at a time, some ten times slower than building the index at once.
void AddRowsIndexed(SqliteDatabase& database, qint64 adding, const std::function<void()>& addRows);
