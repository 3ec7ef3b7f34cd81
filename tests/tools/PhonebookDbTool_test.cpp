// Runs the built phonebook-db binary as a user would.
#include "tools/FolderCommands.h"

#include "tests/tools/FolderSnapshot.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList& arguments, const QString& workingDirectory) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(PHONEBOOK_DB_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << process.errorString().toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

class PhonebookDbToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        // "good": a working folder with one entry; "plain": a folder without a database;
        // "junk": a folder whose database file is not SQLite; entries.csv: a valid import.
        InitFolder(at("good"));
        AddFolderEntries(at("good"),
                         std::vector<DirectoryEntry>{
                             {23456, QStringLiteral("Иванов И.П."), std::nullopt, std::nullopt}});
        QDir().mkpath(at("plain"));
        WriteTestFile(at("junk/Base/ccx.ddx"), "not a database");
        WriteTestFile(at("entries.csv"), "tel,fio,Name,Story\r\n34567,Петров,МИРА 2,\r\n");
    }

    QString at(const char* relative) const { return dir_.filePath(QString::fromUtf8(relative)); }
    QString root() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

TEST_F(PhonebookDbToolTest, BadUseExitsWithTwoAndOneLineAndChangesNothing) {
    const QStringList cases[] = {
        {"frobnicate", "good"},
        {"init"},
        {"init", "good", "extra"},
        {"init", "junk"},
        {"init", "--force", "good"},
        {"generate", "good"},
        {"generate", "good", "--entries"},
        {"generate", "good", "--entries", "-5"},
        {"generate", "good", "--entries", "many"},
        {"generate", "good", "--entries", "5", "--seed", "1.5"},
        {"generate", "good", "--entries", "5", "--entries", "6"},
        {"generate", "good", "--entries", "5", "--colour"},
        {"generate", "missing", "--entries", "5"},
        {"generate", "plain", "--entries", "5"},
        {"generate", "junk", "--entries", "5"},
        {"import", "good"},
        {"import", "missing", "entries.csv"},
        {"import", "junk", "entries.csv"},
        {"export", "plain", "out.csv"},
        {"export", "junk", "out.csv"},
        {"export", "entries.csv", "out.csv"},
        {"init", ""},
        {"import", "good", ""},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const QMap<QString, QByteArray> before = FolderSnapshot(root());
        const ToolRun run = RunTool(arguments, root());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(run.err.startsWith(u"phonebook-db: ")) << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
        EXPECT_EQ(FolderSnapshot(root()), before);
    }
}

TEST_F(PhonebookDbToolTest, HelpGoesToStdoutAndNoArgumentsToStderr) {
    const ToolRun help = RunTool({QStringLiteral("--help")}, root());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage: phonebook-db")) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty());

    const ToolRun none = RunTool({}, root());
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_EQ(none.err, help.out);
}

TEST_F(PhonebookDbToolTest, FailedCommandExitsWithOne) {
    struct Case {
        QStringList arguments;
        QString error;
    };
    WriteTestFile(at("bad.csv"), "tel,fio,Name,Story\r\n1,a,b,c\r\nx,a,b,c\r\n");
    const Case cases[] = {
        {{"import", "good", "bad.csv"},
         QStringLiteral("phonebook-db: bad.csv:3: tel is not a number: \"x\"\n")},
        {{"import", "good", "no.csv"},
         QStringLiteral("phonebook-db: no.csv: cannot open the file")},
        {{"export", "good", "no/such/folder/out.csv"},
         QStringLiteral("phonebook-db: no/such/folder/out.csv: cannot write the file")},
        {{"export", "good", "/dev/full"},
         QStringLiteral("phonebook-db: /dev/full: cannot write the file")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const QMap<QString, QByteArray> before = FolderSnapshot(root());
        const ToolRun run = RunTool(c.arguments, root());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith(c.error)) << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1);
        EXPECT_EQ(FolderSnapshot(root()), before);
    }
}

TEST_F(PhonebookDbToolTest, CommandsWorkEndToEnd) {
    const QStringList steps[] = {
        {"init", "new/town"},
        {"generate", "new/town", "--entries", "300", "--seed", "5"},
        {"import", "new/town", "entries.csv"},
        {"export", "new/town", "out.csv"},
        {"init", "copy"},
        {"import", "copy", "out.csv"},
    };
    for (const QStringList& arguments : steps) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const ToolRun run = RunTool(arguments, root());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
    const std::vector<DirectoryEntry> entries = ReadFolderEntries(at("new/town"));
    ASSERT_EQ(entries.size(), 301u);
    EXPECT_EQ(entries.back().fio, QStringLiteral("Петров"));
    EXPECT_EQ(ReadFolderEntries(at("copy")), entries);

    // The same seed in another folder gives the same entries.
    InitFolder(at("again"));
    EXPECT_EQ(RunTool({"generate", "again", "--seed=5", "--entries=300"}, root()).exitCode, 0);
    EXPECT_EQ(ReadFolderEntries(at("again")), std::vector(entries.begin(), entries.end() - 1));
}

