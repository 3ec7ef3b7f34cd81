#include "tests/support/ProviderTestSupport.h"

#include "platform/Exceptions.h"
#include "platform/db/AdoConstants.h"
#include "platform/db/SqliteAdoProvider.h"
#include "platform/db/SqliteDatabase.h"

#include <QDir>
#include <QFile>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

class ProviderOpenTest : public ProviderTest {
protected:
    // The message of the failure to connect to the file at path.
    static QString connectFailure(const QString& path) {
        const std::unique_ptr<AdoCommand> command = SqliteAdoProvider().createCommand();
        try {
            command->setActiveConnection(
                QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(path));
        } catch (const EOleException& error) {
            EXPECT_FALSE(command->hasActiveConnection());
            return error.message();
        }
        return QStringLiteral("(connected)");
    }

    QString pathOf(const char* name) const {
        return QDir(folder().path()).filePath(QString::fromUtf8(name));
    }
};

TEST_F(ProviderOpenTest, AFileThatIsNoDatabaseFailsNamingTheFile) {
    const QString missing = pathOf("Base/none.ddx");
    EXPECT_EQ(connectFailure(missing), QStringLiteral("Could not find file '%1'.").arg(missing));
    EXPECT_FALSE(QFile::exists(missing)); // never created

    const QString text = pathOf("Base/notes.txt");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("ID;tel;fio\n").repeated(200));
    file.close();
    EXPECT_EQ(connectFailure(text),
              QStringLiteral("The file '%1' is not a database or is damaged.").arg(text));

    const QString folderPath = pathOf("Base");
    EXPECT_EQ(connectFailure(folderPath),
              QStringLiteral("Cannot open '%1': it is not a file.").arg(folderPath));
}

TEST_F(ProviderOpenTest, APathWithWindowsSeparatorsFindsItsFile) {
    addEntries({Entry(23456, "Иванов")});
    const std::unique_ptr<AdoCommand> command = SqliteAdoProvider().createCommand();
    command->setActiveConnection(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1"
                                                "\\Base\\ccx.ddx;Persist Security Info=False")
                                     .arg(folder().path()));
    EXPECT_EQ(ColumnTexts(*openOn(*command, QStringLiteral("SELECT fio FROM tel")), 0),
              QStringList{"Иванов"});
}

TEST_F(ProviderOpenTest, AConnectionStringWithoutDataSourceFails) {
    const std::unique_ptr<AdoCommand> command = SqliteAdoProvider().createCommand();
    try {
        command->setActiveConnection(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0"));
        ADD_FAILURE() << "connected";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.message(), QStringLiteral("The connection string names no Data Source."));
    }
}

