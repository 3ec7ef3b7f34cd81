// phonebook-db's search index: made at init, added to a folder without it, never twice.
#include "tools/CommandLine.h"
#include "tools/DirectoryFolder.h"
#include "tools/FolderCommands.h"
#include "tools/FolderErrors.h"

#include "platform/db/SearchIndexSchema.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool HoldsIndex(const QString& folder) {
    SqliteDatabase database(DirectoryFolder(folder).databasePath(), SqliteOpenMode::ReadOnly);
    return search_index::HoldsSearchIndex(database.handle());
}

qint64 Count(const QString& folder, const char* sql) {
    SqliteDatabase database(DirectoryFolder(folder).databasePath(), SqliteOpenMode::ReadOnly);
    SqliteStatement statement = database.prepare(sql);
    statement.step();
    return statement.columnInt64(0);
}

TEST(SearchIndexToolTest, InitMakesTheIndexAndIndexAddsItToAFolderWithout) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("dir"));
    InitFolder(folder);
    EXPECT_TRUE(HoldsIndex(folder));
    EXPECT_FALSE(IndexFolder(folder));

    // A folder made without the index (or whose index another tool damaged).
    {
        SqliteDatabase database(DirectoryFolder(folder).databasePath(), SqliteOpenMode::ReadWrite);
        database.exec("DROP TRIGGER tel_search_insert");
    }
    AddFolderEntries(folder, std::vector<DirectoryEntry>{
                                 {23456, QStringLiteral("Иванов И.П."), std::nullopt, std::nullopt},
                                 {0.5, QStringLiteral("Петров"), std::nullopt, std::nullopt}});
    EXPECT_FALSE(HoldsIndex(folder));
    std::vector<std::pair<qint64, qint64>> reports;
    EXPECT_TRUE(IndexFolder(
        folder, [&](qint64 indexed, qint64 total) { reports.emplace_back(indexed, total); }));
    EXPECT_TRUE(HoldsIndex(folder));
    EXPECT_EQ(reports, (std::vector<std::pair<qint64, qint64>>{{2, 2}}));
    EXPECT_EQ(Count(folder, "SELECT count(*) FROM tel_search_fio WHERE tel_search_fio MATCH "
                            "'\"ива\"'"),
              1);
    EXPECT_EQ(Count(folder, "SELECT count(*) FROM tel_search_tel WHERE tel_search_tel MATCH "
                            "'\"345\"'"),
              1);
    EXPECT_EQ(Count(folder, "SELECT count(*) FROM tel_search_rest"), 1); // the fraction
    EXPECT_FALSE(IndexFolder(folder));
}

TEST(SearchIndexToolTest, GenerateAddsTheIndexToADatabaseWithout) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("dir"));
    InitFolder(folder);
    {
        SqliteDatabase database(DirectoryFolder(folder).databasePath(), SqliteOpenMode::ReadWrite);
        for (const auto& object : search_index::SchemaObjects()) {
            database.exec(QStringLiteral("DROP %1 %2").arg(object.type, object.name));
        }
    }
    GenerateFolderEntries(folder, 1000, 3);
    EXPECT_TRUE(HoldsIndex(folder));
    EXPECT_GT(Count(folder, "SELECT count(*) FROM tel_search_Name WHERE tel_search_Name MATCH "
                            "'\"ая \"'"),
              0);
}

TEST(SearchIndexToolTest, IndexCommandTakesOneFolder) {
    const ToolCommand command = ParseCommandLine({QStringLiteral("index"), QStringLiteral("dir")});
    EXPECT_EQ(command.kind, ToolCommand::Kind::Index);
    EXPECT_EQ(command.folder, QStringLiteral("dir"));
    EXPECT_THROW(ParseCommandLine({QStringLiteral("index")}), EBadUse);
    EXPECT_TRUE(UsageText().contains(QStringLiteral("phonebook-db index DIR")));
}

} // namespace
