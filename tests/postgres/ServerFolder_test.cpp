// A working folder whose directory lives on a PostgreSQL server.
#include "tests/support/PostgresTest.h"

#include "platform/db/PgConnection.h"
#include "tools/DirectoryFolder.h"
#include "tools/FolderCommands.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

class ServerFolderTest : public PostgresTest {
protected:
    QString root() const { return dir_.filePath(u"folder"_s); }

    QStringList serverObjects() {
        PgConnection connection(uri());
        const PgResult rows = connection.exec(
            u"SELECT column_name FROM information_schema.columns WHERE table_name = 'tel' "
            u"UNION ALL SELECT indexname FROM pg_indexes WHERE tablename = 'tel' ORDER BY 1"_s);
        QStringList names;
        for (int row = 0; row < rows.rowCount(); ++row) {
            names << rows.text(row, 0);
        }
        return names;
    }

private:
    QTemporaryDir dir_;
};

TEST_F(ServerFolderTest, InitMakesTheTableOnTheServerAndKeepsOnlyTheAddress) {
    const QStringList created = InitServerFolder(root(), uri());
    const DirectoryFolder folder(root());
    EXPECT_TRUE(created.contains(folder.serverPath()));
    EXPECT_FALSE(QFile::exists(folder.databasePath()));
    for (const QString& history : folder.historyPaths()) {
        EXPECT_TRUE(created.contains(history)) << history.toStdString();
    }
    EXPECT_EQ(folder.serverUri(), uri());
    const QStringList expected{u"fio"_s,
                               u"id"_s,
                               u"name"_s,
                               u"story"_s,
                               u"tel"_s,
                               u"tel_fio_trigrams"_s,
                               u"tel_name_order"_s,
                               u"tel_name_trigrams"_s,
                               u"tel_pkey"_s};
    EXPECT_EQ(serverObjects(), expected);

    // Again: nothing new, nothing changed, on the server or in the folder.
    PgConnection(uri()).exec(u"INSERT INTO tel (tel, fio) VALUES ($1, $2)"_s,
                             {u"23456"_s, u"Иванов"_s});
    EXPECT_TRUE(InitServerFolder(root(), uri()).isEmpty());
    EXPECT_EQ(serverObjects(), expected);
    EXPECT_EQ(PgConnection(uri()).exec(u"SELECT fio FROM tel"_s).text(0, 0), u"Иванов"_s);
}

} // namespace
