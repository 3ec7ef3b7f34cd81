#include "tools/FolderCommands.h"
#include "tools/FolderErrors.h"

#include "tests/support/WorkingFolder.h"
#include "tests/tools/FolderSnapshot.h"

#include <QDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The UTF-8 text as UTF-16 (little-endian), with or without its byte-order mark.
QByteArray Utf16(const QByteArray& utf8, bool mark) {
    const QString text = QString::fromUtf8(utf8);
    QByteArray bytes = mark ? QByteArray("\xFF\xFE") : QByteArray();
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    }
    return bytes;
}

class EntryImportExportTest : public WorkingFolderTest {
protected:
    QString csvPath() const {
        return QDir(folder().path()).filePath(QStringLiteral("entries.csv"));
    }

    // Imports the text into this folder; returns the error message, or "" on success.
    QString import(const QByteArray& csv) {
        WriteTestFile(csvPath(), csv);
        try {
            ImportFolderEntries(folder().path(), csvPath());
            return {};
        } catch (const ECsvFormatError& error) {
            return error.message();
        }
    }
};

const std::vector<DirectoryEntry>& AwkwardEntries() {
    static const std::vector<DirectoryEntry> entries = {
        {23456, Text("Иванов И.П."), Text("ЛЕНИНА 12-45"), std::nullopt},
        {1234567, Text("ООО \"Ромашка\""), Text("СОВЕТСКАЯ 3"), Text("Обед, с 13:00 до 14:00")},
        {std::nullopt, Text("Ёлкина Ё.Ё."), Text("ЗЕЛЁНАЯ 7"), Text("две\nстроки")},
        {0.1 + 0.2, Text("дробный, \"номер\""), Text("МИРА 1-1"), Text("CR LF\r\nвнутри")},
        {-42.5, Text(""), std::nullopt, Text(" пробелы по краям ")},
        {std::nullopt, std::nullopt, Text(""), Text("\"")},
        {99999, QString(255, u'Ж'), QString(255, u','), QString(255, u'"')},
        {12345, Text("Mixed Latin, 'апостроф' и ; точка с запятой"), Text("Tab\there"),
         Text("€ 😀")},
    };
    return entries;
}

TEST_F(EntryImportExportTest, ExportThenImportIntoAFreshFolderReproducesEveryEntry) {
    addEntries(AwkwardEntries());
    EXPECT_EQ(ExportFolderEntries(folder().path(), csvPath()),
              static_cast<qint64>(AwkwardEntries().size()));

    WorkingFolder fresh;
    EXPECT_EQ(ImportFolderEntries(fresh.path(), csvPath()),
              static_cast<qint64>(AwkwardEntries().size()));
    EXPECT_EQ(fresh.entries(), AwkwardEntries());
}

TEST_F(EntryImportExportTest, ExportWritesPlainRfc4180Text) {
    addEntries({{23456, Text("ООО \"Ромашка\""), Text("ЛЕНИНА 12-45"), std::nullopt},
                {std::nullopt, Text("Ёлкин"), Text(""), Text("a,b\nc")},
                {12.5, std::nullopt, std::nullopt, std::nullopt}});
    ExportFolderEntries(folder().path(), csvPath());
    EXPECT_EQ(ReadTestFile(csvPath()), QByteArray("tel,fio,Name,Story\r\n"
                                                  "23456,\"ООО \"\"Ромашка\"\"\",ЛЕНИНА 12-45,\r\n"
                                                  ",Ёлкин,\"\",\"a,b\nc\"\r\n"
                                                  "12.5,,,\r\n"));
}

