#include "directory/DirectoryAccelerator.h"

#include "directory/CachedSearch.h"
#include "directory/SearchIndexRewrite.h"

DirectoryAccelerator::DirectoryAccelerator(SqliteDatabase& database) : database_(database) {
    database_.setChangeListener(&cache_);
}

DirectoryAccelerator::~DirectoryAccelerator() {
    database_.setChangeListener(nullptr);
}

QString DirectoryAccelerator::rewrite(SqliteDatabase& database, const QString& sql) {
    return WithSearchIndex(sql, [this, &database] { return cache_.indexCoversTable(database); });
}

std::unique_ptr<AcceleratedResult>
DirectoryAccelerator::answer(SqliteDatabase& database, const QString& sql,
                             const std::vector<TableName>& tablesRead) {
    return SearchFromCache(database, cache_, sql, tablesRead);
}
