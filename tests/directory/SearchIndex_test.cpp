// The search index: the same rows in the same order as the scan, whoever writes the file.
#include "tests/support/ProviderTestSupport.h"

#include "directory/DirectoryProvider.h"
#include "directory/SearchIndexRewrite.h"
#include "directory/SearchIndexSchema.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"
#include "platform/text/Utf8CaseFold.h"
#include "tools/FolderCommands.h"

#include <QProcess>
#include <QStandardPaths>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <random>

namespace {

const QStringList kColumns{QStringLiteral("tel"), QStringLiteral("fio"), QStringLiteral("Name")};

QString SearchText(const QString& column, const QString& pattern, bool scan) {
    QString quoted = pattern;
    quoted.replace(u'\'', QStringLiteral("''"));
    const QString condition = QStringLiteral("%1 LIKE'%2'").arg(column, quoted);
    // A condition in parentheses is not a search the index serves: it is scanned.
    return QStringLiteral("SELECT ID, tel, fio, Name, Story\r\nFROM tel\r\nWHERE %1\r\nORDER BY "
                          "Name\r\n")
        .arg(scan ? u'(' + condition + u')' : condition);
}

// Rows the index cannot answer for: folded letters FTS5 and LIKE treat differently, numbers
// whose text is not their digits, a text in the number column.
const std::vector<DirectoryEntry> kUnusualEntries{
    {12.5, "Kелвин ᲀᲁᲂ", "ЛЕНИНА 12-4", std::nullopt},
    {1e20, "ſтрасов И.И.", "ЛЕНИНА 1", std::nullopt},
    {0.0, "Петрова Ё.Ё.", "ЛЁНИНА 2", std::nullopt},
    {-0.0, "Ивановъ", "Straße 5", std::nullopt},
    {123450, "ИВАН «№1»", "ЛЕНИНА 12-44", std::nullopt},
};

class SearchIndexTest : public ProviderTest {
protected:
    AdoProvider& provider() override { return DirectoryProvider(); }

    void SetUp() override {
        // Enough entries that a search asks the index rather than testing every entry.
        GenerateFolderEntries(folder().path(), 24000, 7);
        addEntries(kUnusualEntries);
        SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadWrite);
        database.exec(
            "INSERT INTO tel(tel, fio, Name) VALUES ('12-345', 'Текст в номере', 'ЛЕНИНА 3')");
        // Gaps in the IDs, single and long, and an ID far beyond the others.
        database.exec("DELETE FROM tel WHERE ID % 13 = 0 OR ID BETWEEN 3000 AND 3400");
        database.exec("INSERT INTO tel(ID, tel, fio, Name) "
                      "VALUES (5000000, '1', 'ИВАН далёкий', 'ЛЕНИНА 1')");
    }

    // The IDs of a search, in order. Every search runs on one connection, as the program's
    // do, so that it sees the file's changes as the program would.
    QStringList ids(const QString& sql) {
        if (!command_) {
            command_ = open(QStringLiteral("SELECT ID FROM tel")).command;
        }
        std::unique_ptr<AdoRecordset> recordset = openOn(*command_, sql);
        return ColumnTexts(*recordset, 0);
    }

    bool usesIndex(const QString& sql) {
        SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadOnly);
        return WithSearchIndex(sql, [&database] {
                   return search_index::IndexCoversTable(
                       database, database.queryInteger("SELECT count(*) FROM tel"));
               }) != sql;
    }

    // Compares the indexed search with the scan, both as the search cache answers it and as
    // SQLite runs it rewritten (a result column alias keeps the cache away); true when the
    // index served it.
    bool expectSameAsScan(const QString& column, const QString& pattern) {
        const QString indexed = SearchText(column, pattern, false);
        const QStringList scanned = ids(SearchText(column, pattern, true));
        EXPECT_EQ(ids(indexed), scanned)
            << column.toStdString() << " LIKE " << pattern.toStdString();
        QString rewritten = indexed;
        rewritten.replace(QStringLiteral("SELECT ID,"), QStringLiteral("SELECT ID AS ID,"));
        EXPECT_EQ(ids(rewritten), scanned)
            << "rewritten: " << column.toStdString() << " LIKE " << pattern.toStdString();
        return usesIndex(indexed);
    }

    // Texts of the directory to cut patterns from.
    QStringList sampleTexts(int count) {
        QStringList texts;
        SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadOnly);
        SqliteStatement statement = database.prepare(
            "SELECT CAST(CAST(tel AS INTEGER) AS TEXT), fio, Name FROM tel ORDER BY random() "
            "LIMIT ?1");
        statement.bindInt64(1, count);
        while (statement.step()) {
            for (int i = 0; i < 3; ++i) {
                texts << statement.columnText(i);
            }
        }
        return texts;
    }

    std::unique_ptr<AdoCommand> command_;
};

