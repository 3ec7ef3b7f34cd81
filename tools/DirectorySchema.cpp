#include "tools/DirectorySchema.h"

#include "data/FieldDef.h"
#include "data/TAutoIncField.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/db/AdoRecordset.h"
#include "platform/db/ColumnKind.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/db/SqliteStatement.h"

#include <QHash>

#include <algorithm>
#include <memory>

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

// The field kind the program gives a column of this declared type, by the provider's and the
// data set's own rules; the program refuses to open a column its field does not accept.
TFieldType ProgramFieldType(const ColumnInfo& column, bool isKey) {
    const ColumnKind kind = KindOfDeclaredType(column.declaredType);
    AdoFieldInfo info;
    info.type = kind.type;
    info.definedSize = kind.definedSize;
    info.attributes = kind.attributes;
    info.precision = kind.precision;
    info.numericScale = kind.numericScale;
    info.isAutoIncrement = isKey;
    return FieldTypeOfColumn(info, true);
}

// What keeps ID from being the table's INTEGER PRIMARY KEY, which SQLite gives its values
// and through which both the tool and the program write rows; empty when nothing does.
QString KeyProblem(const QHash<QString, ColumnInfo>& columns) {
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

} // namespace

void CreateDirectorySchema(SqliteDatabase& database) {
    database.exec(kCreateTable);
}

QString DirectorySchemaProblem(SqliteDatabase& database) {
    const QHash<QString, ColumnInfo> columns = TelColumns(database);
    if (columns.isEmpty()) {
        return QStringLiteral("it has no table tel");
    }
    // The program's fields for the columns: what they accept is what the program opens.
    struct Expected {
        const char* column;
        std::unique_ptr<TField> field;
    };
    Expected expected[] = {{"ID", std::make_unique<TAutoIncField>()},
                           {"tel", std::make_unique<TFloatField>()},
                           {"fio", std::make_unique<TWideStringField>()},
                           {"Name", std::make_unique<TWideStringField>()},
                           {"Story", std::make_unique<TWideStringField>()}};
    for (const Expected& entry : expected) {
        const QString name = QString::fromLatin1(entry.column);
        const auto found = columns.constFind(name.toUpper());
        if (found == columns.cend()) {
            return QStringLiteral("table tel has no column %1").arg(name);
        }
        const TFieldType type = ProgramFieldType(*found, found->primaryKey);
        if (!entry.field->AcceptsType(type)) {
            return QStringLiteral(
                       "column %1 of table tel is declared %2, which reads as %3, not %4")
                .arg(name,
                     found->declaredType.isEmpty() ? QStringLiteral("without a type")
                                                   : found->declaredType,
                     FieldTypeName(type), FieldTypeName(entry.field->DataType()));
        }
    }
    return KeyProblem(columns);
}
