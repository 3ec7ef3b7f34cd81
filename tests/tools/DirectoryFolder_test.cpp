#include "tools/DirectoryFolder.h"
#include "tools/FolderCommands.h"
#include "tools/FolderErrors.h"

#include "tests/tools/FolderSnapshot.h"

#include "directory/DirectoryQuery.h"
#include "data/TADOQuery.h"
#include "platform/db/SqliteAdoProvider.h"
#include "platform/db/SqliteDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QByteArray kSqliteHeader("SQLite format 3\0", 16);

class DirectoryFolderTest : public ::testing::Test {
protected:
    // The folder that holds the working folder.
    QString town() const { return dir_.filePath(QStringLiteral("town")); }
    QString root() const { return town() + QStringLiteral("/folder"); }
    // A path below the working folder; the folder itself for "".
    QString at(const char* relative) const {
        return *relative == '\0' ? root() : root() + u'/' + QString::fromUtf8(relative);
    }

private:
    QTemporaryDir dir_;
};

TEST_F(DirectoryFolderTest, InitCreatesExactlyTheFolderFiles) {
    const QStringList created = DirectoryFolder(root()).init();

    const QMap<QString, QByteArray> snapshot = FolderSnapshot(root());
    EXPECT_EQ(snapshot.keys(), (QStringList{"Base", "Base/ccx.ddx", "History", "History/street.txt",
                                            "History/tel.txt", "History/user.txt"}));
    for (const char* history : {"History/street.txt", "History/tel.txt", "History/user.txt"}) {
        EXPECT_TRUE(snapshot.value(QString::fromUtf8(history)).isEmpty()) << history;
    }
    EXPECT_TRUE(snapshot.value("Base/ccx.ddx").startsWith(kSqliteHeader));
    EXPECT_TRUE(ReadFolderEntries(root()).empty());
    EXPECT_EQ(created.size(), 7)
        << created.join(u' ').toStdString(); // the root, 2 folders, 4 files
    EXPECT_TRUE(created.contains(DirectoryFolder(root()).databasePath()));
}

TEST_F(DirectoryFolderTest, InitLeavesExistingFilesUntouched) {
    struct Case {
        const char* existing;
        QByteArray content;
    };
    const Case cases[] = {
        {"History/tel.txt", "23456\r\n"},
        {"History/user.txt", "\xC8\xC2\xC0\xCD\xCE\xC2\r\n"}, // ИВАНОВ in Windows-1251
        {"History/street.txt", "no line break at the end"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.existing);
        QDir(root()).removeRecursively();
        WriteTestFile(at(c.existing), c.content);
        const QStringList created = DirectoryFolder(root()).init();
        EXPECT_FALSE(created.contains(at(c.existing)));
        EXPECT_EQ(ReadTestFile(at(c.existing)), c.content);
        EXPECT_EQ(FolderSnapshot(root()).size(), 6);
    }
}

TEST_F(DirectoryFolderTest, InitKeepsAnExistingDatabaseAndItsEntries) {
    InitFolder(root());
    const DirectoryEntry entry{23456, QStringLiteral("Иванов И.П."), QStringLiteral("ЛЕНИНА 12-45"),
                               std::nullopt};
    AddFolderEntries(root(), std::vector{entry});
    QFile::remove(at("History/user.txt"));
    const QByteArray database = ReadTestFile(at("Base/ccx.ddx"));

    EXPECT_EQ(InitFolder(root()), QStringList{at("History/user.txt")});
    EXPECT_EQ(ReadTestFile(at("Base/ccx.ddx")), database);
    EXPECT_EQ(ReadFolderEntries(root()), std::vector{entry});
    EXPECT_TRUE(InitFolder(root()).isEmpty());
}

