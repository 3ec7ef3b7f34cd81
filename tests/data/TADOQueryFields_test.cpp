// Persistent fields: binding at open, reading and assigning the current record.
#include "data/TAutoIncField.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/Exceptions.h"
#include "platform/text/FormatSettings.h"
#include "tests/data/FakeDirectoryQuery.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QString OpenFailure(FakeDirectoryQuery& q) {
    try {
        q.query.Open();
    } catch (const EDatabaseError& error) {
        EXPECT_FALSE(q.query.Active());
        return error.message();
    }
    return {};
}

TEST(TADOQueryBinding, ColumnKindsEachFieldAccepts) {
    struct Case {
        int column;
        int type;
        long attributes;
        bool autoIncrement;
        const char* message; // empty: binds
    };
    const long updatable = ado::adFldUpdatable;
    const Case cases[] = {
        {0, ado::adInteger, ado::adFldFixed, false, ""}, // a plain integer ID binds too
        {0, ado::adSmallInt, ado::adFldFixed, true, ""},
        {0, ado::adBigInt, ado::adFldFixed, false,
         "ADOQuery1: Type mismatch for field 'ID', expecting: AutoInc actual: Largeint"},
        {1, ado::adSingle, updatable, false, ""},
        {1, ado::adCurrency, updatable, false, ""},
        {1, ado::adNumeric, updatable, false, ""}, // precision 15, scale 0: BCD
        {1, ado::adInteger, updatable, false,
         "ADOQuery1: Type mismatch for field 'Tel', expecting: Float actual: Integer"},
        {1, ado::adVarWChar, updatable, false,
         "ADOQuery1: Type mismatch for field 'Tel', expecting: Float actual: WideString"},
        {2, ado::adVarChar, updatable, false, ""},
        {2, ado::adWChar, updatable | ado::adFldFixed, false,
         "ADOQuery1: Type mismatch for field 'Fio', expecting: WideString actual: FixedWideChar"},
        {2, ado::adChar, updatable | ado::adFldFixed, false,
         "ADOQuery1: Type mismatch for field 'Fio', expecting: WideString actual: FixedChar"},
        {3, ado::adLongVarWChar, updatable | ado::adFldLong, false,
         "ADOQuery1: Type mismatch for field 'Name', expecting: WideString actual: WideMemo"},
        {4, ado::adLongVarChar, updatable | ado::adFldLong, false,
         "ADOQuery1: Type mismatch for field 'Story', expecting: WideString actual: Memo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " type " << c.type);
        FakeDirectoryQuery q;
        AdoFieldInfo& column = q.database.columns.at(static_cast<std::size_t>(c.column));
        column.type = c.type;
        column.attributes = c.attributes;
        column.isAutoIncrement = c.autoIncrement;
        EXPECT_EQ(OpenFailure(q).toStdString(), c.message);
    }
}

TEST(TADOQueryBinding, NarrowWholeNumberDecimalIsAnInteger) {
    FakeDirectoryQuery q;
    q.database.columns[1].type = ado::adNumeric;
    q.database.columns[1].precision = 9;
    q.database.columns[1].numericScale = 0;
    EXPECT_EQ(OpenFailure(q),
              QStringLiteral("ADOQuery1: Type mismatch for field 'Tel', expecting: Float actual: "
                             "Integer"));
}

TEST(TADOQueryBinding, NamesMatchWithoutRegardToCase) {
    FakeDirectoryQuery q;
    q.database.columns[0].name = QStringLiteral("id");
    q.database.columns[3].name = QStringLiteral("NAME");
    q.add(23456, QStringLiteral("Ivanov"), QStringLiteral("LENINA 1"));
    q.query.Open();
    EXPECT_EQ(q.fields.ADOQuery1Name->AsString(), QStringLiteral("LENINA 1"));
    EXPECT_EQ(q.query.FieldByName(QStringLiteral("TEL")).AsFloat(), 23456);
    EXPECT_EQ(q.query.FindField(QStringLiteral("fio")), q.fields.ADOQuery1Fio);
    EXPECT_EQ(q.query.FindField(QStringLiteral("Note")), nullptr);
}

TEST(TADOQueryBinding, MissingColumnLeavesTheQueryClosed) {
    FakeDirectoryQuery q;
    q.database.columns.pop_back();
    EXPECT_EQ(OpenFailure(q), QStringLiteral("ADOQuery1: Field 'Story' not found"));
    EXPECT_EQ(q.fields.ADOQuery1Fio->BoundColumn(), -1);
    EXPECT_TRUE(q.query.FieldDefs().empty());
}

TEST(TADOQueryBinding, ColumnDefinitionsNameUnnamedAndRepeatedColumns) {
    FakeDirectoryQuery q;
    AdoFieldInfo extra = q.database.columns[1];
    q.database.columns.push_back(extra); // a second "tel"
    extra.name.clear();
    q.database.columns.push_back(extra);                 // no name
    q.database.columns.push_back(q.database.columns[5]); // "tel" again
    q.query.Open();
    QStringList names;
    for (const TFieldDef& def : q.query.FieldDefs()) {
        names.append(def.Name);
    }
    EXPECT_EQ(names,
              (QStringList{"ID", "tel", "fio", "Name", "Story", "tel_1", "COLUMN7", "tel_2"}));
    EXPECT_TRUE(q.query.FieldDefs()[0].ReadOnly); // auto-increment
    EXPECT_FALSE(q.query.FieldDefs()[2].ReadOnly);
    EXPECT_EQ(q.query.FieldDefs()[2].Size, 255);
}

TEST(TADOQueryFields, DirectoryLayoutFields) {
    FakeDirectoryQuery q;
    ASSERT_EQ(q.query.FieldCount(), 5);
    const char* names[] = {"ID", "Tel", "Fio", "Name", "Story"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(q.query.Field(i).FieldName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(q.query.Field(i).DisplayName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(q.query.Field(i).Index(), i);
        EXPECT_EQ(q.query.Field(i).Alignment(), i < 2 ? taRightJustify : taLeftJustify);
        EXPECT_EQ(q.query.Field(i).ReadOnly(), i == 0);
    }
    EXPECT_EQ(q.fields.ADOQuery1Tel->Precision(), 15);
    EXPECT_EQ(q.fields.ADOQuery1Fio->Size(), 255);
    EXPECT_EQ(q.query.Name(), QStringLiteral("ADOQuery1"));
}

TEST(TADOQueryFields, WithoutACurrentRecordFieldsReadAsNull) {
    FakeDirectoryQuery q;
    auto expectNull = [&] {
        for (int i = 0; i < q.query.FieldCount(); ++i) {
            const TField& field = q.query.Field(i);
            EXPECT_TRUE(field.IsNull());
            EXPECT_EQ(field.AsString(), QString());
            EXPECT_EQ(field.DisplayText(), QString());
            EXPECT_EQ(field.AsFloat(), 0);
        }
    };
    expectNull(); // closed
    q.query.Open();
    expectNull(); // empty result
}

TEST(TADOQueryFields, ReadsTheCurrentRecord) {
    FakeDirectoryQuery q;
    q.add(23456.5, QStringLiteral("Ivanov"), QStringLiteral("LENINA 1-2"), QStringLiteral("note"));
    q.add(std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    q.query.Open();
    EXPECT_EQ(q.fields.ADOQuery1ID->AsInteger(), 1);
    EXPECT_EQ(q.fields.ADOQuery1ID->AsString(), QStringLiteral("1"));
    EXPECT_EQ(q.fields.ADOQuery1Tel->AsString(), QStringLiteral("23456.5"));
    EXPECT_EQ(q.fields.ADOQuery1Tel->DisplayText(), QStringLiteral("23456.5"));
    EXPECT_EQ(q.fields.ADOQuery1Tel->AsFloat(), 23456.5);
    EXPECT_EQ(q.fields.ADOQuery1Story->AsString(), QStringLiteral("note"));
    q.query.Next();
    EXPECT_TRUE(q.fields.ADOQuery1Tel->IsNull());
    EXPECT_EQ(q.fields.ADOQuery1Tel->AsString(), QString());
    EXPECT_TRUE(q.fields.ADOQuery1Fio->IsNull());

    SetCurrentFormatSettings(FormatSettings{u',', u' '});
    q.query.Prior();
    EXPECT_EQ(q.fields.ADOQuery1Tel->AsString(), QStringLiteral("23456,5"));
    SetCurrentFormatSettings(FormatSettings{});
}

class FieldAssignment : public ::testing::Test {
protected:
    FieldAssignment() {
        q.add(1001, QStringLiteral("A"), QStringLiteral("STREET 1"), QStringLiteral("note"));
        q.query.Open();
        q.query.Edit();
    }
    ~FieldAssignment() override { SetCurrentFormatSettings(FormatSettings{}); }
    FakeDirectoryQuery q;
};

TEST_F(FieldAssignment, PhoneTextFollowsTheNumberRules) {
    struct Case {
        QChar separator;
        const char* text;
        std::optional<double> stored; // nullopt: null
    };
    const Case cases[] = {
        {u'.', " 23456 ", 23456}, {u'.', "", std::nullopt}, {u'.', ".", 0},
        {u'.', "12.5", 12.5},     {u',', "12,5", 12.5},     {u'.', "-7", -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetCurrentFormatSettings(FormatSettings{c.separator, u' '});
        q.fields.ADOQuery1Tel->SetAsString(QString::fromLatin1(c.text));
        if (c.stored) {
            EXPECT_EQ(q.fields.ADOQuery1Tel->AsFloat(), *c.stored);
        } else {
            EXPECT_TRUE(q.fields.ADOQuery1Tel->IsNull());
        }
    }
}

TEST_F(FieldAssignment, RejectedPhoneTextStoresNothing) {
    struct Case {
        QChar separator;
        const char* text;
    };
    const Case cases[] = {{u'.', "2-34-56"}, {u',', "12.5"}, {u'.', "12,5"}, {u'.', "1 000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetCurrentFormatSettings(FormatSettings{c.separator, u' '});
        try {
            q.fields.ADOQuery1Tel->SetAsString(QString::fromLatin1(c.text));
            FAIL() << "accepted";
        } catch (const EDatabaseError& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("'%1' is not a valid floating point value for field 'Tel'")
                          .arg(QString::fromLatin1(c.text)));
        }
        EXPECT_EQ(q.fields.ADOQuery1Tel->AsFloat(), 1001);
        EXPECT_FALSE(q.query.Modified());
    }
    EXPECT_EQ(q.query.State(), dsEdit);
}

TEST_F(FieldAssignment, PhoneBeyondTheRangeOfADoubleOverflows) {
    EXPECT_THROW(q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("1e400")), EOverflow);
    EXPECT_EQ(q.fields.ADOQuery1Tel->AsFloat(), 1001);
    EXPECT_FALSE(q.query.Modified());
}

TEST_F(FieldAssignment, TextIsCutToItsSizeInCodeUnits) {
    const QString long300(300, u'Ж');
    q.fields.ADOQuery1Fio->SetAsString(long300);
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), long300.left(255));

    // A character of two code units that the cut would part is left out whole.
    const QString pair = QString::fromUtf16(u"\U0001F600");
    const QString parted = QString(254, u'a') + pair;
    q.fields.ADOQuery1Name->SetAsString(parted);
    EXPECT_EQ(q.fields.ADOQuery1Name->AsString(), QString(254, u'a'));

    q.fields.ADOQuery1Story->SetAsString(QString());
    EXPECT_FALSE(q.fields.ADOQuery1Story->IsNull());
    EXPECT_EQ(q.fields.ADOQuery1Story->AsString(), QString());
}

TEST_F(FieldAssignment, EmptyTextIsWrittenAsAnEmptyStringAndClearAsNull) {
    q.fields.ADOQuery1Fio->SetAsString(QString());
    q.fields.ADOQuery1Name->Clear();
    q.query.Post();
    const std::vector<AdoVariant> row = q.database.values().at(0);
    ASSERT_TRUE(std::holds_alternative<QString>(row[2]));
    EXPECT_TRUE(std::get<QString>(row[2]).isEmpty());
    EXPECT_FALSE(std::get<QString>(row[2]).isNull());
    EXPECT_TRUE(IsNull(row[3]));
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QString());
    EXPECT_FALSE(q.fields.ADOQuery1Fio->IsNull());
}

TEST_F(FieldAssignment, TextOutsideAnyEightBitCodePageSurvivesAnEditOfAnotherField) {
    // Greek, a CJK character and an emoji: none has a Windows-1251 form.
    const QString foreign = QString::fromUtf16(u"Ελληνικά 漢 \U0001F600");
    q.fields.ADOQuery1Fio->SetAsString(foreign);
    q.query.Post();
    // The entry editor writes all four fields back after correcting one.
    q.query.Edit();
    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("23456"));
    q.fields.ADOQuery1Fio->SetAsString(q.fields.ADOQuery1Fio->AsString());
    q.fields.ADOQuery1Name->SetAsString(q.fields.ADOQuery1Name->AsString());
    q.fields.ADOQuery1Story->SetAsString(q.fields.ADOQuery1Story->AsString());
    q.query.Post();
    q.query.Refresh();
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), foreign);
    EXPECT_EQ(std::get<QString>(q.database.values().at(0)[2]), foreign);
    EXPECT_EQ(std::get<double>(q.database.values().at(0)[1]), 23456);
}

TEST_F(FieldAssignment, AssignmentsMarkTheRecordModifiedAndHoldTheValues) {
    EXPECT_FALSE(q.query.Modified());
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("B"));
    EXPECT_TRUE(q.query.Modified());
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("B"));
    EXPECT_EQ(q.fios(), QStringList{"A"}); // nothing written before Post
    q.query.Cancel();
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("A"));
    EXPECT_FALSE(q.query.Modified());
}

} // namespace
