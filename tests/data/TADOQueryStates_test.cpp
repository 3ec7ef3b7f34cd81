// The query's state tables: (start, operation) → (state, message).
#include "data/DatabaseError.h"
#include "data/TAutoIncField.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/Exceptions.h"
#include "tests/data/FakeDirectoryQuery.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

enum class Start {
    Inactive,       // configured and closed, three entries in the table
    Browse,         // open on three entries
    BrowseEmpty,    // open on an empty table
    BrowseReadOnly, // open on a recordset that cannot update rows
    Edit,           // editing the first entry, nothing assigned
    EditModified,   // editing the first entry, Fio assigned
    Insert,         // a new entry, nothing assigned
};

const char* StartName(Start start) {
    switch (start) {
    case Start::Inactive:
        return "inactive";
    case Start::Browse:
        return "browse";
    case Start::BrowseEmpty:
        return "browse (no rows)";
    case Start::BrowseReadOnly:
        return "browse (read-only)";
    case Start::Edit:
        return "edit";
    case Start::EditModified:
        return "edit (modified)";
    case Start::Insert:
        return "insert";
    }
    return "";
}

void Prepare(FakeDirectoryQuery& q, Start start) {
    if (start != Start::BrowseEmpty) {
        q.add(1001, QStringLiteral("A"));
        q.add(1002, QStringLiteral("B"));
        q.add(1003, QStringLiteral("C"));
    }
    if (start == Start::BrowseReadOnly) {
        q.database.supported &= ~ado::adUpdate;
    }
    if (start == Start::Inactive) {
        return;
    }
    q.query.Open();
    if (start == Start::Edit || start == Start::EditModified) {
        q.query.Edit();
    }
    if (start == Start::EditModified) {
        q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("changed"));
    }
    if (start == Start::Insert) {
        q.query.Insert();
    }
}

using Operation = std::function<void(FakeDirectoryQuery&)>;

struct Transition {
    Start start;
    const char* operation;
    Operation run;
    TDataSetState state;
    const char* message; // empty: no error
};

const Operation kOpen = [](FakeDirectoryQuery& q) {
    q.query.Open();
};
const Operation kClose = [](FakeDirectoryQuery& q) {
    q.query.Close();
};
const Operation kAddLine = [](FakeDirectoryQuery& q) {
    q.query.SQL().Add("WHERE tel > 0");
};
const Operation kClearSql = [](FakeDirectoryQuery& q) {
    q.query.SQL().Clear();
};
const Operation kEdit = [](FakeDirectoryQuery& q) {
    q.query.Edit();
};
const Operation kInsert = [](FakeDirectoryQuery& q) {
    q.query.Insert();
};
const Operation kPost = [](FakeDirectoryQuery& q) {
    q.query.Post();
};
const Operation kCancel = [](FakeDirectoryQuery& q) {
    q.query.Cancel();
};
const Operation kRefresh = [](FakeDirectoryQuery& q) {
    q.query.Refresh();
};
const Operation kDelete = [](FakeDirectoryQuery& q) {
    q.query.Delete();
};
const Operation kFirst = [](FakeDirectoryQuery& q) {
    q.query.First();
};
const Operation kNext = [](FakeDirectoryQuery& q) {
    q.query.Next();
};
const Operation kRecordCount = [](FakeDirectoryQuery& q) {
    q.query.RecordCount();
};
const Operation kFilteredOff = [](FakeDirectoryQuery& q) {
    q.query.SetFiltered(false);
};
const Operation kFilter = [](FakeDirectoryQuery& q) {
    q.query.SetFilter("fio='A*'");
};
const Operation kAssignFio = [](FakeDirectoryQuery& q) {
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("x"));
};
const Operation kAssignId = [](FakeDirectoryQuery& q) {
    q.fields.ADOQuery1ID->SetAsString(QStringLiteral("7"));
};
const Operation kAssignBadTel = [](FakeDirectoryQuery& q) {
    q.fields.ADOQuery1Tel->SetAsString(QStringLiteral("2-34-56"));
};
const Operation kConnectionString = [](FakeDirectoryQuery& q) {
    q.query.SetConnectionString(QStringLiteral("other"));
};
const Operation kRejectedPost = [](FakeDirectoryQuery& q) {
    q.database.validateWrite = [](const std::vector<AdoVariant>&) {
        throw EOleException(QStringLiteral("The row was rejected"), 1, QStringLiteral("fake"));
    };
    q.query.Post();
};

const char* const kClosedMessage = "ADOQuery1: Cannot perform this operation on a closed dataset";
const char* const kNotEditingMessage = "ADOQuery1: Dataset not in edit or insert mode";

