// The grid's configuration and column model: the layout's properties and stored columns,
// defaults worked out when read, binding to fields and the cell texts.
#include "data/FormatFloat.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "grid/TColumnEh.h"
#include "grid/TDBGridColumnsEh.h"
#include "tests/grid/GridFixture.h"
#include "platform/db/SqliteAdoProvider.h"

#include <gtest/gtest.h>

namespace {

using GridConfiguration = GridTest;

TEST_F(GridConfiguration, HasTheLayoutsOptionsAndColours) {
    EXPECT_EQ(grid->Options(),
              (TGridOptions{dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                            dgRowSelect, dgConfirmDelete, dgCancelOnExit, dgMultiSelect}));
    EXPECT_EQ(grid->OptionsEh(),
              (TGridOptionsEh{dghFixed3D, dghHighlightFocus, dghClearSelection, dghDialogFind}));
    EXPECT_EQ(grid->AllowedOperations(),
              (TDBGridEhAllowedOperations{alopInsertEh, alopUpdateEh, alopDeleteEh, alopAppendEh}));
    EXPECT_EQ(grid->AllowedSelections(),
              (TDBGridEhAllowedSelections{gstRecordBookmarks, gstRectangle, gstColumns, gstAll}));
    EXPECT_TRUE(grid->EditActions().IsEmpty());
    EXPECT_FALSE(grid->ReadOnly());
    EXPECT_TRUE(grid->DefaultDrawing());
    EXPECT_EQ(grid->Color(), clActiveBorder);
    EXPECT_EQ(grid->FixedColor(), RGB(192, 220, 192));
    EXPECT_EQ(grid->EvenRowColor(), 16776176);
    EXPECT_EQ(grid->OddRowColor(), clWhite);
    EXPECT_TRUE(grid->Flat());
    EXPECT_EQ(grid->Font().Font.pixelSize(), 11);
    EXPECT_EQ(grid->TitleFont().Color, clWindowText);
    EXPECT_EQ(grid->FooterRowCount(), 0);
    EXPECT_TRUE(grid->ShowHint());
    EXPECT_FALSE(grid->ParentShowHint());
    EXPECT_EQ(grid->VertScrollBar().VisibleMode(), sbAutoShowEh);
    EXPECT_FALSE(grid->VertScrollBar().Tracking());
    EXPECT_EQ(grid->DataSet(), &query);
}

struct StoredColumn {
    const char* fieldName;
    const char* caption;
    int width;
    const char* displayFormat;
    bool endEllipsis;
    bool hideDuplicates;
    TAlignment alignment;
};

TEST_F(GridConfiguration, ShowsTheThreeStoredColumns) {
    const StoredColumn expected[] = {
        {"Tel", "Телефон", 49, "#-##-##", false, false, taRightJustify},
        {"Fio", "Ф.И.О. или организация", 187, "", true, true, taLeftJustify},
        {"Name", "Адрес", 159, "", false, false, taLeftJustify},
    };
    ASSERT_EQ(grid->Columns().Count(), 3);
    EXPECT_EQ(grid->Columns().State(), csCustomized);
    EXPECT_EQ(grid->ColCount(), 4);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].fieldName);
        const TColumnEh& column = grid->Columns()[i];
        EXPECT_EQ(column.FieldName(), QString::fromUtf8(expected[i].fieldName));
        EXPECT_EQ(column.Title().Caption(), QString::fromUtf8(expected[i].caption));
        EXPECT_EQ(column.Width(), expected[i].width);
        EXPECT_EQ(grid->ColWidth(i + 1), expected[i].width);
        EXPECT_EQ(column.DisplayFormat(), QString::fromUtf8(expected[i].displayFormat));
        EXPECT_EQ(column.EndEllipsis(), expected[i].endEllipsis);
        EXPECT_EQ(column.HideDuplicates(), expected[i].hideDuplicates);
        EXPECT_EQ(column.Alignment(), expected[i].alignment);
        EXPECT_EQ(column.Title().Alignment(), taLeftJustify);
        EXPECT_EQ(column.Layout(), tlTop);
        EXPECT_TRUE(column.Visible());
        EXPECT_FALSE(column.ReadOnly());
    }
    EXPECT_EQ(grid->ColWidth(0), 11);
}

