// phonebook-db's search index: made at init, added to a folder without it, never twice.
#include "tools/CommandLine.h"
#include "tools/DirectoryFolder.h"
#include "tools/FolderCommands.h"
#include "tools/FolderErrors.h"

#include "directory/SearchIndexSchema.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace {

bool HoldsIndex(const QString& folder) {
    SqliteDatabase database(DirectoryFolder(folder).databasePath(), SqliteOpenMode::ReadOnly);
    return search_index::HoldsSearchIndex(database);
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
    EXPECT_EQ(IndexFolder(folder).action, SearchIndexRepair::Action::Kept);

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
    const SearchIndexRepair repair = IndexFolder(
        folder, [&](qint64 indexed, qint64 total) { reports.emplace_back(indexed, total); });
    EXPECT_EQ(repair.action, SearchIndexRepair::Action::Rebuilt);
    EXPECT_EQ(repair.finding, QStringLiteral("another tool changed or removed part of it"));
    EXPECT_TRUE(HoldsIndex(folder));
    EXPECT_EQ(reports, (std::vector<std::pair<qint64, qint64>>{{2, 2}}));
    EXPECT_EQ(Count(folder, "SELECT count(*) FROM tel_search_fio WHERE tel_search_fio MATCH "
                            "'\"ива\"'"),
              1);
    EXPECT_EQ(Count(folder, "SELECT count(*) FROM tel_search_tel WHERE tel_search_tel MATCH "
                            "'\"345\"'"),
              1);
    EXPECT_EQ(Count(folder, "SELECT count(*) FROM tel_search_rest"), 1); // the fraction
    EXPECT_EQ(IndexFolder(folder).action, SearchIndexRepair::Action::Kept);
}

// Rows written while the index's triggers were off or gone are missing from it; the index
// command finds that by the counts and makes the index anew, so that searches find them.
TEST(SearchIndexToolTest, IndexRebuildsAnIndexThatMissedRowsAndKeepsOneInStep) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("dir"));
    InitFolder(folder);
    AddFolderEntries(folder, std::vector<DirectoryEntry>{{23456, QStringLiteral("Иванов И.П."),
                                                          std::nullopt, std::nullopt}});
    const QString insert =
        QStringLiteral("INSERT INTO tel(tel, fio) VALUES (777, 'Непроиндексированный')");
    const char* trigger = "tel_search_insert";
    {
        SqliteDatabase database(DirectoryFolder(folder).databasePath(), SqliteOpenMode::ReadWrite);
        // As the sqlite3 shell's ".dbconfig enable_trigger off" does.
        sqlite3_db_config(database.handle(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
        database.exec(insert);
        sqlite3_db_config(database.handle(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 1, nullptr);
        // A trigger dropped, a row written, the trigger made again from its own text.
        SqliteStatement stored = database.prepare(
            QStringLiteral("SELECT sql FROM sqlite_master WHERE name = '%1'").arg(trigger));
        ASSERT_TRUE(stored.step());
        const QString triggerSql = stored.columnText(0);
        stored.reset();
        database.exec(QStringLiteral("DROP TRIGGER %1").arg(trigger));
        database.exec(insert);
        database.exec(triggerSql);
    }
    EXPECT_TRUE(HoldsIndex(folder));
    const SearchIndexRepair repair = IndexFolder(folder);
    EXPECT_EQ(repair.action, SearchIndexRepair::Action::Rebuilt);
    EXPECT_EQ(repair.finding, QStringLiteral("it holds 1 of the 3 entries"));
    EXPECT_EQ(Count(folder, "SELECT count(*) FROM tel_search_fio WHERE tel_search_fio MATCH "
                            "'\"инд\"'"),
              2);
    const SearchIndexRepair again = IndexFolder(folder);
    EXPECT_EQ(again.action, SearchIndexRepair::Action::Kept);
    EXPECT_EQ(again.entries, 3);
}

// An entry changed while the triggers were off keeps the counts; the trigrams tell.
TEST(SearchIndexToolTest, IndexRebuildsAnIndexThatMissedAChange) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("dir"));
    InitFolder(folder);
    AddFolderEntries(folder, std::vector<DirectoryEntry>{
                                 {23456, QStringLiteral("Иванов И.П."), std::nullopt, std::nullopt},
                                 {34567, QStringLiteral("Петров"), std::nullopt, std::nullopt}});
    {
        SqliteDatabase database(DirectoryFolder(folder).databasePath(), SqliteOpenMode::ReadWrite);
        sqlite3_db_config(database.handle(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
        database.exec("UPDATE tel SET fio = 'Переименованный' WHERE fio = 'Петров'");
    }
    const SearchIndexRepair repair = IndexFolder(folder);
    EXPECT_EQ(repair.action, SearchIndexRepair::Action::Rebuilt);
    EXPECT_EQ(repair.finding,
              QStringLiteral("tel_search_fio holds 13 trigrams where the entries give 22"));
    EXPECT_EQ(Count(folder, "SELECT count(*) FROM tel_search_fio WHERE tel_search_fio MATCH "
                            "'\"нов\"'"),
              2);
    EXPECT_EQ(IndexFolder(folder).action, SearchIndexRepair::Action::Kept);
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