const Transition kTransitions[] = {
    // The query's open state.
    {Start::Inactive, "Open", kOpen, dsBrowse, ""},
    {Start::Browse, "Open", kOpen, dsBrowse, ""},
    {Start::Browse, "Close", kClose, dsInactive, ""},
    {Start::Inactive, "Close", kClose, dsInactive, ""},
    {Start::Edit, "Close", kClose, dsInactive, ""},
    {Start::Insert, "Close", kClose, dsInactive, ""},
    {Start::Browse, "SQL add", kAddLine, dsInactive, ""},
    {Start::EditModified, "SQL add", kAddLine, dsInactive, ""},
    {Start::Insert, "SQL clear", kClearSql, dsInactive, ""},
    {Start::Browse, "Edit", kEdit, dsEdit, ""},
    {Start::Browse, "Insert", kInsert, dsInsert, ""},
    {Start::Edit, "Post", kPost, dsBrowse, ""},
    {Start::EditModified, "Cancel", kCancel, dsBrowse, ""},
    {Start::Insert, "Post", kPost, dsBrowse, ""},
    {Start::EditModified, "Refresh", kRefresh, dsBrowse, ""},
    {Start::Edit, "First", kFirst, dsBrowse, ""},
    {Start::EditModified, "Next", kNext, dsBrowse, ""},
    {Start::EditModified, "Filtered off", kFilteredOff, dsBrowse, ""},
    {Start::Insert, "Filter while filtered", kFilter, dsBrowse, ""},
    {Start::Inactive, "First", kFirst, dsInactive, kClosedMessage},
    {Start::Inactive, "RecordCount", kRecordCount, dsInactive, kClosedMessage},
    {Start::Browse, "set ConnectionString", kConnectionString, dsBrowse,
     "ADOQuery1: Cannot perform this operation on an open dataset"},
    // Row editing.
    {Start::BrowseEmpty, "Edit", kEdit, dsInsert, ""},
    {Start::BrowseEmpty, "Insert", kInsert, dsInsert, ""},
    {Start::Inactive, "Edit", kEdit, dsInactive, kClosedMessage},
    {Start::Inactive, "Insert", kInsert, dsInactive, kClosedMessage},
    {Start::Inactive, "Refresh", kRefresh, dsInactive, kClosedMessage},
    {Start::Inactive, "Delete", kDelete, dsInactive, kClosedMessage},
    {Start::Inactive, "Post", kPost, dsInactive, kClosedMessage},
    {Start::Inactive, "Cancel", kCancel, dsInactive, ""},
    {Start::Edit, "Edit", kEdit, dsEdit, ""},
    {Start::Edit, "field assignment", kAssignFio, dsEdit, ""},
    {Start::Insert, "field assignment", kAssignFio, dsInsert, ""},
    {Start::Browse, "Post", kPost, dsBrowse, kNotEditingMessage},
    {Start::Browse, "field assignment", kAssignFio, dsBrowse, kNotEditingMessage},
    {Start::Browse, "Cancel", kCancel, dsBrowse, ""},
    {Start::Edit, "assignment to ID", kAssignId, dsEdit, "Field 'ID' cannot be modified"},
    {Start::Edit, "assignment of a non-number to Tel", kAssignBadTel, dsEdit,
     "'2-34-56' is not a valid floating point value for field 'Tel'"},
    {Start::BrowseReadOnly, "Edit", kEdit, dsBrowse,
     "ADOQuery1: Cannot modify a read-only dataset"},
    {Start::BrowseReadOnly, "Insert", kInsert, dsBrowse,
     "ADOQuery1: Cannot modify a read-only dataset"},
    {Start::EditModified, "rejected Post", kRejectedPost, dsEdit, "The row was rejected"},
    {Start::Browse, "Delete", kDelete, dsBrowse, ""},
    {Start::EditModified, "Delete", kDelete, dsBrowse, ""},
    {Start::Insert, "Delete", kDelete, dsBrowse, ""},
    {Start::BrowseEmpty, "Delete", kDelete, dsBrowse,
     "ADOQuery1: Cannot perform this operation on an empty dataset"},
};

TEST(TADOQueryStates, FollowTheStateTables) {
    for (const Transition& t : kTransitions) {
        SCOPED_TRACE(testing::Message() << StartName(t.start) << " + " << t.operation);
        FakeDirectoryQuery q;
        Prepare(q, t.start);
        QString message;
        try {
            t.run(q);
        } catch (const Exception& error) {
            message = error.message();
        }
        EXPECT_EQ(message.toStdString(), t.message);
        EXPECT_EQ(q.query.State(), t.state);
    }
}

TEST(TADOQueryStates, ProviderRejectionsOfWritesAreDatabaseErrors) {
    FakeDirectoryQuery q;
    Prepare(q, Start::EditModified);
    q.database.validateWrite = [](const std::vector<AdoVariant>&) {
        throw EOleException(QStringLiteral("Rejected"), 1, QStringLiteral("fake"));
    };
    EXPECT_THROW(q.query.Post(), EDatabaseError);
}