TEST_F(PhonebookDbToolTest, ExportRefusesTheFolderOwnFilesHoweverNamed) {
    ASSERT_TRUE(QFile::link(at("good/Base/ccx.ddx"), at("database-link")));
    std::filesystem::create_hard_link(at("good/History/user.txt").toStdString(),
                                      at("user-copy.txt").toStdString());
    const char* targets[] = {
        "good/Base/ccx.ddx",
        "./good/Base/../Base/ccx.ddx",
        "good/History/tel.txt",
        "good/History/street.txt",
        "good/Base/ccx.ddx-journal",
        "good/Base/ccx.ddx-wal",
        "database-link",
        "user-copy.txt",
    };
    for (const char* target : targets) {
        SCOPED_TRACE(target);
        const QMap<QString, QByteArray> before = FolderSnapshot(root());
        const ToolRun run = RunTool({"export", "good", target}, root());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err, QStringLiteral("phonebook-db: %1: is a file of the working folder "
                                          "good; export to another file\n")
                               .arg(QString::fromUtf8(target)));
        EXPECT_EQ(FolderSnapshot(root()), before);
    }
    // Another folder's database is just a file to write.
    InitFolder(at("other"));
    EXPECT_EQ(RunTool({"export", "good", "other/Base/ccx.ddx"}, root()).exitCode, 0);
}

TEST_F(PhonebookDbToolTest, ExportReplacesAFileOnlyWhenItIsWrittenWhole) {
    GenerateFolderEntries(at("good"), 300, 7);
    WriteTestFile(at("out.csv"), "the old export\r\n");
    QFile::setPermissions(at("out.csv"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    // A file size limit stops the export part way: the old file stays, no temporary is left.
    const QMap<QString, QByteArray> before = FolderSnapshot(root());
    QProcess limited;
    limited.setWorkingDirectory(root());
    limited.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), QStringLiteral("ulimit -f 8; exec \"$0\" \"$@\""),
                   QStringLiteral(PHONEBOOK_DB_PATH), QStringLiteral("export"),
                   QStringLiteral("good"), QStringLiteral("out.csv")});
    ASSERT_TRUE(limited.waitForFinished(60000));
    EXPECT_EQ(limited.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(limited.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(limited.readAllStandardError());
    EXPECT_TRUE(err.startsWith(u"phonebook-db: out.csv: cannot write")) << err.toStdString();
    EXPECT_EQ(FolderSnapshot(root()), before);

    // Without the limit the new text takes the old file's place and keeps its permissions.
    const ToolRun run = RunTool({"export", "good", "out.csv"}, root());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("exported 301 entries\n"));
    EXPECT_TRUE(ReadTestFile(at("out.csv")).startsWith("tel,fio,Name,Story\r\n"));
    // Owner, group and others; Qt's flags for the current user are left out.
    constexpr int kPermissionBits = 0x7077;
    EXPECT_EQ(QFile::permissions(at("out.csv")) & kPermissionBits,
              (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup) & kPermissionBits);
    EXPECT_EQ(QDir(root()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"entries.csv", "out.csv"}));
}

TEST_F(PhonebookDbToolTest, ExportToStandardOutputKeepsTheSummaryOutOfTheText) {
    const ToolRun run = RunTool({"export", "good", "/dev/stdout"}, root());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("tel,fio,Name,Story\r\n23456,Иванов И.П.,,\r\n"));
    EXPECT_EQ(run.err, QStringLiteral("exported 1 entries\n"));
}

TEST_F(PhonebookDbToolTest, DatabaseFailuresNameTheFileAndSayWhatToDo) {
    const QString database = QStringLiteral("good/Base/ccx.ddx");
    // A write-protected database is refused before anything is tried.
    ASSERT_TRUE(QFile::setPermissions(at("good/Base/ccx.ddx"),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QMap<QString, QByteArray> before = FolderSnapshot(root());
    ToolRun run = RunTool({"import", "good", "entries.csv"}, root());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("phonebook-db: %1: the database is read-only; nothing was "
                                      "changed. Make the file and its folder writable\n")
                           .arg(database));
    EXPECT_EQ(FolderSnapshot(root()), before);
    QFile::setPermissions(at("good/Base/ccx.ddx"), QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace
