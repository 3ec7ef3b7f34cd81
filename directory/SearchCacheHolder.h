#pragma once

#include "directory/TableSearchCache.h"
#include "platform/db/ChangeListener.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteTransaction.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

// Keeps a connection's TableSearchCache in step with the file, and is the one place that
// decides whether it is. The cache is read on first use and read anew after another
// connection changed the file (PRAGMA data_version moved) or anyone changed its schema. The
// connection's own writes reach it as change notices: the rows of `tel` it committed are read
// again into the cache at the next search, a few at a time, or the whole table when they are
// many. Inside a transaction of the connection the cache is not used at all: what that
// transaction wrote is not in it and may yet be rolled back.
class SearchCacheHolder : public ChangeListener {
public:
    SearchCacheHolder();
    ~SearchCacheHolder() override;
    SearchCacheHolder(const SearchCacheHolder&) = delete;
    SearchCacheHolder& operator=(const SearchCacheHolder&) = delete;

    // Calls `use` with the cache as the file stands now, inside one read transaction so that
    // whatever else `use` reads sees the same state of the file, and returns what it gives.
    // Nothing inside a transaction of the connection, or when the file's table cannot be held
    // (it lacks a searched column, has an index, is too large, or another program's lock kept
    // it from being read). Failures of `use` are its own (the read is rolled back).
    template <typename Use>
    auto read(SqliteDatabase& database, Use&& use)
        -> std::optional<std::invoke_result_t<Use, std::shared_ptr<const TableSearchCache>>> {
        if (!database.isAutocommit()) {
            return std::nullopt;
        }
        SqliteTransaction transaction(database);
        std::shared_ptr<const TableSearchCache> cache = current(database);
        if (cache == nullptr) {
            return std::nullopt;
        }
        auto result = use(std::move(cache));
        transaction.commit();
        return result;
    }

    // Whether the file's search index may be trusted to name every row a search can find
    // (search_index::IndexCoversTable). Told when the cache is read, else by counting the table's
    // rows, and kept until the file changes. False when it cannot be told.
    bool indexCoversTable(SqliteDatabase& database) noexcept;

    // How many times the table has been read whole.
    std::size_t tableReads() const noexcept { return tableReads_; }

    // Change notices of the connection.
    void rowChanged(RowChange change, std::string_view schema, std::string_view table,
                    std::int64_t rowid) noexcept override;
    void committed() noexcept override;
    void rolledBack() noexcept override;

private:
    // More committed rows than this are not read one by one: the table is read again.
    static constexpr std::size_t kRowsWorthRereading = 32;

    // The state of the file a cache was read from, as other connections change it.
    struct Stamp {
        std::int64_t dataVersion = 0;
        std::int64_t schemaVersion = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    static Stamp stampOf(SqliteDatabase& database);

    // The cache as the file stands now, read or brought up to date as needed; nullptr when
    // there is none. Called inside a read transaction.
    std::shared_ptr<const TableSearchCache> current(SqliteDatabase& database);
    void readTable(SqliteDatabase& database, const Stamp& now);
    // Reads the committed rows of the connection's own writes into the cache.
    void takeOverOwnWrites(SqliteDatabase& database);
    void forgetOwnWrites() noexcept;

    // The stamp the cache (or the failure to read one) belongs to.
    std::optional<Stamp> stamp_;
    std::shared_ptr<const TableSearchCache> cache_;
    // Rows of `tel` the connection wrote: in its open transaction, and committed since the
    // cache was last brought up to date. Too many to keep, and the table is read again.
    std::vector<std::int64_t> pendingRows_;
    std::vector<std::int64_t> committedRows_;
    bool tooManyWrites_ = false;
    // Whether the index was in step with the table, and the state of the file that was told in.
    struct IndexVerdict {
        Stamp stamp;
        bool covers = false;
    };
    std::optional<IndexVerdict> index_;
    static std::optional<IndexVerdict> verdictOn(SqliteDatabase& database, const Stamp& now,
                                                 std::int64_t tableRows) noexcept;
    std::size_t tableReads_ = 0;
};
