#include "directory/DirectoryAccelerator.h"

#include "directory/CachedSearch.h"
#include "directory/SearchIndexRewrite.h"

namespace {

std::unique_ptr<SearchWorker> StartWorker(const SqliteDatabase& database) {
    if (database.fileName().isEmpty()) {
        return nullptr;
    }
    try {
        return std::make_unique<SearchWorker>(database);
    } catch (const ESqliteError&) {
        return nullptr;
    }
}

} // namespace

DirectoryAccelerator::DirectoryAccelerator(SqliteDatabase& database)
    : worker_(StartWorker(database)) {
}

DirectoryAccelerator::~DirectoryAccelerator() = default;

QString DirectoryAccelerator::rewrite(SqliteDatabase& database, const QString& sql) {
    return WithSearchIndex(sql, [this, &database] { return index_.covers(database); });
}

std::unique_ptr<AcceleratedResult>
DirectoryAccelerator::answer(SqliteDatabase& database, const QString& sql,
                             const std::vector<TableName>& tablesRead) {
    // Inside a transaction of the connection, what it wrote is not in the file the worker
    // reads, and may yet be rolled back: SQLite answers on the connection itself.
    if (worker_ == nullptr || !database.isAutocommit()) {
        return nullptr;
    }
    const std::optional<SearchStatement> search = DirectorySearchOf(sql, tablesRead);
    return search ? worker_->answer(*search) : nullptr;
}
