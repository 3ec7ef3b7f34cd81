// Data sources relay the query's notifications to their links; links size the row window.
#include "data/TDataLink.h"
#include "data/TDataSource.h"
#include "data/TFloatField.h"
#include "data/TWideStringField.h"
#include "platform/Exceptions.h"
#include "tests/data/FakeDirectoryQuery.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Logs every hook as text.
class RecordingLink : public TDataLink {
public:
    QStringList log;

protected:
    void ActiveChanged() override { log << QStringLiteral("ActiveChanged %1").arg(Active()); }
    void EditingChanged() override { log << QStringLiteral("EditingChanged %1").arg(Editing()); }
    void DataSetChanged() override { log << QStringLiteral("DataSetChanged"); }
    void DataSetScrolled(int distance) override {
        log << QStringLiteral("DataSetScrolled %1").arg(distance);
    }
    void RecordChanged(TField* field) override {
        log << QStringLiteral("RecordChanged ") +
                   (field != nullptr ? field->FieldName() : QStringLiteral("-"));
    }
    void LayoutChanged() override { log << QStringLiteral("LayoutChanged"); }
    void UpdateData() override { log << QStringLiteral("UpdateData"); }
    void CheckBrowseMode() override { log << QStringLiteral("CheckBrowseMode"); }
};

class TDataLinkTest : public ::testing::Test {
protected:
    TDataLinkTest() {
        q.addNumbered(200);
        source.SetDataSet(&q.query);
        link.SetDataSource(&source);
    }
    QStringList TakeLog() { return std::exchange(link.log, {}); }
    double Tel() const { return q.fields.ADOQuery1Tel->AsFloat(); }

    FakeDirectoryQuery q;
    TDataSource source;
    RecordingLink link;
};

