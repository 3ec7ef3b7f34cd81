#pragma once

#include "directory/SearchIndexVerdict.h"
#include "directory/SearchWorker.h"
#include "platform/db/StatementAccelerator.h"

#include <memory>

// The directory's searches made fast on one connection: a search of `tel` is answered from the
// copy of the searched texts that a SearchWorker keeps for the connection on a thread of its
// own (SearchFromCache there), and when the copy cannot answer, SQLite is given the text that
// reads the file's search index (WithSearchIndex).
class DirectoryAccelerator : public StatementAccelerator {
public:
    // Starts the connection's worker, which reads the copy at once.
    explicit DirectoryAccelerator(SqliteDatabase& database);
    ~DirectoryAccelerator() override;
    DirectoryAccelerator(const DirectoryAccelerator&) = delete;
    DirectoryAccelerator& operator=(const DirectoryAccelerator&) = delete;

    QString rewrite(SqliteDatabase& database, const QString& sql) override;
    std::unique_ptr<AcceleratedResult> answer(SqliteDatabase& database, const QString& sql,
                                              const std::vector<TableName>& tablesRead) override;

    // How many times the copy was read whole.
    std::size_t tableReads() const noexcept { return worker_ ? worker_->tableReads() : 0; }

private:
    // Nothing when the file cannot be opened a second time (a database in memory).
    std::unique_ptr<SearchWorker> worker_;
    SearchIndexVerdict index_;
};