// A pattern cut from a text: 1 to 6 characters, its letter case changed, Е and Ё swapped,
// wildcards put in.
QString CutPattern(const QString& text, std::mt19937& random) {
    if (text.isEmpty()) {
        return QStringLiteral("%");
    }
    const auto pick = [&](int below) {
        return static_cast<int>(random() % static_cast<unsigned>(below));
    };
    const int start = pick(static_cast<int>(text.size()));
    QString pattern = text.mid(start, 1 + pick(6));
    switch (pick(4)) {
    case 0:
        pattern = pattern.toLower();
        break;
    case 1:
        pattern = pattern.toUpper();
        break;
    case 2:
        pattern.replace(u'е', u'ё').replace(u'Е', u'Ё');
        break;
    default:
        break;
    }
    if (pick(5) == 0 && pattern.size() > 1) {
        pattern[pick(static_cast<int>(pattern.size()))] = u'_';
    }
    switch (pick(4)) {
    case 0:
        return pattern + u'%';
    case 1:
        return u'%' + pattern;
    case 2:
        return pattern;
    default:
        return u'%' + pattern + u'%';
    }
}

TEST_F(SearchIndexTest, GeneratedPatternsGiveTheScansRowsInItsOrder) {
    const QStringList fixed{QStringLiteral("%"),
                            QStringLiteral("_"),
                            QStringLiteral("%'%"),
                            QStringLiteral("%ов%"),
                            QStringLiteral("%ИВАН%"),
                            QStringLiteral("%иван%"),
                            QStringLiteral("%ПЕТРОВА%"),
                            QStringLiteral("%ЛЕНИНА%"),
                            QStringLiteral("%ЛЕНИНА 12%"),
                            QStringLiteral("%ЛЕНИНА 12%-4%"),
                            QStringLiteral("%12345%"),
                            QStringLiteral("%1%"),
                            QStringLiteral("%ё%"),
                            QStringLiteral("%ЛЁН%"),
                            QStringLiteral("%лен%"),
                            QStringLiteral("%№1%"),
                            QStringLiteral("%«№%"),
                            QStringLiteral("%кел%"),
                            QStringLiteral("%стр%"),
                            QStringLiteral("%вдо%"),
                            QStringLiteral("%12.5%"),
                            QStringLiteral("%00000%"),
                            QStringLiteral("%12-3%"),
                            QStringLiteral("12345_"),
                            QStringLiteral("%в Н%"),
                            QStringLiteral("ЛЕНИНА%"),
                            QStringLiteral("%-4"),
                            QStringLiteral("%%%"),
                            QStringLiteral(""),
                            QStringLiteral("%a_b%")};
    int indexed = 0;
    for (const QString& column : kColumns) {
        for (const QString& pattern : fixed) {
            indexed += expectSameAsScan(column, pattern) ? 1 : 0;
        }
    }
    std::mt19937 random(12);
    for (const QString& text : sampleTexts(60)) {
        for (const QString& column : kColumns) {
            indexed += expectSameAsScan(column, CutPattern(text, random)) ? 1 : 0;
        }
    }
    // Most patterns above hold a run of three characters.
    EXPECT_GT(indexed, 200);
}

