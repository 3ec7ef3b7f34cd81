#include "platform/db/ColumnKind.h"

#include "platform/db/AdoConstants.h"

#include <QRegularExpression>
#include <QStringList>

#include <limits>

namespace {

// The sizes ADO reports for text without a limit and for binary data.
constexpr long kMemoSize = 536870910;
constexpr long kBinarySize = 2147483647;
// Text without a declared length: SQLite sets no limit, and the value of an expression has
// none either; both are reported as variable-length text of the usual 255 characters.
constexpr long kUnsizedTextSize = 255;
constexpr int kDefaultNumericPrecision = 18;

ColumnKind Fixed(int type, long size, int precision) {
    return {type, size, precision, 0, ado::adFldFixed};
}

ColumnKind Text(int type, long size, bool fixed) {
    return {type, size, 0, 0, fixed ? ado::adFldFixed : 0};
}

ColumnKind Memo() {
    return {ado::adLongVarWChar, kMemoSize, 0, 0, ado::adFldLong};
}

ColumnKind Binary() {
    return {ado::adLongVarBinary, kBinarySize, 0, 0, ado::adFldLong};
}

struct DeclaredType {
    QString name;     // upper case, single blanks
    QList<int> sizes; // the numbers in parentheses
};

// Variable-length text of the declared length, or of the usual length when none is given
// (what the sqlite3 shell and most SQLite tools write: TEXT, VARCHAR, NVARCHAR).
ColumnKind VariableText(const DeclaredType& type) {
    return Text(ado::adVarWChar, type.sizes.isEmpty() ? kUnsizedTextSize : type.sizes.front(),
                false);
}

DeclaredType Parse(const QString& declared) {
    static const QRegularExpression pattern(QStringLiteral(R"(^\s*([^(]*?)\s*(?:\((.*)\))?\s*$)"));
    const QRegularExpressionMatch match = pattern.match(declared);
    DeclaredType type;
    type.name = match.captured(1).simplified().toUpper();
    for (const QString& part : match.captured(2).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int size = part.trimmed().toInt(&ok);
        if (ok) {
            type.sizes.append(size);
        }
    }
    return type;
}

bool IsOneOf(const QString& name, std::initializer_list<const char16_t*> names) {
    for (const char16_t* candidate : names) {
        if (name == QStringView(candidate)) {
            return true;
        }
    }
    return false;
}

ColumnKind IntegerKind(const QString& name) {
    if (IsOneOf(name, {u"BIGINT", u"INT8", u"UNSIGNED BIG INT"})) {
        return Fixed(ado::adBigInt, 8, 19);
    }
    if (IsOneOf(name, {u"SMALLINT", u"INT2"})) {
        return Fixed(ado::adSmallInt, 2, 5);
    }
    if (name == u"TINYINT") {
        return Fixed(ado::adTinyInt, 1, 3);
    }
    return Fixed(ado::adInteger, 4, 10);
}

// SQLite's affinity rules, in their order, for the types not named above.
ColumnKind KindByAffinity(const DeclaredType& type) {
    const QString& name = type.name;
    if (name.contains(u"INT")) {
        return IntegerKind(name);
    }
    if (name.contains(u"CLOB")) {
        return Memo();
    }
    if (name.contains(u"CHAR") || name.contains(u"TEXT")) {
        return VariableText(type);
    }
    if (name.isEmpty() || name.contains(u"BLOB")) {
        return Binary();
    }
    if (name.contains(u"REAL") || name.contains(u"FLOA") || name.contains(u"DOUB")) {
        return Fixed(ado::adDouble, 8, 15);
    }
    return {ado::adNumeric, 19, kDefaultNumericPrecision, 0, ado::adFldFixed};
}

} // namespace

ColumnKind KindOfDeclaredType(const QString& declaredType) {
    const DeclaredType type = Parse(declaredType);
    const QString& name = type.name;
    const bool sized = !type.sizes.isEmpty();
    if (IsOneOf(name, {u"VARCHAR", u"NVARCHAR", u"VARCHAR2", u"NVARCHAR2", u"TEXT", u"CHAR VARYING",
                       u"CHARACTER VARYING", u"VARYING CHARACTER", u"NATIONAL VARYING CHARACTER",
                       u"NATIONAL CHARACTER VARYING"})) {
        return VariableText(type);
    }
    if (IsOneOf(name,
                {u"CHAR", u"NCHAR", u"CHARACTER", u"NATIVE CHARACTER", u"NATIONAL CHARACTER"})) {
        return Text(ado::adWChar, sized ? type.sizes.front() : 1, true);
    }
    if (IsOneOf(name, {u"CLOB", u"NTEXT", u"LONGTEXT", u"MEDIUMTEXT"})) {
        return Memo();
    }
    if (IsOneOf(name, {u"NUMERIC", u"DECIMAL"})) {
        const int precision = sized ? type.sizes.front() : kDefaultNumericPrecision;
        const int scale = type.sizes.size() > 1 ? type.sizes[1] : 0;
        return {ado::adNumeric, 19, precision, scale, ado::adFldFixed};
    }
    if (IsOneOf(name, {u"BOOLEAN", u"BOOL"})) {
        return Fixed(ado::adBoolean, 2, 1);
    }
    if (IsOneOf(name, {u"REAL", u"DOUBLE", u"DOUBLE PRECISION", u"FLOAT"})) {
        return Fixed(ado::adDouble, 8, 15);
    }
    return KindByAffinity(type);
}

ColumnKind KindOfValue(const StoredValue& value) {
    switch (value.type) {
    case StoredType::Integer:
        return value.integer >= std::numeric_limits<std::int32_t>::min() &&
                       value.integer <= std::numeric_limits<std::int32_t>::max()
                   ? Fixed(ado::adInteger, 4, 10)
                   : Fixed(ado::adBigInt, 8, 19);
    case StoredType::Real:
        return Fixed(ado::adDouble, 8, 15);
    case StoredType::Blob:
        return Binary();
    case StoredType::Text:
    case StoredType::Null:
        break;
    }
    return Text(ado::adVarWChar, kUnsizedTextSize, false);
}
