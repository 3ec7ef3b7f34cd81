// Saves killed at random points: the directory stays whole, and every entry holds either what
// it held before or everything one save wrote, never a part of a save.
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "tests/support/WorkingFolder.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int kEntries = 30;

class KilledSaveTest : public WorkingFolderTest {
protected:
    void SetUp() override {
        std::vector<DirectoryEntry> entries;
        for (int k = 1; k <= kEntries; ++k)
            entries.push_back({1000.0 + k, QStringLiteral("Person %1").arg(k),
                               QStringLiteral("STREET %1").arg(k), std::nullopt});
        addEntries(entries);
    }

    // Whether the file passes SQLite's integrity check, after SQLite's own recovery.
    bool Intact() const {
        SqliteDatabase db(folder().databasePath(), SqliteOpenMode::ReadWrite);
        SqliteStatement check = db.prepare("PRAGMA integrity_check");
        return check.step() && check.columnText(0) == QStringLiteral("ok");
    }

    // An entry as it was made, or as one whole save left it.
    static bool WholeEntry(const DirectoryEntry& entry) {
        const QString fio = entry.fio.value_or(QString());
        if (!fio.startsWith(QStringLiteral("Saved ")))
            return fio.startsWith(QStringLiteral("Person ")) && !entry.story;
        const QString number = fio.mid(6);
        return entry.tel == number.toDouble() && entry.name == QStringLiteral("LENINA ") + number &&
               entry.story == QStringLiteral("note ") + number;
    }
};

TEST_F(KilledSaveTest, AKilledSaveLeavesEveryEntryWhole) {
    std::mt19937 random(20261210);
    int killedAfterSaves = 0;
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        QProcess saver;
        saver.start(QStringLiteral(ENTRY_SAVER_PATH), {folder().databasePath()});
        ASSERT_TRUE(saver.waitForStarted());
        // Let it save a random number of times, then kill it a random while later: before,
        // inside or after the next save's transaction.
        const int saves = std::uniform_int_distribution<int>(0, 25)(random);
        int printed = 0;
        while (printed < saves && saver.waitForReadyRead(10000))
            printed += static_cast<int>(saver.readAllStandardOutput().count('\n'));
        const int spins = std::uniform_int_distribution<int>(0, 200000)(random);
        volatile int spun = 0;
        for (int i = 0; i < spins; ++i)
            spun = i;
        static_cast<void>(spun);
        ASSERT_EQ(saver.state(), QProcess::Running) << saver.readAllStandardError().toStdString();
        saver.kill();
        saver.waitForFinished(10000);
        killedAfterSaves += printed > 0 ? 1 : 0;
        ASSERT_TRUE(Intact());
        const std::vector<DirectoryEntry> entries = folder().entries();
        ASSERT_EQ(entries.size(), static_cast<std::size_t>(kEntries));
        for (const DirectoryEntry& entry : entries)
            EXPECT_TRUE(WholeEntry(entry)) << entry.fio.value_or(QString()).toStdString();
    }
    EXPECT_GT(killedAfterSaves, 0) << "no saver was killed after it had saved";
}

} // namespace
