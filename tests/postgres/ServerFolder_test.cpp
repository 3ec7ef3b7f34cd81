// A working folder whose directory lives on a PostgreSQL server.
#include "tests/support/PostgresTest.h"

#include "platform/db/PgConnection.h"
#include "tools/DirectoryFolder.h"
#include "tools/FolderCommands.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

class ServerFolderTest : public PostgresTest {
protected:
    QString root() const { return dir_.filePath(u"folder"_s); }
    QString fileRoot() const { return dir_.filePath(u"file"_s); }
    QString path(const QString& name) const { return dir_.filePath(name); }

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

// The folder tool's commands give on a server folder exactly what they give on a file folder.
TEST_F(ServerFolderTest, GenerateImportExportAndIndexGiveWhatAFileFolderGives) {
    InitServerFolder(root(), uri());
    InitFolder(fileRoot());
    for (const QString& folder : {root(), fileRoot()}) {
        GenerateFolderEntries(folder, 3000, 7);
    }
    EXPECT_EQ(ReadFolderEntries(root()), ReadFolderEntries(fileRoot()));

    // Texts COPY must escape, NULL and empty texts, a phone that is not whole.
    QFile csv(path(u"in.csv"_s));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("tel,fio,Name,Story\r\n"
              "12.5,\"tab\there\",back\\slash,\"two\nlines\"\r\n"
              ",,\"\",\"\\N\"\r\n"
              "23456,Ёлкин Ё.Ё.,ЛЕНИНА 1-2,\"кавычки \"\"да\"\"\"\r\n");
    csv.close();
    for (const QString& folder : {root(), fileRoot()}) {
        EXPECT_EQ(ImportFolderEntries(folder, csv.fileName()), 3);
    }
    EXPECT_EQ(ReadFolderEntries(root()), ReadFolderEntries(fileRoot()));
    for (const QString& folder : {root(), fileRoot()}) {
        EXPECT_EQ(ExportFolderEntries(folder, path(u"out.csv"_s) + QFileInfo(folder).fileName()),
                  3003);
    }
    QFile server(path(u"out.csvfolder"_s));
    QFile file(path(u"out.csvfile"_s));
    ASSERT_TRUE(server.open(QIODevice::ReadOnly) && file.open(QIODevice::ReadOnly));
    EXPECT_EQ(server.readAll(), file.readAll());

    // A malformed line adds nothing.
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("tel,fio,Name,Story\r\n1,a,b,c\r\nnot a number,a,b,c\r\n");
    csv.close();
    EXPECT_ANY_THROW(ImportFolderEntries(root(), csv.fileName()));
    EXPECT_EQ(ReadFolderEntries(root()).size(), 3003u);

    EXPECT_EQ(IndexFolder(root()).action, SearchIndexRepair::Action::Kept);
    PgConnection(uri()).exec(u"DROP INDEX tel_name_trigrams"_s);
    const SearchIndexRepair repair = IndexFolder(root());
    EXPECT_EQ(repair.action, SearchIndexRepair::Action::Added);
    EXPECT_EQ(repair.entries, 3003);
}

} // namespace