TEST_F(TDataLinkTest, RelaysEveryNotificationOfTheQuery) {
    struct Step {
        const char* what;
        std::function<void()> run;
        QStringList hooks;
    };
    TWideStringField& fio = *q.fields.ADOQuery1Fio;
    const Step steps[] = {
        {"Open", [&] { q.query.Open(); }, {"ActiveChanged 1"}},
        {"Next", [&] { q.query.Next(); }, {"CheckBrowseMode", "DataSetScrolled 1"}},
        {"First", [&] { q.query.First(); }, {"CheckBrowseMode", "DataSetChanged"}},
        {"Edit",
         [&] { q.query.Edit(); },
         {"CheckBrowseMode", "EditingChanged 1", "RecordChanged -"}},
        {"assignment", [&] { fio.SetAsString("x"); }, {"RecordChanged Fio"}},
        {"Post",
         [&] { q.query.Post(); },
         {"UpdateData", "CheckBrowseMode", "EditingChanged 0", "DataSetChanged"}},
        {"Insert",
         [&] { q.query.Insert(); },
         {"CheckBrowseMode", "EditingChanged 1", "DataSetChanged"}},
        {"Cancel",
         [&] { q.query.Cancel(); },
         {"CheckBrowseMode", "EditingChanged 0", "DataSetChanged"}},
        {"Delete", [&] { q.query.Delete(); }, {"CheckBrowseMode", "DataSetChanged"}},
        {"Refresh", [&] { q.query.Refresh(); }, {"CheckBrowseMode", "DataSetChanged"}},
        {"Close", [&] { q.query.Close(); }, {"ActiveChanged 0"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.run();
        EXPECT_EQ(TakeLog(), step.hooks);
    }
}

TEST_F(TDataLinkTest, SettlingAnEditRelaysTheCheckAndTheCollection) {
    q.query.Open();
    q.query.Edit();
    q.fields.ADOQuery1Fio->SetAsString(QStringLiteral("x"));
    TakeLog();
    q.query.Next();
    EXPECT_EQ(TakeLog(),
              (QStringList{"CheckBrowseMode", "UpdateData", "UpdateData", "CheckBrowseMode",
                           "EditingChanged 0", "DataSetChanged", "DataSetScrolled 1"}));
}

TEST_F(TDataLinkTest, EveryLinkOfEverySourceHearsIt) {
    TDataSource second;
    second.SetDataSet(&q.query);
    RecordingLink other;
    RecordingLink third;
    other.SetDataSource(&source);
    third.SetDataSource(&second);
    q.query.Open();
    for (RecordingLink* l : {&link, &other, &third}) {
        EXPECT_EQ(l->log, QStringList{"ActiveChanged 1"});
        EXPECT_TRUE(l->Active());
    }
    EXPECT_EQ(source.State(), dsBrowse);
    EXPECT_EQ(source.Links().size(), 2u);
}

TEST_F(TDataLinkTest, BufferCountSizesTheWindowAndSurvivesAClose) {
    link.SetBufferCount(19);
    EXPECT_EQ(q.query.Window().Capacity(), 19);
    EXPECT_EQ(link.RecordCount(), 0); // closed
    q.query.Open();
    EXPECT_EQ(link.RecordCount(), 19);
    EXPECT_EQ(link.ActiveRecord(), 0);
    q.query.Close();
    q.query.Open();
    EXPECT_EQ(q.query.Window().Capacity(), 19);
    EXPECT_EQ(link.RecordCount(), 19);

    link.SetBufferCount(5); // shrinks
    EXPECT_EQ(q.query.Window().Count(), 5);
}

TEST_F(TDataLinkTest, ActiveLinkThatGrowsTheWindowGetsRecordsAtOnce) {
    q.query.Open();
    EXPECT_EQ(link.RecordCount(), 1);
    q.query.MoveBy(195); // record 196 of 200
    link.SetBufferCount(19);
    EXPECT_EQ(link.RecordCount(), 19);
    EXPECT_EQ(Tel(), 1196);
    EXPECT_EQ(link.ActiveRecord(), 14); // 4 records after it, 14 before
}

TEST_F(TDataLinkTest, TheLargestCapacityWinsAndSmallerLinksSeeTheirPart) {
    RecordingLink small;
    small.SetDataSource(&source);
    small.SetBufferCount(5);
    link.SetBufferCount(10);
    q.query.Open();
    EXPECT_EQ(q.query.Window().Capacity(), 10);
    EXPECT_EQ(small.RecordCount(), 5);
    q.query.MoveBy(7);
    EXPECT_EQ(link.ActiveRecord(), 7);
    EXPECT_EQ(small.ActiveRecord(), 4); // its part follows the current record
    q.query.MoveBy(5);                  // the window shifts by 3
    EXPECT_EQ(link.ActiveRecord(), 9);
    EXPECT_EQ(small.ActiveRecord(), 4);
    EXPECT_EQ(link.log.back(), QStringLiteral("DataSetScrolled 3"));
    EXPECT_EQ(small.log.back(), QStringLiteral("DataSetScrolled 5"));

    small.SetDataSource(nullptr);
    link.SetBufferCount(3);
    EXPECT_EQ(q.query.Window().Capacity(), 3);
}

TEST_F(TDataLinkTest, AWindowPositionIsCurrentForAMomentWithoutNotifications) {
    link.SetBufferCount(19);
    q.query.Open();
    q.query.MoveBy(3);
    TakeLog();
    const int previous = link.ActiveRecord();
    link.SetActiveRecord(10);
    EXPECT_EQ(Tel(), 1011);
    EXPECT_EQ(q.fields.ADOQuery1Fio->AsString(), QStringLiteral("Person 11"));
    link.SetActiveRecord(previous);
    EXPECT_EQ(Tel(), 1004);
    EXPECT_EQ(TakeLog(), QStringList{});
}

TEST_F(TDataLinkTest, DisabledControlsHearOneDataSetChangeAtTheEnd) {
    link.SetBufferCount(19);
    q.query.Open();
    TakeLog();
    q.query.DisableControls();
    q.query.DisableControls();
    q.query.MoveBy(30);
    q.query.Delete();
    q.query.EnableControls();
    EXPECT_EQ(TakeLog(), QStringList{});
    q.query.EnableControls();
    EXPECT_EQ(TakeLog(), QStringList{"DataSetChanged"});
    q.query.EnableControls(); // unbalanced: nothing
    EXPECT_EQ(TakeLog(), QStringList{});

    q.query.DisableControls();
    q.query.EnableControls();
    EXPECT_EQ(TakeLog(), QStringList{});

    q.query.DisableControls();
    q.query.Close();
    q.query.EnableControls();
    EXPECT_EQ(TakeLog(), QStringList{"ActiveChanged 0"});
}

TEST_F(TDataLinkTest, ASeveralRecordWindowNeedsBookmarks) {
    q.database.supported &= ~ado::adBookmark;
    link.SetBufferCount(2);
    try {
        q.query.Open();
        FAIL() << "opened";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Dataset does not support bookmarks, which are "
                                                  "required for multi-record data controls"));
    }
    EXPECT_FALSE(q.query.Active());
    link.SetBufferCount(1);
    q.query.Open();
    EXPECT_EQ(q.query.MoveBy(2), 2);
    EXPECT_EQ(Tel(), 1003);
}

TEST_F(TDataLinkTest, LinksGoInactiveWhenTheirSourceOrQueryGoes) {
    q.query.Open();
    auto query = std::make_unique<FakeDirectoryQuery>();
    query->query.Open();
    auto dataSource = std::make_unique<TDataSource>();
    dataSource->SetDataSet(&query->query);
    RecordingLink first;
    RecordingLink second;
    first.SetDataSource(dataSource.get());
    second.SetDataSource(dataSource.get());
    EXPECT_TRUE(first.Active());
    query.reset();
    EXPECT_FALSE(first.Active());
    EXPECT_EQ(dataSource->DataSet(), nullptr);

    dataSource->SetDataSet(&q.query);
    EXPECT_TRUE(second.Active());
    dataSource.reset();
    EXPECT_FALSE(second.Active());
    EXPECT_EQ(second.DataSource(), nullptr);
    EXPECT_EQ(second.log.back(), QStringLiteral("ActiveChanged 0"));
}

} // namespace
