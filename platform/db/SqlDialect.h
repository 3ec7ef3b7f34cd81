#pragma once

#include "platform/db/PlainNumberText.h"

#include <QString>

#include <optional>
#include <string_view>

struct sqlite3;
struct sqlite3_value;
class SqliteStatement;

// The provider's SQL dialect, registered on every connection it opens. Nothing of it is
// stored in the database file, which stays readable by the standard SQLite tools.
//
// - like(pattern, value) and like(pattern, value, escape) replace SQLite's LIKE: letters
//   match ignoring case in every script (Cyrillic included; see LikePattern), and a number
//   compares as its plain text (PlainNumberText): phone LIKE '%345%' finds 23456.
// - The collation RU_NOCASE sorts in Russian alphabetical order ignoring case
//   (RussianCollator); the command text's outermost ORDER BY terms are given it.
// - ru_sortkey(value) gives a value that sorts in SQLite's own order exactly as the value sorts
//   under RU_NOCASE (a text becomes its ICU sort key). A term of the outermost ORDER BY that
//   names a column is sorted by its sort key: SQLite then compares bytes, where the collation
//   would call ICU for every comparison (n log n calls instead of n).

// The name of the Russian case-insensitive collation.
inline constexpr const char* kRussianCollationName = "RU_NOCASE";
// The name of the sort key function.
inline constexpr const char* kRussianSortKeyName = "ru_sortkey";

// Registers like() and RU_NOCASE on the connection. Throws ESqliteError.
void RegisterSqlDialect(sqlite3* connection);

// The value's text as like() sees it: a number as its plain number text (kept in `number`),
// a text or blob as its bytes, NULL as an empty text.
std::string_view LikeText(sqlite3_value* value, std::optional<PlainNumberText>& number);
// The same for a column of the statement's current row.
std::string_view LikeText(const SqliteStatement& statement, int column,
                          std::optional<PlainNumberText>& number);

// The SQL text with each term of its outermost ORDER BY clause sorted in Russian order: a
// column name becomes ru_sortkey(name) in a single SELECT whose result columns have no alias;
// any other term gets "COLLATE RU_NOCASE" before its ASC or DESC. String literals, quoted
// names, comments and parenthesised parts (subqueries, window definitions) are left alone, and
// so is a term that names its own collation.
QString WithOrderByCollation(const QString& sql);
