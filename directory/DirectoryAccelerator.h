#pragma once

#include "directory/SearchCacheHolder.h"
#include "platform/db/StatementAccelerator.h"

// The directory's searches made fast on one connection: a search of `tel` is answered from
// the connection's copy of the searched texts (SearchFromCache), and when the copy cannot
// answer, SQLite is given the text that reads the file's search index (WithSearchIndex).
class DirectoryAccelerator : public StatementAccelerator {
public:
    // Listens to the connection's own writes for as long as it lives.
    explicit DirectoryAccelerator(SqliteDatabase& database);
    ~DirectoryAccelerator() override;
    DirectoryAccelerator(const DirectoryAccelerator&) = delete;
    DirectoryAccelerator& operator=(const DirectoryAccelerator&) = delete;

    QString rewrite(SqliteDatabase& database, const QString& sql) override;
    std::unique_ptr<AcceleratedResult> answer(SqliteDatabase& database, const QString& sql,
                                              const std::vector<TableName>& tablesRead) override;

    const SearchCacheHolder& cache() const noexcept { return cache_; }

private:
    SqliteDatabase& database_;
    SearchCacheHolder cache_;
};
