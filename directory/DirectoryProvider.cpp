#include "directory/DirectoryProvider.h"

#include "directory/DirectoryAccelerator.h"
#include "platform/db/SqliteAdoProvider.h"

AdoProvider& DirectoryProvider() {
    static const std::unique_ptr<AdoProvider> provider = MakeSqliteAdoProvider(
        [](SqliteDatabase& database) { return std::make_unique<DirectoryAccelerator>(database); });
    return *provider;
}