// The same failures under another component name and under none: the query's own checks
// name it, the others never do.
TEST(TADOQueryStates, MessagesNameTheQueryOnlyWhereItIsTheSource) {
    struct Failure {
        const char* what;
        std::function<void(FakeDirectoryQuery&)> run;
        QString text;
        bool prefixed;
    };
    using namespace DatabaseMessages;
    const Failure failures[] = {
        {"First on a closed query", kFirst, kDataSetClosed, true},
        {"open with an empty SQL list",
         [](FakeDirectoryQuery& q) {
             q.query.SQL().Clear();
             q.query.Open();
         },
         kMissingProperty.arg("SQL"), true},
        {"open without a result set",
         [](FakeDirectoryQuery& q) {
             q.database.noResultSet = true;
             q.query.Open();
         },
         kNoResultSet, true},
        {"open without a connection string",
         [](FakeDirectoryQuery& q) {
             q.query.SetConnectionString({});
             q.query.Open();
         },
         kMissingConnection, false},
        {"missing column",
         [](FakeDirectoryQuery& q) {
             q.database.columns.pop_back();
             q.query.Open();
         },
         kFieldNotFound.arg("Story"), true},
        {"column of another kind",
         [](FakeDirectoryQuery& q) {
             q.database.columns[1].type = ado::adInteger;
             q.query.Open();
         },
         kFieldTypeMismatch.arg("Tel", "Float", "Integer"), true},
        {"set ConnectionString while open",
         [](FakeDirectoryQuery& q) {
             q.query.Open();
             kConnectionString(q);
         },
         kDataSetOpen, true},
        {"Post in browse state",
         [](FakeDirectoryQuery& q) {
             q.query.Open();
             q.query.Post();
         },
         kNotEditing, true},
        {"Delete with no rows",
         [](FakeDirectoryQuery& q) {
             q.database.rows.clear();
             q.query.Open();
             q.query.Delete();
         },
         kDataSetEmpty, true},
        {"Edit of a read-only recordset",
         [](FakeDirectoryQuery& q) {
             q.database.supported &= ~ado::adUpdate;
             q.query.Open();
             q.query.Edit();
         },
         kDataSetReadOnly, true},
        {"read-only field",
         [](FakeDirectoryQuery& q) {
             q.query.Open();
             q.query.Edit();
             kAssignId(q);
         },
         kFieldReadOnly.arg("ID"), false},
        {"phone text that is not a number",
         [](FakeDirectoryQuery& q) {
             q.query.Open();
             q.query.Edit();
             kAssignBadTel(q);
         },
         kInvalidFloatValue.arg("2-34-56", "Tel"), false},
        {"FieldByName of a missing field",
         [](FakeDirectoryQuery& q) { q.query.FieldByName(QStringLiteral("Note")); },
         kFieldNotFound.arg("Note"), true},
    };
    for (const QString& name : {QStringLiteral("ADOQuery1"), QStringLiteral("Query7"), QString()}) {
        for (const Failure& f : failures) {
            SCOPED_TRACE(testing::Message() << f.what << " named '" << name.toStdString() << "'");
            FakeDirectoryQuery q;
            q.add(1001, QStringLiteral("A"));
            q.query.SetName(name);
            QString message;
            try {
                f.run(q);
            } catch (const EDatabaseError& error) {
                message = error.message();
            }
            const QString expected =
                f.prefixed && !name.isEmpty() ? name + QStringLiteral(": ") + f.text : f.text;
            EXPECT_EQ(message, expected);
        }
    }
}

TEST(TADOQueryStates, ClosingDropsAPendingChangeWithoutAWrite) {
    for (const Operation& close : {kClose, kAddLine, kClearSql}) {
        FakeDirectoryQuery q;
        Prepare(q, Start::EditModified);
        close(q);
        EXPECT_EQ(q.fios(), (QStringList{"A", "B", "C"}));
        EXPECT_EQ(q.provider.callsMatching({"Recordset.Update", "Recordset.AddNew"}),
                  QStringList{});
    }
}

TEST(TADOQueryStates, SettlingPostsAModifiedRecordAndCancelsAnUntouchedOne) {
    struct Case {
        Start start;
        Operation settle;
        QStringList table;
    };
    const Case cases[] = {
        {Start::EditModified, kRefresh, {"changed", "B", "C"}},
        {Start::EditModified, kFirst, {"changed", "B", "C"}},
        {Start::EditModified, kNext, {"changed", "B", "C"}},
        {Start::EditModified, kFilteredOff, {"changed", "B", "C"}},
        {Start::Edit, kRefresh, {"A", "B", "C"}},
        {Start::Edit, kFirst, {"A", "B", "C"}},
        {Start::Insert, kFirst, {"A", "B", "C"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(StartName(c.start));
        FakeDirectoryQuery q;
        Prepare(q, c.start);
        c.settle(q);
        EXPECT_EQ(q.query.State(), dsBrowse);
        EXPECT_EQ(q.fios(), c.table);
    }
}

TEST(TADOQueryStates, ClearingAnEmptyListAndReopeningDoNothing) {
    FakeDirectoryQuery q;
    q.add(1001, QStringLiteral("A"));
    q.query.SQL().Clear();
    EXPECT_EQ(q.query.SQL().Count(), 0);
    q.provider.clear();
    q.query.SQL().Clear();
    EXPECT_EQ(q.provider.calls(), QStringList{});

    q.query.SQL().Add(QStringLiteral("SELECT ID, tel, fio, Name, Story FROM tel"));
    q.query.Open();
    q.provider.clear();
    q.query.Open();
    EXPECT_TRUE(q.query.Active());
    EXPECT_EQ(q.provider.calls(), QStringList{});
}

} // namespace
