#pragma once

#include <QString>

struct sqlite3;

// The provider's SQL dialect, registered on every connection it opens. Nothing of it is
// stored in the database file, which stays readable by the standard SQLite tools.
//
// - like(pattern, value) and like(pattern, value, escape) replace SQLite's LIKE: letters
//   match ignoring case in every script (Cyrillic included; see LikePattern), and a number
//   compares as its plain text (PlainNumberText): tel LIKE '%345%' finds 23456.
// - The collation RU_NOCASE sorts in Russian alphabetical order ignoring case
//   (RussianCollator); the command text's outermost ORDER BY terms are given it.

// The name of the Russian case-insensitive collation.
inline constexpr const char* kRussianCollationName = "RU_NOCASE";

// Registers like() and RU_NOCASE on the connection. Throws ESqliteError.
void RegisterSqlDialect(sqlite3* connection);

// The SQL text with "COLLATE RU_NOCASE" added to each term of its outermost ORDER BY
// clause, before the term's ASC or DESC. String literals, quoted names, comments and
// parenthesised parts (subqueries, window definitions) are left alone, and so is a term that
// names its own collation.
QString WithOrderByCollation(const QString& sql);
