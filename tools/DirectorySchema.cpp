#include "tools/DirectorySchema.h"

#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <QHash>

#include <algorithm>

namespace {

// The three texts hold at most 255 characters; no custom collation or function is used, so
// the standard sqlite3 shell reads and writes the file.
constexpr const char* kCreateTable = R"sql(
CREATE TABLE tel (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    tel REAL,
    fio VARCHAR(255) CHECK (length(fio) <= 255),
    Name VARCHAR(255) CHECK (length(Name) <= 255),
    Story VARCHAR(255) CHECK (length(Story) <= 255)
))sql";

enum class Affinity { Integer, Text, Blob, Real, Numeric };

// SQLite's rules for the affinity of a declared column type.
Affinity AffinityOf(const QString& declaredType) {
    const QString type = declaredType.toUpper();
    if (type.contains(u"INT")) {
        return Affinity::Integer;
    }
    if (type.contains(u"CHAR") || type.contains(u"CLOB") || type.contains(u"TEXT")) {
        return Affinity::Text;
    }
    if (type.isEmpty() || type.contains(u"BLOB")) {
        return Affinity::Blob;
    }
    if (type.contains(u"REAL") || type.contains(u"FLOA") || type.contains(u"DOUB")) {
        return Affinity::Real;
    }
    return Affinity::Numeric;
}

struct ColumnInfo {
    QString declaredType;
    bool primaryKey = false;
};

// The columns of `tel` by upper-case name (SQLite column names ignore letter case).
QHash<QString, ColumnInfo> TelColumns(SqliteDatabase& database) {
    SqliteStatement statement = database.prepare("PRAGMA table_info(tel)");
    QHash<QString, ColumnInfo> columns;
    while (statement.step()) {
        columns.insert(statement.columnText(1).toUpper(),
                       ColumnInfo{statement.columnText(2), statement.columnInt64(5) != 0});
    }
    return columns;
}

} // namespace

void CreateDirectorySchema(SqliteDatabase& database) {
    database.exec(kCreateTable);
}

QString DirectorySchemaProblem(SqliteDatabase& database) {
    const QHash<QString, ColumnInfo> columns = TelColumns(database);
    if (columns.isEmpty()) {
        return QStringLiteral("it has no table tel");
    }
    struct Expected {
        const char* name;
        Affinity affinity;
        const char* kind;
    };
    static const Expected kExpected[] = {{"ID", Affinity::Integer, "an integer"},
                                         {"tel", Affinity::Real, "a REAL"},
                                         {"fio", Affinity::Text, "a text"},
                                         {"Name", Affinity::Text, "a text"},
                                         {"Story", Affinity::Text, "a text"}};
    for (const Expected& expected : kExpected) {
        const QString name = QString::fromLatin1(expected.name);
        const auto found = columns.constFind(name.toUpper());
        if (found == columns.cend()) {
            return QStringLiteral("table tel has no column %1").arg(name);
        }
        if (AffinityOf(found->declaredType) != expected.affinity) {
            return QStringLiteral("column %1 of table tel is not %2 column")
                .arg(name, QString::fromLatin1(expected.kind));
        }
    }
    // Only a sole INTEGER PRIMARY KEY column is given its value by SQLite.
    const ColumnInfo id = columns.value(QStringLiteral("ID"));
    const auto keyColumns =
        std::count_if(columns.cbegin(), columns.cend(),
                      [](const ColumnInfo& column) { return column.primaryKey; });
    if (!id.primaryKey || keyColumns != 1 ||
        id.declaredType.compare(u"INTEGER", Qt::CaseInsensitive) != 0) {
        return QStringLiteral("column ID of table tel is not an INTEGER PRIMARY KEY");
    }
    return {};
}