// Other tools change the file through the triggers: the sqlite3 shell inserts, updates,
// replaces and deletes, and the searches see it exactly as the scan does.
TEST_F(SearchIndexTest, ChangesMadeByTheSqliteShellAreFound) {
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty()) {
        GTEST_SKIP() << "no sqlite3 shell on this machine";
    }
    const QString oldFio = ids(QStringLiteral("SELECT fio FROM tel WHERE ID = 5")).value(0);
    // The connection holds the file's texts before the shell changes it.
    ids(QStringLiteral("SELECT ID FROM tel WHERE fio LIKE '%ов%' ORDER BY Name"));
    QProcess process;
    process.start(shell, {folder().databasePath()});
    process.write(R"sql(
INSERT INTO tel(tel, fio, Name) VALUES (777123, 'Шеллов Щ.Щ.', 'ЗАРЕЧНАЯ 1-2');
UPDATE tel SET fio = 'Обновлённая А.А.', tel = 654321 WHERE ID = 5;
DELETE FROM tel WHERE ID = 7;
INSERT OR REPLACE INTO tel(ID, tel, fio, Name) VALUES (9, 555, 'Заменённый Б.Б.', 'НОВАЯ 3');
UPDATE tel SET Name = 'ᲀᲁᲂ 4' WHERE ID = 11;
)sql");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

    struct Case {
        const char* column;
        const char* pattern;
        qsizetype rows;
    };
    const Case cases[] = {{"fio", "%шеллов%", 1},   {"fio", "%ОБНОВЛЁННАЯ%", 1},
                          {"tel", "%654321%", 1},   {"fio", "%Заменённый%", 1},
                          {"Name", "%НОВАЯ 3%", 1}, {"tel", "%777123%", 1},
                          {"Name", "%вдо%", 1}};
    for (const Case& each : cases) {
        const QString column = QString::fromUtf8(each.column);
        const QString pattern = QString::fromUtf8(each.pattern);
        EXPECT_TRUE(expectSameAsScan(column, pattern)) << each.pattern;
        EXPECT_EQ(ids(SearchText(column, pattern, false)).size(), each.rows) << each.pattern;
    }
    EXPECT_TRUE(expectSameAsScan(QStringLiteral("fio"), u'%' + oldFio.left(8) + u'%'));
    SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadOnly);
    EXPECT_TRUE(search_index::HoldsSearchIndex(database));
}

TEST_F(SearchIndexTest, AnIndexAnotherToolChangedIsNotUsed) {
    {
        SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadWrite);
        database.exec("DROP TRIGGER tel_search_update");
        database.exec("UPDATE tel SET fio = 'Непроиндексированный' WHERE ID = 3");
    }
    EXPECT_FALSE(expectSameAsScan(QStringLiteral("fio"), QStringLiteral("%Непроиндекс%")));
    EXPECT_EQ(ids(SearchText(QStringLiteral("fio"), QStringLiteral("%Непроиндекс%"), false)),
              QStringList{QStringLiteral("3")});
}