TEST_F(GridConfiguration, UnassignedPropertiesFollowTheGrid) {
    TColumnEh& name = grid->Columns()[2];
    EXPECT_FALSE(name.AssignedValues().Contains(cvColor));
    EXPECT_EQ(name.Color(), clActiveBorder);
    EXPECT_EQ(name.Title().Color(), clMoneyGreen);
    grid->SetColor(clWhite);
    grid->SetFixedColor(clSilver);
    TGridFont bold = grid->Font();
    bold.Font.setBold(true);
    grid->SetFont(bold);
    EXPECT_EQ(name.Color(), clWhite);
    EXPECT_EQ(name.Title().Color(), clSilver);
    EXPECT_TRUE(name.Font().Font.bold());
    EXPECT_FALSE(name.Title().Font().Font.bold());

    name.SetColor(clYellow);
    grid->SetColor(clAqua);
    EXPECT_TRUE(name.AssignedValues().Contains(cvColor));
    EXPECT_EQ(name.Color(), clYellow);
    name.RestoreDefaults();
    EXPECT_EQ(name.Color(), clAqua);
    // The layout's caption and width were assigned; after the reset they come from the field.
    EXPECT_EQ(name.Title().Caption(), QStringLiteral("Name"));
}

TEST_F(GridConfiguration, ReadOnlyFollowsTheGridAndTheField) {
    TColumnEh& tel = grid->Columns()[0];
    EXPECT_FALSE(tel.ReadOnly());
    fields.ADOQuery1Tel->SetReadOnly(true);
    EXPECT_TRUE(tel.ReadOnly());
    fields.ADOQuery1Tel->SetReadOnly(false);
    grid->SetReadOnly(true);
    EXPECT_TRUE(tel.ReadOnly());
    tel.SetReadOnly(false);
    EXPECT_FALSE(tel.ReadOnly());
}

struct WidthCase {
    const char* what;
    int minWidth;
    int maxWidth;
    int assigned;
    int expected;
    bool flagged;
};

TEST_F(GridConfiguration, WidthRules) {
    const WidthCase cases[] = {
        {"-1 is ignored", 0, 0, -1, 64, false},
        {"the default keeps it unassigned", 0, 0, 64, 64, false},
        {"a plain width", 0, 0, 80, 80, true},
        {"lowered to MaxWidth", 0, 50, 80, 50, true},
        {"raised to MinWidth", 30, 0, 10, 30, true},
    };
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(c.what);
        TColumnEh& column = grid->Columns().Add();
        column.SetFieldName(QStringLiteral("NoSuchField"));
        column.SetMinWidth(c.minWidth);
        column.SetMaxWidth(c.maxWidth);
        column.SetWidth(c.assigned);
        EXPECT_EQ(column.Width(), c.expected);
        EXPECT_EQ(column.AssignedValues().Contains(cvWidth), c.flagged);
        EXPECT_EQ(grid->ColWidth(column.Index() + 1), c.expected);
    }
}

TEST_F(GridConfiguration, BindsByNameIgnoringCaseAndTakesTheFieldsName) {
    TColumnEh& column = grid->Columns().Add();
    column.SetFieldName(QStringLiteral("sTORY"));
    // The query is closed, but its persistent fields can be found.
    EXPECT_EQ(column.Field(), fields.ADOQuery1Story);
    EXPECT_EQ(column.FieldName(), QStringLiteral("Story"));
    EXPECT_EQ(column.Title().Caption(), QStringLiteral("Story"));
    EXPECT_EQ(grid->Columns()[0].Field(), fields.ADOQuery1Tel);
}

TEST_F(GridConfiguration, AColumnWithoutFieldIsEmptyAndLeftAligned) {
    addEntries(
        {DirectoryEntry{123456.0, QStringLiteral("Ivanov"), QStringLiteral("LENINA 1"), {}}});
    TColumnEh& column = grid->Columns().Add();
    column.SetFieldName(QStringLiteral("Phone"));
    column.SetAlignment(taRightJustify);
    column.RestoreDefaults();
    OpenAll();
    EXPECT_EQ(column.Field(), nullptr);
    EXPECT_EQ(column.Alignment(), taLeftJustify);
    EXPECT_EQ(column.Title().Caption(), QStringLiteral("Phone"));
    EXPECT_EQ(column.Width(), TColumnEh::DefaultColumnWidth);
    EXPECT_EQ(column.CellDisplayText(), QString());
}

