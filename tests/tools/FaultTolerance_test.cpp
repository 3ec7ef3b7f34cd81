// phonebook-db under faults: killed while it writes, and stopped by a full disk.
#include "tools/FolderCommands.h"

#include "tests/tools/FolderSnapshot.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr qint64 kImported = 20000;

class FaultToleranceTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder with a few entries, and a CSV file of many more to import into it.
        InitFolder(at("source"));
        GenerateFolderEntries(at("source"), kImported, 3);
        ExportFolderEntries(at("source"), at("entries.csv"));
        InitFolder(at("town"));
        GenerateFolderEntries(at("town"), 50, 1);
    }

    QString at(const char* relative) const { return dir_.filePath(QString::fromUtf8(relative)); }
    QString database() const { return at("town/Base/ccx.ddx"); }

    // The number of entries after SQLite's own recovery (a hot journal is rolled back when
    // the file is opened), and whether the file passes its integrity check.
    qint64 checkedCount() const {
        SqliteDatabase db(database(), SqliteOpenMode::ReadWrite);
        SqliteStatement check = db.prepare("PRAGMA integrity_check");
        EXPECT_TRUE(check.step());
        EXPECT_EQ(check.columnText(0), QStringLiteral("ok"));
        SqliteStatement count = db.prepare("SELECT count(*) FROM tel");
        EXPECT_TRUE(count.step());
        return count.columnInt64(0);
    }

    QProcess* startImport(const QString& shellPrefix = {}) {
        process_.setWorkingDirectory(dir_.path());
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start(QStringLiteral("/bin/sh"),
                       {QStringLiteral("-c"), shellPrefix + QStringLiteral("exec \"$0\" \"$@\""),
                        QStringLiteral(PHONEBOOK_DB_PATH), QStringLiteral("import"),
                        QStringLiteral("town"), QStringLiteral("entries.csv")});
        EXPECT_TRUE(process_.waitForStarted());
        return &process_;
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
};

// The import is killed at random points of its work: before it writes, while its journal
// grows, while it writes the database and around its commit. Every time the database is
// whole and holds either the entries it had or those and every imported one.
TEST_F(FaultToleranceTest, AKilledImportLeavesTheOldOrTheNewDirectory) {
    std::mt19937 random(20261210);
    qint64 expectedOld = checkedCount();
    int killedMidWrite = 0;
    for (int round = 0; round < 16; ++round) {
        SCOPED_TRACE(round);
        QProcess* import = startImport();
        // Wait, by watching the files, for a random point: a journal of some size, or a
        // database grown by some bytes; then spin a random while longer.
        const qint64 startSize = QFileInfo(database()).size();
        const qint64 journalSize = std::uniform_int_distribution<qint64>(0, 16384)(random);
        const qint64 growth = std::uniform_int_distribution<qint64>(0, 600000)(random);
        const bool watchJournal = round % 2 == 0;
        const int spins = std::uniform_int_distribution<int>(0, 20000)(random);
        for (;;) {
            if (import->state() == QProcess::NotRunning || import->waitForFinished(0)) {
                break;
            }
            const QFileInfo journal(database() + QStringLiteral("-journal"));
            const bool reached = watchJournal ? journal.exists() && journal.size() >= journalSize
                                              : QFileInfo(database()).size() >= startSize + growth;
            if (reached) {
                volatile int spun = 0;
                for (int i = 0; i < spins; ++i) {
                    spun = i;
                }
                static_cast<void>(spun);
                break;
            }
        }
        const bool stillRunning = import->state() != QProcess::NotRunning;
        if (stillRunning) {
            import->kill();
            ++killedMidWrite;
        }
        import->waitForFinished(60000);
        const qint64 count = checkedCount();
        EXPECT_TRUE(count == expectedOld || count == expectedOld + kImported)
            << count << " entries; expected " << expectedOld << " or " << expectedOld + kImported;
        expectedOld = count;
    }
    EXPECT_GT(killedMidWrite, 0) << "no import was caught while it wrote";
}

TEST_F(FaultToleranceTest, AFullDiskStopsTheImportWithAMessageAndChangesNothing) {
    const std::vector<DirectoryEntry> before = ReadFolderEntries(at("town"));
    const QStringList historyBefore = QDir(at("town/History")).entryList(QDir::Files);
    // A file size limit just above the database's size: the journal or the growing database
    // hits it part way through the import.
    const qint64 blocks = QFileInfo(database()).size() / 512 + 16;
    QProcess* import = startImport(QStringLiteral("ulimit -f %1; ").arg(blocks));
    ASSERT_TRUE(import->waitForFinished(60000));
    EXPECT_EQ(import->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(import->exitCode(), 1);
    const QString err = QString::fromLocal8Bit(import->readAllStandardError());
    EXPECT_TRUE(err.startsWith(QStringLiteral("phonebook-db: town/Base/ccx.ddx: ")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("nothing was changed"))) << err.toStdString();
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
    // SQLite may leave the journal of the failed transaction (the disk error stops its
    // rollback too); the next opener rolls it back. Then the directory is whole and holds
    // exactly the entries it had (unused pages of the file may differ in their bytes).
    EXPECT_EQ(checkedCount(), 50);
    EXPECT_EQ(ReadFolderEntries(at("town")), before);
    EXPECT_FALSE(QFileInfo::exists(database() + QStringLiteral("-journal")));
    EXPECT_EQ(QDir(at("town/History")).entryList(QDir::Files), historyBefore);
}

} // namespace