TEST_F(DirectoryFolderTest, InitRefusesAPathTakenByTheWrongThingAndChangesNothing) {
    struct Case {
        const char* label;
        const char* file;      // made as a file
        const char* folder;    // made as a folder
        const char* complaint; // part of the message
    };
    const Case cases[] = {
        {"root is a file", "", nullptr, "is not a folder"},
        {"Base is a file", "Base", nullptr, "is not a folder"},
        {"History is a file", "History", nullptr, "is not a folder"},
        {"a history file is a folder", nullptr, "History/tel.txt", "is not a file"},
        {"database is not SQLite", "Base/ccx.ddx", nullptr, "not a directory database"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QDir(town()).removeRecursively();
        QDir().mkpath(town());
        if (c.file != nullptr) {
            WriteTestFile(at(c.file), "plain text, not a database\n");
        }
        if (c.folder != nullptr) {
            QDir().mkpath(at(c.folder));
        }
        const QMap<QString, QByteArray> before = FolderSnapshot(town());
        try {
            DirectoryFolder(root()).init();
            ADD_FAILURE() << "init went ahead";
        } catch (const EBadUse& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.complaint))) << error.what();
        }
        EXPECT_EQ(FolderSnapshot(town()), before);
    }
}

TEST_F(DirectoryFolderTest, OpenAcceptsOnlyADirectoryDatabase) {
    struct Case {
        const char* label;
        const char* schema; // SQL run in Base/ccx.ddx; nullptr for no file, "" for a text file
        const char* complaint;
    };
    const Case cases[] = {
        {"no database file", nullptr, "is missing"},
        {"not an SQLite file", "", "not a directory database: file is not a database"},
        {"no table tel", "CREATE TABLE other (x)", "no table tel"},
        {"a column missing",
         "CREATE TABLE tel (ID INTEGER PRIMARY KEY, tel REAL, fio TEXT, Name TEXT)",
         "no column Story"},
        {"tel is an integer column",
         "CREATE TABLE tel (ID INTEGER PRIMARY KEY, tel INTEGER, fio TEXT, Name TEXT, Story TEXT)",
         "column tel of table tel is declared INTEGER, which reads as Integer, not Float"},
        {"ID is not the key",
         "CREATE TABLE tel (ID INTEGER, tel REAL, fio TEXT, Name TEXT, Story TEXT)",
         "not an INTEGER PRIMARY KEY"},
        {"fio holds numbers",
         "CREATE TABLE tel (ID INTEGER PRIMARY KEY, tel REAL, fio NUMERIC, Name TEXT, Story TEXT)",
         "column fio of table tel is declared NUMERIC, which reads as BCD, not WideString"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QDir(root()).removeRecursively();
        QDir().mkpath(at("Base"));
        if (c.schema != nullptr && *c.schema == '\0') {
            WriteTestFile(at("Base/ccx.ddx"), "ID;tel;fio\n");
        } else if (c.schema != nullptr) {
            SqliteDatabase(at("Base/ccx.ddx"), SqliteOpenMode::Create).exec(c.schema);
        }
        try {
            DirectoryFolder(root()).open(SqliteOpenMode::ReadWrite);
            ADD_FAILURE() << "opened";
        } catch (const EBadUse& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.complaint))) << error.what();
        }
    }
    // Letter case of column names and declared types does not matter to SQLite.
    QDir(root()).removeRecursively();
    QDir().mkpath(at("Base"));
    SqliteDatabase(at("Base/ccx.ddx"), SqliteOpenMode::Create)
        .exec("CREATE TABLE TEL (id integer primary key, TEL double, FIO varchar(255), "
              "name nvarchar(255), story text)");
    EXPECT_NO_THROW(DirectoryFolder(root()).open(SqliteOpenMode::ReadOnly));
}