TEST_F(EntryImportExportTest, ImportAcceptsTheUsualVariants) {
    struct Case {
        const char* label;
        QByteArray csv;
        std::vector<DirectoryEntry> entries;
    };
    const DirectoryEntry ivanov{23456, Text("Иванов"), Text("МИРА 1"), std::nullopt};
    const Case cases[] = {
        {"LF line ends", "tel,fio,Name,Story\n23456,Иванов,МИРА 1,\n", {ivanov}},
        {"no line break at the end", "tel,fio,Name,Story\r\n23456,Иванов,МИРА 1,", {ivanov}},
        {"byte-order mark", "\xEF\xBB\xBFtel,fio,Name,Story\r\n23456,Иванов,МИРА 1,\r\n", {ivanov}},
        {"quoted everything",
         "\"tel\",\"fio\",\"Name\",\"Story\"\r\n\"23456\",\"Иванов\",\"МИРА 1\",\r\n",
         {ivanov}},
        {"quoted empty tel is no phone",
         "tel,fio,Name,Story\r\n\"\",,,\"\"\r\n",
         {{std::nullopt, std::nullopt, std::nullopt, Text("")}}},
        {"number forms", "tel,fio,Name,Story\r\n2.3456e4,Иванов,МИРА 1,\r\n", {ivanov}},
        {"number forms the editor accepts",
         "tel,fio,Name,Story\r\n +23456 ,Иванов,МИРА 1,\r\n",
         {ivanov}},
        {"trailing comma and no line break",
         "tel,fio,Name,Story\r\n23456,Иванов,МИРА 1,",
         {ivanov}},
        {"header only", "tel,fio,Name,Story\r\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        WorkingFolder fresh;
        WriteTestFile(csvPath(), c.csv);
        EXPECT_EQ(ImportFolderEntries(fresh.path(), csvPath()),
                  static_cast<qint64>(c.entries.size()));
        EXPECT_EQ(fresh.entries(), c.entries);
    }
}

TEST_F(EntryImportExportTest, MalformedLineIsReportedWithItsNumberAndNothingIsWritten) {
    const QByteArray header = "tel,fio,Name,Story\r\n";
    const QByteArray good = "23456,Иванов,МИРА 1,\r\n";
    struct Case {
        QByteArray csv;
        const char* location; // ":LINE: reason" after the file name
    };
    const Case cases[] = {
        {"", ":1: the header tel,fio,Name,Story is missing"},
        {"tel,fio,name,Story\r\n" + good, ":1: the header is not tel,fio,Name,Story"},
        {"tel,fio,Name\r\n" + good, ":1: the header is not tel,fio,Name,Story"},
        {header + good + "23456,Иванов,МИРА 1\r\n", ":3: expected 4 fields, found 3"},
        {header + good + good + "1,2,3,4,5\r\n", ":4: expected 4 fields, found 5"},
        {header + good + "\r\n" + good, ":3: expected 4 fields, found 1"},
        {header + "2-34-56,Иванов,МИРА 1,\r\n", ":2: tel is not a number: \"2-34-56\""},
        {header + "\"a\nb\",Иванов,МИРА 1,\r\n", ":2: tel is not a number: \"a\nb\""},
        {header + "1,\"x\ny\",\"z\r\n\",\r\nabc,,,\r\n", ":5: tel is not a number: \"abc\""},
        {header + "1," + QByteArray(256, 'x') + ",,\r\n", ":2: fio is longer than 255 characters"},
        {header + "1,,," + QString(256, u'ё').toUtf8() + "\r\n",
         ":2: Story is longer than 255 characters"},
        {header + "1,,\xD0,\r\n", ":2: Name is not valid UTF-8"},
        {header + "1,\"nul" + '\0' + "here\",,\r\n", ":2: fio holds a NUL character"},
        {header + good + "1,\"open,,\r\n" + good, ":3: a quoted field is not closed"},
        {header + good + "1,a\"b,,\r\n", ":3: a quote inside an unquoted field"},
        {header + "inf,Иванов,МИРА 1,\r\n", ":2: tel is not a number: \"inf\""},
        {header + "-inf,Иванов,МИРА 1,\r\n", ":2: tel is not a number: \"-inf\""},
        {header + "NaN,Иванов,МИРА 1,\r\n", ":2: tel is not a number: \"NaN\""},
        {header + "1e400,Иванов,МИРА 1,\r\n", ":2: tel is not a number: \"1e400\""},
        {Utf16(header + good, true), ":1: the file is not UTF-8 text (UTF-16?); save it as UTF-8"},
        {Utf16(header + good, false), ":1: the file is not UTF-8 text (UTF-16?); save it as UTF-8"},
    };
    const std::vector<DirectoryEntry> before = {{1, Text("была"), std::nullopt, std::nullopt}};
    addEntries(before);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.csv.toStdString());
        const QByteArray database = ReadTestFile(folder().databasePath());
        EXPECT_EQ(import(c.csv), csvPath() + Text(c.location));
        EXPECT_EQ(folder().entries(), before);
        EXPECT_EQ(ReadTestFile(folder().databasePath()), database);
    }
}

TEST_F(EntryImportExportTest, ImportAddsAfterExistingEntries) {
    addEntries({{1, Text("первая"), std::nullopt, std::nullopt}});
    EXPECT_EQ(import("tel,fio,Name,Story\r\n2,вторая,,\r\n"), QString());
    EXPECT_EQ(folder().entries(),
              (std::vector<DirectoryEntry>{{1, Text("первая"), std::nullopt, std::nullopt},
                                           {2, Text("вторая"), std::nullopt, std::nullopt}}));
}

TEST_F(EntryImportExportTest, UnreadableOrUnwritableFileIsAFailure) {
    const QString missing = QDir(folder().path()).filePath(QStringLiteral("no/such/file.csv"));
    EXPECT_THROW(ImportFolderEntries(folder().path(), missing), Exception);
    EXPECT_THROW(ExportFolderEntries(folder().path(), missing), Exception);
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
