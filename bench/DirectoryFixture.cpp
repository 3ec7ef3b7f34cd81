#include "DirectoryFixture.h"

#include "tools/DirectoryFolder.h"
#include "tools/FolderCommands.h"

#include "directory/SearchIndexSchema.h"
#include "platform/db/SqliteDatabase.h"

#include <map>
#include <memory>
#include <stdexcept>

namespace {

// The same directory in every run.
constexpr std::uint64_t kSeed = 2006;

} // namespace

const DirectoryFixture& DirectoryFixture::withEntries(qint64 entries) {
    static std::map<qint64, std::unique_ptr<DirectoryFixture>> fixtures;
    std::unique_ptr<DirectoryFixture>& fixture = fixtures[entries];
    if (!fixture) {
        fixture.reset(new DirectoryFixture(entries, true));
    }
    return *fixture;
}

const DirectoryFixture& DirectoryFixture::withoutIndex(qint64 entries) {
    static std::map<qint64, std::unique_ptr<DirectoryFixture>> fixtures;
    std::unique_ptr<DirectoryFixture>& fixture = fixtures[entries];
    if (!fixture) {
        fixture.reset(new DirectoryFixture(entries, false));
    }
    return *fixture;
}

DirectoryFixture::DirectoryFixture(qint64 entries, bool indexed) : entries_(entries) {
    if (!folder_.isValid()) {
        throw std::runtime_error("cannot create a temporary folder for the directory");
    }
    InitFolder(folder_.path());
    GenerateFolderEntries(folder_.path(), entries, kSeed);
    if (!indexed) {
        SqliteDatabase database(databasePath(), SqliteOpenMode::ReadWrite);
        for (const search_index::SchemaObject& object : search_index::SchemaObjects()) {
            database.exec(QStringLiteral("DROP %1 %2").arg(object.type, object.name));
        }
        database.exec("VACUUM");
    }
}

QString DirectoryFixture::databasePath() const {
    return DirectoryFolder(folder_.path()).databasePath();
}

QString DirectoryFixture::connectionString() const {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + databasePath() +
           QStringLiteral(";Persist Security Info=False");
}
