#pragma once

#include <cstdint>
#include <optional>

class SqliteDatabase;

// Whether a connection may trust the file's search index to name every row a search can find
// (search_index::IndexCoversTable), told once for each state of the file.
class SearchIndexVerdict {
public:
    // The state of the file as a connection sees other connections change it.
    struct Stamp {
        std::int64_t dataVersion = 0;
        std::int64_t schemaVersion = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    static Stamp stampOf(SqliteDatabase& database);

    // The verdict for the file as it stands, told by counting the table's rows unless it was
    // told for this state already. False when it cannot be told (the file is locked).
    bool covers(SqliteDatabase& database) noexcept;
    // Tells the verdict anew from the table's rows: the file is known to be as `now`.
    void tell(SqliteDatabase& database, const Stamp& now, std::int64_t tableRows) noexcept;
    // Whether the verdict was told for the file as `now`.
    bool toldFor(const Stamp& now) const noexcept { return told_ && told_->stamp == now; }

private:
    struct Told {
        Stamp stamp;
        bool covers = false;
    };
    std::optional<Told> told_;
};
