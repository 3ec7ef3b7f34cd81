#include "app/SearchHistory.h"
#include "platform/Exceptions.h"
#include "platform/files/LockedFile.h"
#include "tests/files/HistoryTest.h"
#include "tests/support/ScriptedDialogService.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

const QString openFailed = QStringLiteral("Ошибка открытия файла!");

QString Text(const char16_t* text) {
    return QString::fromUtf16(text);
}

// The dialogs shown, as their texts; every one must be a plain message box.
QStringList PlainMessages(const ScriptedDialogService& dialogs) {
    QStringList texts;
    for (const DialogRequest& request : dialogs.requests()) {
        EXPECT_EQ(request.kind, DialogKind::PlainMessage);
        texts.append(request.text);
    }
    return texts;
}

using SearchHistory = HistoryTest;

TEST_F(SearchHistory, PathsLieBelowHistoryInTheCurrentDirectory) {
    EXPECT_EQ(HistoryPath(QStringLiteral("street.txt")),
              QDir::toNativeSeparators(path(QStringLiteral("street.txt"))));
}

TEST_F(SearchHistory, LoadSplitsAtEveryLineBreakAndStopsAtAZeroByte) {
    const std::pair<QByteArray, QStringList> cases[] = {
        {"", {}},
        {"123\r\n456\r\n", {"123", "456"}},
        {"123\n456", {"123", "456"}},
        {"123\r456\r", {"123", "456"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\n\r\n", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"x\r\nx\r\n", {"x", "x"}},
        {QByteArray("a\0b\r\nc", 6), {"a"}},
        {QByteArray("\0abc", 4), {}},
        {"\xC8\xC2\xC0\xCD\xCE\xC2\r\n\xA8\xEB\xEA\xE0", {Text(u"ИВАНОВ"), Text(u"Ёлка")}},
    };
    const QString file = path(QStringLiteral("user.txt"));
    for (const auto& [bytes, items] : cases) {
        writeBytes(file, bytes);
        EXPECT_EQ(LoadHistory(file).toStringList(), items) << bytes.toStdString();
    }
}

TEST_F(SearchHistory, LoadFailureNamesTheFullPathAndTheSystemReason) {
    LockedFile writer;
    writer.open(path(QStringLiteral("street.txt")), FileAccess::Append);
    const bool english = std::strcmp(std::strerror(ENOENT), "No such file or directory") == 0;
    const std::pair<QString, QString> cases[] = {
        {path(QStringLiteral("none.txt")), english ? "No such file or directory" : ""},
        {QDir(folder().path()).filePath(QStringLiteral("Missing/tel.txt")),
         english ? "No such file or directory" : ""},
        {path(QStringLiteral("street.txt")), "The file is locked by another program"},
    };
    for (const auto& [file, reason] : cases) {
        const QString prefix =
            QStringLiteral("Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(file));
        try {
            LoadHistory(file);
            ADD_FAILURE() << file.toStdString() << " loaded";
        } catch (const EFOpenError& error) {
            ASSERT_TRUE(error.message().startsWith(prefix)) << error.what();
            const QString text = error.message().mid(prefix.size());
            EXPECT_TRUE(!text.isEmpty() && text[0].isUpper()) << error.what();
            if (!reason.isEmpty()) {
                EXPECT_EQ(text, reason);
            }
        }
    }
}

struct ScanCase {
    QByteArray before;
    const char16_t* text;
    bool appended;
    QByteArray after;
};

TEST_F(SearchHistory, RecordAppendsOnlyATextNoLineHoldsExactly) {
    const QByteArray longLine(70000, 'x');
    const ScanCase cases[] = {
        {"", u"123", true, "123\r\n"},
        {"123\r\n", u"123", false, "123\r\n"},
        {"1234\r\n12\r\n", u"123", true, "1234\r\n12\r\n123\r\n"},
        {"abc\r\n", u"ABC", true, "abc\r\nABC\r\n"},
        {"ABC\r\nABC\r\n", u"ABC", false, "ABC\r\nABC\r\n"},
        {"a\r\nb\nc\r\n", u"b", false, "a\r\nb\nc\r\n"},
        {"ab\rc\r\n", u"abc", false, "ab\rc\r\n"},
        {"x\r\n123", u"123", false, "x\r\n123"},
        // A last line without its break is ended before the new line, never joined to it.
        {"x\r\n12", u"123", true, "x\r\n12\r\n123\r\n"},
        {"x\r", u"y", true, "x\r\ny\r\n"},
        {"", u"ИВАНОВ", true, "\xC8\xC2\xC0\xCD\xCE\xC2\r\n"},
        {"\xC8\xC2\xC0\xCD\xCE\xC2\r\n", u"ИВАНОВ", false, "\xC8\xC2\xC0\xCD\xCE\xC2\r\n"},
        {"\xE8\xE2\xe0\xed\xee\xe2\r\n", u"ИВАНОВ", true,
         "\xE8\xE2\xe0\xed\xee\xe2\r\n\xC8\xC2\xC0\xCD\xCE\xC2\r\n"},
        {longLine + "\r\n", u"", true, longLine + "\r\n\r\n"},
    };
    const QString file = path(QStringLiteral("tel.txt"));
    ScriptedDialogs dialogs;
    for (const auto& [before, text, appended, after] : cases) {
        writeBytes(file, before);
        EXPECT_EQ(RecordSearchText(file, Text(text)), appended) << before.toStdString();
        EXPECT_EQ(readBytes(file), after) << before.left(80).toStdString();
    }
    writeBytes(file, longLine + "\r\n");
    EXPECT_FALSE(RecordSearchText(file, QString::fromLatin1(longLine)));
    EXPECT_TRUE(RecordSearchText(file, QString::fromLatin1(longLine.chopped(1))));
    EXPECT_TRUE(dialogs->requests().empty());
}

TEST_F(SearchHistory, RepeatedTextsAreRecordedOnceInFirstSearchOrder) {
    const QString phones = path(QStringLiteral("tel.txt"));
    const QString streets = path(QStringLiteral("street.txt"));
    EXPECT_TRUE(RecordSearchText(phones, Text(u"23456")));
    EXPECT_FALSE(RecordSearchText(phones, Text(u"23456")));
    EXPECT_TRUE(RecordSearchText(streets, Text(u"ЛЕНИНА")));
    EXPECT_TRUE(RecordSearchText(phones, Text(u"11")));
    EXPECT_FALSE(RecordSearchText(streets, Text(u"ЛЕНИНА")));
    EXPECT_FALSE(RecordSearchText(phones, Text(u"23456")));
    EXPECT_EQ(readBytes(phones), QByteArray("23456\r\n11\r\n"));
    EXPECT_EQ(readBytes(streets), QByteArray("\xCB\xC5\xCD\xC8\xCD\xC0\r\n"));
    EXPECT_EQ(LoadHistory(phones).toStringList(), QStringList({"23456", "11"}));
}

TEST_F(SearchHistory, RecordWithoutAReadableFileShowsTheMessageThenFailsAs104) {
    LockedFile writer;
    writer.open(path(QStringLiteral("user.txt")), FileAccess::Append);
    const QString cases[] = {
        path(QStringLiteral("none.txt")),
        QDir(folder().path()).filePath(QStringLiteral("Missing/street.txt")),
        path(QStringLiteral("user.txt")), // held by another writer
    };
    for (const QString& file : cases) {
        ScriptedDialogs dialogs;
        const bool existed = QFileInfo::exists(file);
        try {
            RecordSearchText(file, Text(u"ПЕТРОВ"));
            ADD_FAILURE() << file.toStdString() << " recorded";
        } catch (const EInOutError& error) {
            EXPECT_EQ(error.message(), QStringLiteral("I/O error 104"));
            EXPECT_EQ(error.errorCode(), 104);
        }
        EXPECT_EQ(PlainMessages(*dialogs), QStringList{openFailed}) << file.toStdString();
        EXPECT_EQ(QFileInfo::exists(file), existed);
    }
}

TEST_F(SearchHistory, RecordIntoAFileBeingReadFailsAsASharingViolation) {
    const QString file = path(QStringLiteral("tel.txt"));
    writeBytes(file, "1\r\n");
    LockedFile reader;
    reader.open(file, FileAccess::Read);
    ScriptedDialogs dialogs;
    try {
        RecordSearchText(file, Text(u"2"));
        ADD_FAILURE() << "recorded";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("I/O error 32"));
    }
    EXPECT_TRUE(dialogs->requests().empty());
    EXPECT_EQ(readBytes(file), QByteArray("1\r\n"));
}

TEST_F(SearchHistory, ClearLeavesEveryFileEmpty) {
    ScriptedDialogs dialogs;
    for (const char* name : {"tel.txt", "user.txt", "street.txt"}) {
        const QString file = path(QString::fromLatin1(name));
        writeBytes(file, "123\r\n456\r\n");
        ClearHistoryFile(file);
        EXPECT_EQ(readBytes(file), QByteArray()) << name;
    }
    EXPECT_TRUE(dialogs->requests().empty());
}

TEST_F(SearchHistory, ClearOfAMissingFileShowsTheMessageOnceAndCreatesIt) {
    const QString file = path(QStringLiteral("user.txt"));
    ASSERT_TRUE(QFile::remove(file));
    ScriptedDialogs dialogs;
    ClearHistoryFile(file);
    EXPECT_EQ(PlainMessages(*dialogs), QStringList{openFailed});
    EXPECT_EQ(readBytes(file), QByteArray());
}

TEST_F(SearchHistory, ClearWithoutTheHistoryFolderShowsTheMessageThenFailsAsInvalidFilename) {
    ASSERT_TRUE(QDir(folder().path()).rename(QStringLiteral("History"), QStringLiteral("Old")));
    ScriptedDialogs dialogs;
    try {
        ClearHistoryFile(HistoryPath(QStringLiteral("tel.txt")));
        ADD_FAILURE() << "cleared";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Invalid filename"));
        EXPECT_EQ(error.errorCode(), 3);
    }
    EXPECT_EQ(PlainMessages(*dialogs), QStringList{openFailed});
    EXPECT_FALSE(QDir(folder().path()).exists(QStringLiteral("History")));
}

TEST_F(SearchHistory, ClearWaitsForReadersAndKeepsTheTextsWhenItCannot) {
    const QString file = path(QStringLiteral("street.txt"));
    writeBytes(file, "A\r\n");
    LockedFile reader;
    reader.open(file, FileAccess::Read);
    ScriptedDialogs dialogs;
    try {
        ClearHistoryFile(file);
        ADD_FAILURE() << "cleared";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("I/O error 32"));
    }
    EXPECT_TRUE(dialogs->requests().empty());
    EXPECT_EQ(readBytes(file), QByteArray("A\r\n"));
}

} // namespace
