#include "data/FieldDef.h"

#include "platform/db/AdoConstants.h"
#include "platform/db/AdoRecordset.h"

#include <algorithm>

namespace {

TFieldType IntegerType(const AdoFieldInfo& column, TFieldType plain) {
    return column.isAutoIncrement ? ftAutoInc : plain;
}

TFieldType DecimalType(const AdoFieldInfo& column, bool enableBcd) {
    // A whole-number decimal narrow enough for 32 bits is an integer column.
    if (column.numericScale == 0 && column.precision < 10) {
        return ftInteger;
    }
    return enableBcd ? ftBCD : ftFloat;
}

TFieldType TextType(const AdoFieldInfo& column, bool wide) {
    const bool isLong = column.type == ado::adLongVarChar || column.type == ado::adLongVarWChar ||
                        (column.attributes & ado::adFldLong) != 0;
    if (isLong) {
        return wide ? ftWideMemo : ftMemo;
    }
    const bool isFixed = column.type == ado::adChar || column.type == ado::adWChar ||
                         (column.attributes & ado::adFldFixed) != 0;
    if (isFixed) {
        return wide ? ftFixedWideChar : ftFixedChar;
    }
    return wide ? ftWideString : ftString;
}

bool IsTextType(TFieldType type) {
    return type == ftString || type == ftWideString || type == ftFixedChar ||
           type == ftFixedWideChar;
}

bool NameTaken(const std::vector<TFieldDef>& defs, const QString& name) {
    return std::any_of(defs.begin(), defs.end(), [&](const TFieldDef& def) {
        return def.Name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

QString UniqueName(const std::vector<TFieldDef>& defs, const QString& name, int columnNumber) {
    if (name.isEmpty()) {
        return QStringLiteral("COLUMN%1").arg(columnNumber);
    }
    if (!NameTaken(defs, name)) {
        return name;
    }
    for (int counter = 1;; ++counter) {
        const QString candidate = QStringLiteral("%1_%2").arg(name).arg(counter);
        if (!NameTaken(defs, candidate)) {
            return candidate;
        }
    }
}

} // namespace

TFieldType FieldTypeOfColumn(const AdoFieldInfo& column, bool enableBcd) {
    switch (column.type) {
    case ado::adTinyInt:
    case ado::adSmallInt:
        return IntegerType(column, ftSmallint);
    case ado::adUnsignedTinyInt:
        return IntegerType(column, ftWord);
    case ado::adInteger:
        return IntegerType(column, ftInteger);
    case ado::adBigInt:
        return ftLargeint;
    case ado::adBoolean:
        return ftBoolean;
    case ado::adSingle:
    case ado::adDouble:
        return ftFloat;
    case ado::adCurrency:
        return ftCurrency;
    case ado::adDecimal:
    case ado::adNumeric:
        return DecimalType(column, enableBcd);
    case ado::adDate:
        return ftDateTime;
    case ado::adChar:
    case ado::adVarChar:
    case ado::adLongVarChar:
        return TextType(column, false);
    case ado::adWChar:
    case ado::adVarWChar:
    case ado::adLongVarWChar:
        return TextType(column, true);
    case ado::adLongVarBinary:
        return ftBlob;
    default:
        return ftUnknown;
    }
}

std::vector<TFieldDef> BuildFieldDefs(const AdoRecordset& recordset, bool enableBcd) {
    std::vector<TFieldDef> defs;
    const int count = recordset.fieldCount();
    defs.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const AdoFieldInfo column = recordset.field(i);
        TFieldDef def;
        def.Name = UniqueName(defs, column.name, i + 1);
        def.DataType = FieldTypeOfColumn(column, enableBcd);
        def.Size = IsTextType(def.DataType) ? static_cast<int>(column.definedSize) : 0;
        const bool updatable =
            (column.attributes & (ado::adFldUpdatable | ado::adFldUnknownUpdatable)) != 0;
        def.ReadOnly = !updatable || def.DataType == ftAutoInc;
        def.Column = i;
        defs.push_back(std::move(def));
    }
    return defs;
}
