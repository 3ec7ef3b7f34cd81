#pragma once

#include <QString>

#include <functional>

// The directory's search statement made to read the file's search index (SearchIndexSchema)
// instead of every row. A statement of the form
//
//   SELECT <columns> FROM tel WHERE <tel|fio|Name> LIKE '<pattern>' [ORDER BY ...]
//
// whose pattern holds a run of at least three characters that the index answers for (ASCII
// and the Cyrillic letters U+0400..U+045F, no `%` or `_`), on a file that holds the index
// exactly as phonebook-db creates it and in step with the table (`indexCoversTable`, asked only for
// such a statement), gets the condition
//
//   AND tel.rowid IN (SELECT rowid FROM <trigram table> WHERE ... MATCH '<trigrams>'
//                     UNION ALL SELECT ID FROM tel_search_rest)
//
// after its pattern. The index only narrows the rows LIKE is tested on, so the result is the
// same rows in the same order as without it. Any other text, and every text on a file without
// an index in step, comes back unchanged.
QString WithSearchIndex(const QString& sql, const std::function<bool()>& indexCoversTable);

// The FTS5 query that finds the rows whose text may hold the pattern's longest indexable run,
// or an empty text when the pattern has no run of three such characters.
QString TrigramQuery(const QString& pattern);