TEST_F(ProviderOpenTest, AWriteProtectedFileOpensForReadingOnly) {
    addEntries({Entry(23456, "Иванов", "ЛЕНИНА 1")});
    const QString path = folder().databasePath();
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    OpenedQuery query = open(QStringLiteral("SELECT ID, tel, fio, Name, Story FROM tel"));
    EXPECT_EQ(query->recordCount(), 1);
    EXPECT_EQ(Text(query->value(2)), QStringLiteral("Иванов"));
    EXPECT_FALSE(query->supports(ado::adUpdate));
    EXPECT_EQ(query->field(2).attributes & ado::adFldUpdatable, 0);
    const QString expected = QStringLiteral("The database '%1' is open read-only (the file is "
                                            "write-protected); it cannot be changed.")
                                 .arg(path);
    for (auto write : {+[](AdoRecordset& r) { r.setValue(2, QStringLiteral("x")); },
                       +[](AdoRecordset& r) { r.addNew(); },
                       +[](AdoRecordset& r) {
                           r.deleteRows(ado::adAffectCurrent);
                       }}) {
        try {
            write(*query.recordset);
            ADD_FAILURE() << "wrote";
        } catch (const EOleException& error) {
            EXPECT_EQ(error.message(), expected);
        }
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(folder().entries().size(), 1u);
}

TEST_F(ProviderOpenTest, AReplacedFileIsReadThroughANewConnection) {
    addEntries({Entry(1, "старый")});
    const QString path = folder().databasePath();
    const std::unique_ptr<AdoCommand> command = SqliteAdoProvider().createCommand();
    command->setActiveConnection(connectionString());
    const QString sql = QStringLiteral("SELECT fio FROM tel");
    const std::unique_ptr<AdoRecordset> before = openOn(*command, sql);
    EXPECT_EQ(ColumnTexts(*before, 0), QStringList{"старый"});

    // Another file renamed over the path (mv), then one copied to it after the old one was
    // deleted (rm; cp): each is a new file the next open must read.
    struct Step {
        const char* label;
        const char* fio;
        bool renamed;
    };
    for (const Step& step :
         {Step{"renamed over", "новый", true}, Step{"deleted and copied", "третий", false}}) {
        SCOPED_TRACE(step.label);
        const QString made = path + QStringLiteral(".new");
        {
            SqliteDatabase other(made, SqliteOpenMode::Create);
            other.exec("CREATE TABLE tel (ID INTEGER PRIMARY KEY, tel REAL, fio TEXT, Name "
                       "TEXT, Story TEXT)");
            other.exec(QStringLiteral("INSERT INTO tel (fio) VALUES ('%1')")
                           .arg(QString::fromUtf8(step.fio)));
        }
        if (step.renamed) {
            ASSERT_EQ(std::rename(QFile::encodeName(made).constData(),
                                  QFile::encodeName(path).constData()),
                      0);
        } else {
            ASSERT_TRUE(QFile::remove(path));
            ASSERT_TRUE(QFile::copy(made, path));
            QFile::remove(made);
        }
        EXPECT_EQ(ColumnTexts(*openOn(*command, sql), 0), QStringList{QString::fromUtf8(step.fio)});
    }
    // A recordset opened before keeps its rows.
    before->moveFirst();
    EXPECT_EQ(Text(before->value(0)), QStringLiteral("старый"));

    // A path where the file has gone fails as a missing file, not with the old file's rows.
    ASSERT_TRUE(QFile::remove(path));
    try {
        openOn(*command, sql);
        ADD_FAILURE() << "read a deleted file";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Could not find file '%1'.").arg(path));
    }
}

TEST_F(ProviderOpenTest, AMissingTableIsReportedWithTheFile) {
    SqliteDatabase(folder().databasePath(), SqliteOpenMode::ReadWrite).exec("DROP TABLE tel");
    try {
        open(QStringLiteral("SELECT ID FROM tel"));
        ADD_FAILURE() << "opened";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.message(), QStringLiteral("The database '%1' has no table tel; it is not "
                                                  "a directory database.")
                                       .arg(folder().databasePath()));
    }
}

TEST_F(ProviderOpenTest, ACommandTextIsOneStatement) {
    struct Case {
        const char* sql;
        const char* failure; // nullptr: opens
    };
    const Case cases[] = {
        {"SELECT ID FROM tel;", nullptr},
        {"SELECT ID FROM tel ; -- the end\r\n ;", nullptr},
        {"SELECT ID FROM tel; DELETE FROM tel",
         "The command text holds more than one SQL statement; only one can be run at a time."},
        {"SELECT ID FROM tel WHERE fio LIKE'%O'Brien%'", "near \"Brien\": syntax error"},
        {"SELECT missing FROM tel", "no such column: missing"},
        {"  ", "The command text is empty."},
        {"-- only a comment", "The command text holds no SQL statement."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        try {
            OpenedQuery query = open(QString::fromUtf8(c.sql));
            EXPECT_EQ(c.failure, nullptr);
            EXPECT_EQ(query->state(), ado::adStateOpen);
        } catch (const EOleException& error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(c.failure ? c.failure : "(opens)"));
        }
    }
    EXPECT_EQ(folder().entries().size(), 0u);
}