// A row written while the index's triggers were off (the sqlite3 shell's ".dbconfig
// enable_trigger off") is missing from the index. The searches see that the index holds fewer
// rows than the table and leave it unused, so they still find the row as the scan does.
TEST_F(SearchIndexTest, AnIndexThatMissedARowIsNotTrusted) {
    ids(QStringLiteral("SELECT ID FROM tel WHERE fio LIKE '%ов%' ORDER BY Name"));
    {
        SqliteDatabase database(folder().databasePath(), SqliteOpenMode::ReadWrite);
        sqlite3_db_config(database.handle(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
        database.exec("INSERT INTO tel(tel, fio, Name) VALUES (777, 'Безындексов Б.Б.', "
                      "'ЛЕНИНА 7')");
    }
    const QString pattern = QStringLiteral("%безындекс%");
    EXPECT_FALSE(expectSameAsScan(QStringLiteral("fio"), pattern));
    EXPECT_EQ(ids(SearchText(QStringLiteral("fio"), pattern, false)).size(), 1);
}

// Which texts read the index, on a file that has it.
TEST_F(SearchIndexTest, OnlyPlainSearchesWithARunOfThreeCharactersReadTheIndex) {
    struct Case {
        const char* sql;
        bool indexed;
    };
    const Case cases[] = {
        {"SELECT ID, tel, fio, Name, Story FROM tel WHERE Name LIKE'%ЛЕН%' ORDER BY Name", true},
        {"select * from tel where fio like '%иван%';", true},
        {"SELECT ID FROM tel WHERE tel.tel LIKE '%123%' ORDER BY Name DESC", true},
        {"SELECT ID FROM tel WHERE Name LIKE '%ЛЕ%' ORDER BY Name", false},
        {"SELECT ID FROM tel WHERE Name LIKE '%Л_Н%'", false},
        {"SELECT ID FROM tel WHERE Story LIKE '%ЛЕН%'", false},
        {"SELECT ID FROM tel WHERE Name LIKE '%ЛЕН%' AND fio = 'x'", false},
        {"SELECT ID FROM tel WHERE NOT Name LIKE '%ЛЕН%'", false},
        {"SELECT ID FROM tel WHERE Name LIKE '%ЛЕН%' ESCAPE '!'", false},
        {"SELECT ID FROM tel WHERE Name LIKE '%ЛЕН%' UNION SELECT 1", false},
        {"SELECT ID FROM tel WHERE Name LIKE ?", false},
        {"SELECT (SELECT 1) FROM tel WHERE Name LIKE '%ЛЕН%'", false},
        {"SELECT ID FROM tel t WHERE Name LIKE '%ЛЕН%'", false},
        {"SELECT ID FROM other WHERE Name LIKE '%ЛЕН%'", false},
        {"SELECT ID FROM tel WHERE Name LIKE '%ᲀᲁᲂ%'", false},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(usesIndex(QString::fromUtf8(each.sql)), each.indexed) << each.sql;
    }
}

TEST(TrigramQueryTest, CoversTheLongestRunOnce) {
    EXPECT_EQ(TrigramQuery(QStringLiteral("%ЛЕНИНА 12%-4")),
              QStringLiteral("\"ЛЕН\" AND \"ИНА\" AND \" 12\""));
    EXPECT_EQ(TrigramQuery(QStringLiteral("ЛЕНИНА 1%")),
              QStringLiteral("\"ЛЕН\" AND \"ИНА\" AND \"А 1\""));
    EXPECT_EQ(TrigramQuery(QStringLiteral("%12345%")), QStringLiteral("\"123\" AND \"345\""));
    EXPECT_EQ(TrigramQuery(QStringLiteral("%a\"b%")), QStringLiteral("\"a\"\"b\""));
    EXPECT_EQ(TrigramQuery(QStringLiteral("%ab_cd%")), QString());
    EXPECT_EQ(TrigramQuery(QStringLiteral("%abᲀcd%")), QString());
}

// Every indexable character folds in the trigram table exactly as LIKE folds it, so that a
// trigram of indexable characters finds every text LIKE would match.
TEST(SearchIndexFoldingTest, TrigramTablesFoldIndexableCharactersAsLikeDoes) {
    SqliteDatabase database(QStringLiteral(":memory:"), SqliteOpenMode::Create);
    database.exec("CREATE VIRTUAL TABLE t USING fts5(v, content='', detail=none, columnsize=0, "
                  "tokenize='trigram')");
    std::vector<char32_t> characters;
    for (char32_t c = 1; c < 0x2200; ++c) {
        if (search_index::IsIndexableCharacter(c)) {
            characters.push_back(c);
        }
    }
    SqliteStatement insert = database.prepare("INSERT INTO t(rowid, v) VALUES (?1, ?2)");
    for (const char32_t c : characters) {
        insert.bindInt64(1, c);
        insert.bindText(2, u'a' + QString::fromUcs4(&c, 1) + u'b');
        insert.step();
        insert.reset();
    }
    SqliteStatement find = database.prepare("SELECT rowid FROM t WHERE t MATCH ?1");
    for (const char32_t c : characters) {
        QString phrase = u'a' + QString::fromUcs4(&c, 1) + u'b';
        phrase.replace(u'"', QStringLiteral("\"\""));
        find.bindText(1, u'"' + phrase + u'"');
        std::vector<std::int64_t> found;
        while (find.step()) {
            found.push_back(find.columnInt64(0));
        }
        find.reset();
        std::vector<std::int64_t> expected;
        const std::string folded = CaseFolded(QString::fromUcs4(&c, 1).toStdString());
        for (const char32_t d : characters) {
            if (CaseFolded(QString::fromUcs4(&d, 1).toStdString()) == folded) {
                expected.push_back(d);
            }
        }
        EXPECT_EQ(found, expected) << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

} // namespace
