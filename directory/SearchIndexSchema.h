#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The search index a directory file may hold: for each of the texts `tel`, `fio` and `Name`
// a trigram table (SQLite's own FTS5 module, no custom function or collation), a table of
// the rows the trigram tables cannot answer for, a log of the rows written, and three
// triggers on `tel` that keep all five in step with every insert, update and delete, whoever
// writes the file.
//
// A trigram table holds the column's text as LIKE sees it: a text as it is, a whole number
// below 1e15 as its digits. FTS5 folds letter case on its own; it agrees with LIKE on the
// indexable characters (ASCII, the Cyrillic letters U+0400..U+045F and a few caseless marks
// of Russian text such as "№"). A row with another character in one of the three columns, or
// a number of another kind (a fraction, a large value, zero), is listed in the rest table, and
// a search always reads those rows too.
class SqliteDatabase;

namespace search_index {

// Whether the trigram tables and LIKE fold the character alike.
bool IsIndexableCharacter(char32_t c);

// The trigram table of a column of `tel` ("tel", "fio" or "Name").
QString TrigramTable(const QString& column);
// The rows whose texts the trigram tables do not answer for, by `ID`.
inline constexpr const char* kRestTable = "tel_search_rest";
// The change log: every row of `tel` inserted, updated or deleted, by ID, in the order written
// (`seq` ascending, never used twice even when the log is emptied). The triggers keep the
// latest kLogEntriesKept entries, so that a reader who knows where it stopped reads only what
// changed since, and one who fell further behind sees that it did.
inline constexpr const char* kLogTable = "tel_search_log";
inline constexpr int kLogEntriesKept = 100000;
// The columns that have a trigram table, in the order of their tables.
const std::vector<QString>& IndexedColumns();

// The statement that adds the rows of `tel` whose ID lies between ?1 and ?2 to one column's
// table (or to the rest table when column is empty); the triggers keep the rest.
QString FillStatement(const QString& column);

// The name and full creation text of every object of the index, as sqlite_master keeps them.
struct SchemaObject {
    QString type; // "table" or "trigger"
    QString name;
    QString sql;
};
const std::vector<SchemaObject>& SchemaObjects();

// Whether the file holds every object of the index exactly as SchemaObjects() gives it: an
// index changed or partly removed by another tool may be out of step, and is not used.
bool HoldsSearchIndex(SqliteDatabase& database);

// What FTS5 records of a trigram table: the rows it holds and the trigrams of all their texts
// (a text of n characters gives n - 2). FTS5 updates its record when a transaction commits, so
// inside a transaction that wrote it still gives the totals from before. Nothing when the
// record is missing or malformed; throws ESqliteError when it cannot be read.
struct TrigramTotals {
    std::int64_t rows = 0;
    std::int64_t trigrams = 0;
};
std::optional<TrigramTotals> TrigramTableTotals(SqliteDatabase& database, const QString& column);

// A query of one number: the trigrams the column's texts in `tel` give, as its trigram table
// should hold them.
QString TrigramCountQuery(const QString& column);

// How many rows each trigram table holds, when the three agree; nothing when they differ or a
// record is missing. Throws ESqliteError when they cannot be read.
std::optional<std::int64_t> IndexedRowCount(SqliteDatabase& database);

// Whether a search may trust the index to name every row it could find: the file holds it as
// made (HoldsSearchIndex) and each trigram table holds at least `tableRows` rows. Rows written
// while the triggers were off or gone (the sqlite3 shell can do both) are missing from the
// index and make it hold fewer. Rows it holds beyond the table's (a row that INSERT OR REPLACE
// removed, which fires no delete trigger) only name candidates that LIKE then turns down.
// A cheap check, not a proof: a row changed while the triggers were off keeps the counts, and
// an extra row can hide a missing one; `phonebook-db index` checks the trigrams too. Throws
// ESqliteError when the index cannot be read.
bool IndexCoversTable(SqliteDatabase& database, std::int64_t tableRows);

} // namespace search_index
