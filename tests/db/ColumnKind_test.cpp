#include "platform/db/ColumnKind.h"

#include "platform/db/AdoConstants.h"

#include <gtest/gtest.h>

namespace {

TEST(ColumnKindTest, DeclaredTypesGiveTheirAdoKinds) {
    struct Case {
        const char* declared;
        int type;
        long size;
        int precision;
        int scale;
        long attributes;
    };
    constexpr long kMemo = 536870910;
    const Case cases[] = {
        {"INTEGER", ado::adInteger, 4, 10, 0, ado::adFldFixed},
        {"int", ado::adInteger, 4, 10, 0, ado::adFldFixed},
        {"BIGINT", ado::adBigInt, 8, 19, 0, ado::adFldFixed},
        {"SMALLINT", ado::adSmallInt, 2, 5, 0, ado::adFldFixed},
        {"REAL", ado::adDouble, 8, 15, 0, ado::adFldFixed},
        {"DOUBLE PRECISION", ado::adDouble, 8, 15, 0, ado::adFldFixed},
        {"FLOAT", ado::adDouble, 8, 15, 0, ado::adFldFixed},
        {"VARCHAR(255)", ado::adVarWChar, 255, 0, 0, 0},
        {"nvarchar ( 40 )", ado::adVarWChar, 40, 0, 0, 0},
        {"TEXT(80)", ado::adVarWChar, 80, 0, 0, 0},
        {"CHARACTER VARYING(12)", ado::adVarWChar, 12, 0, 0, 0},
        {"CHAR(10)", ado::adWChar, 10, 0, 0, ado::adFldFixed},
        {"NCHAR(3)", ado::adWChar, 3, 0, 0, ado::adFldFixed},
        // Without a length, the variable texts other tools write stay variable texts.
        {"TEXT", ado::adVarWChar, 255, 0, 0, 0},
        {"text", ado::adVarWChar, 255, 0, 0, 0},
        {"VARCHAR", ado::adVarWChar, 255, 0, 0, 0},
        {"NVARCHAR", ado::adVarWChar, 255, 0, 0, 0},
        {"TINYTEXT", ado::adVarWChar, 255, 0, 0, 0},
        // The long-text declarations are memos.
        {"CLOB", ado::adLongVarWChar, kMemo, 0, 0, ado::adFldLong},
        {"NTEXT", ado::adLongVarWChar, kMemo, 0, 0, ado::adFldLong},
        {"LONGTEXT", ado::adLongVarWChar, kMemo, 0, 0, ado::adFldLong},
        {"MEDIUMTEXT", ado::adLongVarWChar, kMemo, 0, 0, ado::adFldLong},
        {"NATIONAL CLOB", ado::adLongVarWChar, kMemo, 0, 0, ado::adFldLong},
        {"NUMERIC(10,2)", ado::adNumeric, 19, 10, 2, ado::adFldFixed},
        {"DECIMAL(5)", ado::adNumeric, 19, 5, 0, ado::adFldFixed},
        {"BOOLEAN", ado::adBoolean, 2, 1, 0, ado::adFldFixed},
        // Other names follow SQLite's affinity rules.
        {"MEDIUMINT UNSIGNED", ado::adInteger, 4, 10, 0, ado::adFldFixed},
        {"STRING VARCHAR(9)", ado::adVarWChar, 9, 0, 0, 0},
        {"BLOB", ado::adLongVarBinary, 2147483647, 0, 0, ado::adFldLong},
        {"DATETIME", ado::adNumeric, 19, 18, 0, ado::adFldFixed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.declared);
        const ColumnKind kind = KindOfDeclaredType(QString::fromUtf8(c.declared));
        EXPECT_EQ(kind, (ColumnKind{c.type, c.size, c.precision, c.scale, c.attributes}));
    }
}

TEST(ColumnKindTest, ExpressionsTakeTheKindOfTheirValue) {
    EXPECT_EQ(KindOfValue(StoredValue::ofInteger(2)).type, ado::adInteger);
    EXPECT_EQ(KindOfValue(StoredValue::ofInteger(int64_t{1} << 40)).type, ado::adBigInt);
    EXPECT_EQ(KindOfValue(StoredValue::ofReal(0.5)).type, ado::adDouble);
    EXPECT_EQ(KindOfValue(StoredValue::ofText("x")).type, ado::adVarWChar);
    EXPECT_EQ(KindOfValue(StoredValue::ofText("x")).definedSize, 255);
    EXPECT_EQ(KindOfValue(StoredValue::null()).type, ado::adVarWChar);
}

} // namespace