// The program opens the folder's database with the directory query; the tool must accept
// exactly the files the program opens, whatever tool made them.
TEST_F(DirectoryFolderTest, ToolAndProgramAgreeOnWhatADirectoryDatabaseIs) {
    struct Case {
        const char* tel;
        const char* text; // the declared type of fio, Name and Story
        bool directory;
    };
    const Case cases[] = {
        {"REAL", "VARCHAR(255)", true},  {"REAL", "TEXT", true},     {"DOUBLE", "VARCHAR", true},
        {"FLOAT", "NVARCHAR", true},     {"REAL", "text", true},     {"NUMERIC", "TEXT", true},
        {"REAL", "NVARCHAR(100)", true}, {"INTEGER", "TEXT", false}, {"", "TEXT", false},
        {"TEXT", "TEXT", false},         {"REAL", "CLOB", false},    {"REAL", "LONGTEXT", false},
        {"REAL", "MEDIUMTEXT", false},   {"REAL", "NTEXT", false},   {"REAL", "CHAR(10)", false},
        {"REAL", "INTEGER", false},      {"REAL", "BLOB", false},    {"BIGINT", "TEXT", false},
    };
    for (const Case& c : cases) {
        const std::string label = std::string("tel ") + c.tel + ", texts " + c.text;
        SCOPED_TRACE(label);
        QDir(root()).removeRecursively();
        QDir().mkpath(at("Base"));
        SqliteDatabase(at("Base/ccx.ddx"), SqliteOpenMode::Create)
            .exec(QStringLiteral("CREATE TABLE tel (ID INTEGER PRIMARY KEY, tel %1, fio %2, "
                                 "Name %2, Story %2)")
                      .arg(QString::fromLatin1(c.tel), QString::fromLatin1(c.text)));
        bool toolAccepts = true;
        try {
            DirectoryFolder(root()).open(SqliteOpenMode::ReadOnly);
        } catch (const EBadUse&) {
            toolAccepts = false;
        }
        bool programOpens = true;
        TADOQuery query(SqliteAdoProvider());
        ConfigureDirectoryQuery(query);
        query.SetConnectionString(QStringLiteral("Data Source=") + at("Base/ccx.ddx"));
        try {
            query.Open();
        } catch (const Exception& error) {
            programOpens = false;
            EXPECT_TRUE(error.message().contains(QStringLiteral("Type mismatch"))) << error.what();
        }
        EXPECT_EQ(programOpens, c.directory);
        EXPECT_EQ(toolAccepts, programOpens);
    }
}

TEST_F(DirectoryFolderTest, OpenRefusesAMissingFolder) {
    try {
        DirectoryFolder(root()).open(SqliteOpenMode::ReadOnly);
        FAIL() << "opened";
    } catch (const EBadUse& error) {
        EXPECT_EQ(error.message(), root() + QStringLiteral(": no such folder"));
    }
    EXPECT_FALSE(QDir(root()).exists());
}

// A folder's directory is its database file or a server, never both; the address never holds
// a password. Each refusal comes before anything is changed or any server is asked.
TEST_F(DirectoryFolderTest, AServerFolderRefusesWhatWouldMakeItAmbiguous) {
    const QString server = QStringLiteral("postgresql:///pb?host=/nonexistent");
    const auto write = [](const QString& path, const QByteArray& content) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    const struct {
        const char* label;
        std::function<void()> command;
        const char* message; // a part of the refusal
    } cases[] = {
        {"a file folder made a server folder",
         [&] {
             DirectoryFolder(root()).init();
             DirectoryFolder(root()).initOnServer(server);
         },
         "holds a database file"},
        {"a password in the address",
         [&] { DirectoryFolder(root()).initOnServer("postgresql://pb:secret@/pb?host=/x"); },
         "~/.pgpass"},
        {"an address libpq cannot read",
         [&] { DirectoryFolder(root()).initOnServer("postgresql://[::1"); }, "cannot be read"},
        {"another server",
         [&] {
             write(DirectoryFolder(root()).serverPath(), "postgresql:///other?host=/x\n");
             DirectoryFolder(root()).initOnServer(server);
         },
         "already points to the server postgresql:///other?host=/x"},
        {"both a file and an address",
         [&] {
             DirectoryFolder(root()).init();
             write(DirectoryFolder(root()).serverPath(), server.toUtf8());
             DirectoryFolder(root()).open(SqliteOpenMode::ReadOnly);
         },
         "holds both a database file"},
        {"an empty address",
         [&] {
             write(DirectoryFolder(root()).serverPath(), "# nothing\n\n");
             DirectoryFolder(root()).serverUri();
         },
         "names no server"},
        {"a file folder made where a server is named",
         [&] {
             write(DirectoryFolder(root()).serverPath(), server.toUtf8());
             DirectoryFolder(root()).init();
         },
         "points to a server"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QDir(root()).removeRecursively();
        try {
            c.command();
            ADD_FAILURE() << "accepted";
        } catch (const EBadUse& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.message))) << error.what();
        }
    }
}

} // namespace