TEST_F(ProviderOpenTest, AStatementWithoutResultRunsOnceAndGivesAClosedRecordset) {
    addEntries({Entry(1, "a"), Entry(2, "b")});
    OpenedQuery query = open(QStringLiteral("UPDATE tel SET Story = 'seen'"));
    EXPECT_EQ(query->state(), ado::adStateClosed);
    EXPECT_FALSE(query->nextRecordset());
    for (const DirectoryEntry& entry : folder().entries()) {
        EXPECT_EQ(entry.story, QStringLiteral("seen"));
    }
}

TEST_F(ProviderOpenTest, FieldsReportKindSizeAndUpdatability) {
    OpenedQuery query =
        open(QStringLiteral("SELECT ID, tel, fio, Name, Story, fio || '!' AS shout, "
                            "2 AS two, 0.5 AS half FROM tel"));
    struct Expected {
        const char* name;
        int type;
        long size;
        bool updatable;
        bool autoIncrement;
    };
    const Expected expected[] = {
        {"ID", ado::adInteger, 4, false, true},       {"tel", ado::adDouble, 8, true, false},
        {"fio", ado::adVarWChar, 255, true, false},   {"Name", ado::adVarWChar, 255, true, false},
        {"Story", ado::adVarWChar, 255, true, false}, {"shout", ado::adVarWChar, 255, false, false},
        {"two", ado::adVarWChar, 255, false, false},  {"half", ado::adVarWChar, 255, false, false},
    };
    ASSERT_EQ(query->fieldCount(), 8);
    for (int i = 0; i < 8; ++i) {
        const AdoFieldInfo field = query->field(i);
        SCOPED_TRACE(field.name.toStdString());
        EXPECT_EQ(field.name, QString::fromUtf8(expected[i].name));
        EXPECT_EQ(field.type, expected[i].type);
        EXPECT_EQ(field.definedSize, expected[i].size);
        EXPECT_EQ((field.attributes & ado::adFldUpdatable) != 0, expected[i].updatable);
        EXPECT_EQ(field.isAutoIncrement, expected[i].autoIncrement);
    }
    EXPECT_TRUE(query->supports(ado::adUpdate | ado::adResync | ado::adBookmark |
                                ado::adMovePrevious | ado::adApproxPosition));
}

TEST_F(ProviderOpenTest, ExpressionColumnsTakeTheKindOfTheFirstValue) {
    addEntries({Entry(23456, "Иванов")});
    OpenedQuery query =
        open(QStringLiteral("SELECT fio || '!' AS shout, 2 AS two, 0.5 AS half FROM tel"));
    EXPECT_EQ(query->field(0).type, ado::adVarWChar);
    EXPECT_EQ(query->field(1).type, ado::adInteger);
    EXPECT_EQ(query->field(2).type, ado::adDouble);
    EXPECT_FALSE(query->supports(ado::adUpdate)); // no key column
    EXPECT_FALSE(query->supports(ado::adResync));
}

TEST_F(ProviderOpenTest, AResultOfTwoTablesCannotBeUpdated) {
    SqliteDatabase(folder().databasePath(), SqliteOpenMode::ReadWrite)
        .exec("CREATE TABLE notes (ID INTEGER PRIMARY KEY, text VARCHAR(20))");
    OpenedQuery query = open(QStringLiteral(
        "SELECT tel.ID, tel.fio, notes.text FROM tel JOIN notes ON notes.ID = tel.ID"));
    EXPECT_FALSE(query->supports(ado::adUpdate));
    EXPECT_EQ(query->field(1).attributes & ado::adFldUpdatable, 0);
    EXPECT_EQ(query->field(2).type, ado::adVarWChar);
    EXPECT_EQ(query->field(2).definedSize, 20);
}

} // namespace