TEST(ColumnOutsideAGrid, AnswersTheClassDefaults) {
    TColumnEh column(nullptr, true);
    column.SetFieldName(QStringLiteral("Tel"));
    EXPECT_EQ(column.Grid(), nullptr);
    EXPECT_EQ(column.Field(), nullptr);
    EXPECT_EQ(column.Color(), clWindow);
    EXPECT_EQ(column.Width(), 64);
    EXPECT_EQ(column.Title().Caption(), QStringLiteral("Tel"));
    EXPECT_FALSE(column.EndEllipsis());
    EXPECT_FALSE(column.WordWrap());
}

TEST_F(GridConfiguration, DefaultsFromTheFieldKind) {
    TColumnEh& tel = grid->Columns()[0];
    TColumnEh& fio = grid->Columns()[1];
    EXPECT_TRUE(fio.WordWrap());
    EXPECT_FALSE(tel.WordWrap());
    EXPECT_FALSE(tel.Checkboxes());
    // A text field of 255 characters is planned as 255 digits of the column's font.
    fio.RestoreDefaults();
    EXPECT_GT(fio.Width(), 255 * 4);
}

struct CellTextCase {
    std::optional<double> tel;
    std::optional<QString> fio;
};

TEST_F(GridConfiguration, CellTexts) {
    const CellTextCase cases[] = {
        {1234567.0, QStringLiteral("Petrov")},
        {23456.0, QStringLiteral("Ivanov, \"Ltd\"")},
        {std::nullopt, QStringLiteral("Sidorov")},
        {345678.0, std::nullopt},
    };
    for (const CellTextCase& c : cases)
        addEntries({DirectoryEntry{c.tel, c.fio, QStringLiteral("LENINA 1"), std::nullopt}});
    query.SetFiltered(false);
    query.Open();
    for (const CellTextCase& c : cases) {
        SCOPED_TRACE(c.fio.value_or(QStringLiteral("<null>")).toStdString());
        const QString tel = c.tel ? FormatFloat(QStringLiteral("#-##-##"), *c.tel) : QString();
        EXPECT_EQ(grid->Columns()[0].CellDisplayText(), tel);
        EXPECT_EQ(grid->Columns()[1].CellDisplayText(), c.fio.value_or(QString()));
        EXPECT_EQ(grid->Columns()[2].CellDisplayText(), QStringLiteral("LENINA 1"));
        query.Next();
    }
}

struct PickCase {
    QStringList keyList;
    QStringList pickList;
    int notInKeyListIndex;
    const char* expected;
};

TEST_F(GridConfiguration, KeyListPicksTheText) {
    addEntries({DirectoryEntry{1.0, QStringLiteral("B"), QStringLiteral("LENINA 1"), {}}});
    const PickCase cases[] = {
        {{"A", "B"}, {"first", "second"}, -1, "second"},
        {{"A", "B"}, {"first"}, -1, ""},
        {{"A", "C"}, {"first", "second"}, 0, "first"},
        {{"A", "C"}, {"first", "second"}, 2, ""},
    };
    OpenAll();
    TColumnEh& fio = grid->Columns()[1];
    for (const PickCase& c : cases) {
        fio.SetKeyList(c.keyList);
        fio.SetPickList(c.pickList);
        fio.SetNotInKeyListIndex(c.notInKeyListIndex);
        EXPECT_EQ(fio.CellDisplayText(), QString::fromUtf8(c.expected));
    }
}

TEST_F(GridConfiguration, ColumnsFindTheFieldsOfANewDataSet) {
    TADOQuery second{SqliteAdoProvider()};
    ConfigureDirectoryQuery(second);
    TDataSource otherSource;
    otherSource.SetDataSet(&second);
    EXPECT_EQ(grid->Columns()[1].Field(), fields.ADOQuery1Fio);
    grid->SetDataSource(&otherSource);
    EXPECT_EQ(grid->Columns()[1].Field(), &second.FieldByName(QStringLiteral("Fio")));
    grid->SetDataSource(nullptr);
    EXPECT_EQ(grid->Columns()[1].Field(), nullptr);
}

TEST_F(GridConfiguration, WithoutStoredColumnsEveryFieldGetsAColumn) {
    grid->Columns().Clear();
    grid->LayoutChanged();
    ASSERT_EQ(grid->Columns().Count(), 5);
    EXPECT_EQ(grid->Columns().State(), csDefault);
    EXPECT_EQ(grid->Columns()[4].FieldName(), QStringLiteral("Story"));
    EXPECT_EQ(grid->ColCount(), 6);
}

} // namespace
