#include "directory/SearchIndexSchema.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <QStringList>

#include <array>
#include <memory>
#include <utility>

namespace search_index {
namespace {

// The indexable characters, as ranges of code points. Case pairs exist only among ASCII
// letters and the Cyrillic letters; the others are marks without case.
constexpr std::array<std::pair<char32_t, char32_t>, 6> kIndexable{{
    {0x01, 0x7F},     // ASCII
    {0xA0, 0xA0},     // no-break space
    {0xAB, 0xAB},     // «
    {0xBB, 0xBB},     // »
    {0x400, 0x45F},   // Cyrillic: Ѐ..Я, а..я, ѐ..џ (Ё and ё among them)
    {0x2010, 0x2027}, // dashes, quotes, bullets, the ellipsis
}};
constexpr char32_t kNumeroSign = 0x2116; // №

// A column of a row of `tel`: `row` is "new.", "old." or "" (the table's own row).
QString Column(const QString& row, const QString& column) {
    return row + column;
}

// The text of tel as LIKE reads it, where SQLite's own text of the value differs: a whole
// number below 1e15 as its digits, without SQLite's ".0".
QString TelText(const QString& row) {
    const QString tel = Column(row, QStringLiteral("tel"));
    return QStringLiteral("CASE WHEN typeof(%1) = 'real' AND abs(%1) < 1e15 AND %1 = CAST(%1 AS "
                          "INTEGER) THEN CAST(CAST(%1 AS INTEGER) AS TEXT) ELSE %1 END")
        .arg(tel);
}

// The indexed text of a column.
QString IndexedText(const QString& row, const QString& column) {
    return column == u"tel" ? TelText(row) : Column(row, column);
}

// The GLOB class of the characters that are not indexable: [^...].
QString OtherCharacterClass() {
    QStringList parts{QStringLiteral("'*[^'")};
    for (const auto& [first, last] : kIndexable) {
        parts << QStringLiteral("char(%1)").arg(first);
        if (last != first) {
            parts << QStringLiteral("'-'") << QStringLiteral("char(%1)").arg(last);
        }
    }
    parts << QStringLiteral("char(%1)").arg(kNumeroSign) << QStringLiteral("']*'");
    return parts.join(QStringLiteral(" || "));
}

// True for a text holding a character that is not indexable.
QString HasOtherCharacter(const QString& value) {
    return QStringLiteral("%1 GLOB %2").arg(value, OtherCharacterClass());
}

// True for a row the trigram tables do not answer for.
QString IsRestRow(const QString& row) {
    const QString tel = Column(row, QStringLiteral("tel"));
    return QStringLiteral("(typeof(%1) = 'real' AND NOT (abs(%1) < 1e15 AND %1 = CAST(%1 AS "
                          "INTEGER) AND %1 <> 0)) OR typeof(%1) = 'blob' OR %2 OR %3 OR %4")
        .arg(tel, HasOtherCharacter(tel), HasOtherCharacter(Column(row, QStringLiteral("fio"))),
             HasOtherCharacter(Column(row, QStringLiteral("Name"))));
}

QString CreateTrigramTable(const QString& column) {
    return QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(%2, content='', detail=none, "
                          "columnsize=0, tokenize='trigram')")
        .arg(TrigramTable(column), column);
}

QString CreateRestTable() {
    return QStringLiteral("CREATE TABLE %1 (ID INTEGER PRIMARY KEY)")
        .arg(QLatin1String(kRestTable));
}

// Adds the row `row` to every table of the index. A rest row already listed (a REPLACE that
// deleted its predecessor without the delete trigger) is not listed twice.
QString AddRow(const QString& row) {
    QString body;
    for (const QString& column : IndexedColumns()) {
        body += QStringLiteral("    INSERT INTO %1(rowid, %2) VALUES (%3ID, %4);\n")
                    .arg(TrigramTable(column), column, row, IndexedText(row, column));
    }
    body += QStringLiteral("    INSERT INTO %1(ID) SELECT %2ID WHERE (%3) AND NOT EXISTS "
                           "(SELECT 1 FROM %1 WHERE ID = %2ID);\n")
                .arg(QLatin1String(kRestTable), row, IsRestRow(row));
    return body;
}

// Takes the row `row` out of every table of the index, with the values it was added with.
QString RemoveRow(const QString& row) {
    QString body;
    for (const QString& column : IndexedColumns()) {
        body += QStringLiteral("    INSERT INTO %1(%1, rowid, %2) VALUES ('delete', %3ID, %4);\n")
                    .arg(TrigramTable(column), column, row, IndexedText(row, column));
    }
    body +=
        QStringLiteral("    DELETE FROM %1 WHERE ID = %2ID;\n").arg(QLatin1String(kRestTable), row);
    return body;
}

QString CreateLogTable() {
    return QStringLiteral(
               "CREATE TABLE %1 (seq INTEGER PRIMARY KEY AUTOINCREMENT, row INTEGER NOT NULL)")
        .arg(QLatin1String(kLogTable));
}

// Notes the row `row` in the change log, and drops the entries older than the log keeps.
QString LogRow(const QString& row) {
    return QStringLiteral("    INSERT INTO %1(row) VALUES (%2ID);\n")
        .arg(QLatin1String(kLogTable), row);
}

// The new ID of an update that moved the row, noted besides the old one.
QString MovedRowLog() {
    return QStringLiteral("    INSERT INTO %1(row) SELECT new.ID WHERE new.ID IS NOT old.ID;\n")
        .arg(QLatin1String(kLogTable));
}

QString TrimLog() {
    return QStringLiteral("    DELETE FROM %1 WHERE seq <= (SELECT max(seq) FROM %1) - %2;\n")
        .arg(QLatin1String(kLogTable))
        .arg(kLogEntriesKept);
}

QString CreateTrigger(const QString& name, const QString& event, const QString& body) {
    return QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON tel BEGIN\n%3END").arg(name, event, body);
}

std::vector<SchemaObject> BuildSchemaObjects() {
    std::vector<SchemaObject> objects;
    for (const QString& column : IndexedColumns()) {
        objects.push_back(
            {QStringLiteral("table"), TrigramTable(column), CreateTrigramTable(column)});
    }
    objects.push_back({QStringLiteral("table"), QLatin1String(kRestTable), CreateRestTable()});
    objects.push_back({QStringLiteral("table"), QLatin1String(kLogTable), CreateLogTable()});
    const QString newRow = QStringLiteral("new.");
    const QString oldRow = QStringLiteral("old.");
    objects.push_back({QStringLiteral("trigger"), QStringLiteral("tel_search_insert"),
                       CreateTrigger(QStringLiteral("tel_search_insert"), QStringLiteral("INSERT"),
                                     AddRow(newRow) + LogRow(newRow) + TrimLog())});
    objects.push_back({QStringLiteral("trigger"), QStringLiteral("tel_search_delete"),
                       CreateTrigger(QStringLiteral("tel_search_delete"), QStringLiteral("DELETE"),
                                     RemoveRow(oldRow) + LogRow(oldRow) + TrimLog())});
    objects.push_back({QStringLiteral("trigger"), QStringLiteral("tel_search_update"),
                       CreateTrigger(QStringLiteral("tel_search_update"), QStringLiteral("UPDATE"),
                                     RemoveRow(oldRow) + AddRow(newRow) + LogRow(oldRow) +
                                         MovedRowLog() + TrimLog())});
    return objects;
}

} // namespace

bool IsIndexableCharacter(char32_t c) {
    for (const auto& [first, last] : kIndexable) {
        if (c >= first && c <= last) {
            return true;
        }
    }
    return c == kNumeroSign;
}

QString TrigramTable(const QString& column) {
    return QStringLiteral("tel_search_") + column;
}

const std::vector<QString>& IndexedColumns() {
    static const std::vector<QString> columns{QStringLiteral("tel"), QStringLiteral("fio"),
                                              QStringLiteral("Name")};
    return columns;
}

const std::vector<SchemaObject>& SchemaObjects() {
    static const std::vector<SchemaObject> objects = BuildSchemaObjects();
    return objects;
}

QString FillStatement(const QString& column) {
    if (column.isEmpty()) {
        return QStringLiteral("INSERT INTO %1(ID) SELECT ID FROM tel WHERE ID BETWEEN ?1 AND ?2 "
                              "AND (%2)")
            .arg(QLatin1String(kRestTable), IsRestRow(QString()));
    }
    return QStringLiteral("INSERT INTO %1(rowid, %2) SELECT ID, %3 FROM tel WHERE ID BETWEEN ?1 "
                          "AND ?2")
        .arg(TrigramTable(column), column, IndexedText(QString(), column));
}

bool HoldsSearchIndex(SqliteDatabase& database) {
    try {
        SqliteStatement statement =
            database.prepare("SELECT sql FROM main.sqlite_master WHERE type = ?1 AND name = ?2");
        for (const SchemaObject& object : SchemaObjects()) {
            statement.bindText(1, object.type);
            statement.bindText(2, object.name);
            if (!statement.step() || statement.columnText(0) != object.sql) {
                return false;
            }
            statement.reset();
        }
        return true;
    } catch (const ESqliteError&) {
        return false;
    }
}

namespace {

// Reads an SQLite varint (big-endian, seven bits a byte while the top bit is set, the ninth
// byte whole) at `at`, moving `at` past it; nothing when the bytes end first.
std::optional<std::int64_t> ReadVarint(const unsigned char* bytes, int size, int& at) {
    std::uint64_t value = 0;
    for (int i = 0; i < 9 && at < size; ++i) {
        const unsigned char byte = bytes[at++];
        if (i == 8) {
            return static_cast<std::int64_t>((value << 8) | byte);
        }
        value = (value << 7) | (byte & 0x7fU);
        if ((byte & 0x80U) == 0) {
            return static_cast<std::int64_t>(value);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<TrigramTotals> TrigramTableTotals(SqliteDatabase& database, const QString& column) {
    SqliteStatement statement = database.prepare(
        QStringLiteral("SELECT block FROM main.%1_data WHERE id = 1").arg(TrigramTable(column)));
    if (!statement.step() || statement.columnType(0) != SqliteType::Blob) {
        return std::nullopt;
    }
    // FTS5's "averages" record: the rows the table holds, then the trigrams of its one column.
    // An empty record is an empty table.
    const std::string_view record = statement.columnBytes(0);
    const auto* block = reinterpret_cast<const unsigned char*>(record.data());
    const auto size = static_cast<int>(record.size());
    if (size == 0) {
        return TrigramTotals{};
    }
    int at = 0;
    const std::optional<std::int64_t> rows = ReadVarint(block, size, at);
    const std::optional<std::int64_t> trigrams = ReadVarint(block, size, at);
    if (!rows || !trigrams) {
        return std::nullopt;
    }
    return TrigramTotals{*rows, *trigrams};
}

QString TrigramCountQuery(const QString& column) {
    return QStringLiteral("SELECT coalesce(sum(max(length(%1) - 2, 0)), 0) FROM main.tel")
        .arg(IndexedText(QString(), column));
}

std::optional<std::int64_t> IndexedRowCount(SqliteDatabase& database) {
    std::optional<std::int64_t> count;
    for (const QString& column : IndexedColumns()) {
        const std::optional<TrigramTotals> totals = TrigramTableTotals(database, column);
        if (!totals || (count && totals->rows != *count)) {
            return std::nullopt;
        }
        count = totals->rows;
    }
    return count;
}

bool IndexCoversTable(SqliteDatabase& database, std::int64_t tableRows) {
    if (!HoldsSearchIndex(database)) {
        return false;
    }
    const std::optional<std::int64_t> indexed = IndexedRowCount(database);
    return indexed && *indexed >= tableRows;
}

} // namespace search_index
