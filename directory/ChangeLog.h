#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class SqliteDatabase;

// Reading the search index's change log (search_index::kLogTable): which rows of `tel` were
// written after a point of it. The file must hold the index as made (HoldsSearchIndex).
namespace change_log {

// The latest entry of the log, 0 when it is empty: where a reader who is up to date stands.
std::int64_t LatestEntry(SqliteDatabase& database);

// The rows written after the entry `since`, as IDs ascending and distinct, and the entry they
// reach up to.
struct Written {
    std::vector<std::int64_t> rows;
    std::int64_t upTo = 0;
};

// The rows written since `since`; nothing when the log no longer reaches back to it (the
// triggers dropped the entries after it, or someone emptied the log) or names more than
// `most` rows, so that the table must be read whole.
std::optional<Written> RowsWrittenSince(SqliteDatabase& database, std::int64_t since,
                                        std::size_t most);

} // namespace change_log
