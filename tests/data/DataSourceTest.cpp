#include "DataSetFixture.h"

#include "data/dataset/TDataLink.h"
#include "data/dataset/TDataSource.h"

#include <memory>

namespace zel::test {
namespace {

/// A control's view of a data source: what it is told and when.
struct RecordingLink : TDataLink {
    QStringList calls;
    void activeChanged() override { calls << (Active() ? "active" : "inactive"); }
    void dataSetChanged() override { calls << "changed"; }
    void dataSetScrolled() override { calls << "scrolled"; }
    void recordChanged(TField* field) override { calls << "record:" + (field ? field->FieldName() : "*"); }
    void stateChanged() override { calls << "state"; }
    void editingChanged() override { calls << (Editing() ? "editing" : "browsing"); }
    void updateData() override { calls << "updateData"; }
};

class DataSources : public DataSetFixture {
protected:
    TDataSource source{&query};
    RecordingLink link;
};

TEST_F(DataSources, LinksHearOpenScrollEditAndClose)
{
    link.SetDataSource(&source);
    link.calls.clear();
    query.Open();
    EXPECT_EQ(link.calls.first(), "active");
    link.calls.clear();
    query.Next();
    EXPECT_EQ(link.calls, QStringList({"scrolled"}));
    link.calls.clear();
    ASSERT_TRUE(link.Edit());
    query.FieldByName("p26")->SetAsString("A");
    EXPECT_EQ(link.calls, QStringList({"state", "editing", "record:p26"}));
    link.calls.clear();
    query.Post();
    EXPECT_EQ(link.calls, QStringList({"updateData", "state", "browsing", "changed"}));
    link.calls.clear();
    query.Close();
    EXPECT_EQ(link.calls, QStringList({"inactive"}));
}

TEST_F(DataSources, EditOnAnEmptyDataSetStartsAnInsertAndAutoEditCanBeOff)
{
    query.SetSQL("select top 0 * from TEACHER");
    query.Open();
    link.SetDataSource(&source);
    source.SetAutoEdit(false);
    EXPECT_FALSE(link.Edit());
    EXPECT_EQ(query.State(), dsBrowse);
    source.SetAutoEdit(true);
    EXPECT_TRUE(link.Edit());
    EXPECT_EQ(query.State(), dsInsert);
    EXPECT_EQ(source.State(), dsInsert);
}

TEST_F(DataSources, EditOfAClosedDataSetIsRefusedQuietly)
{
    link.SetDataSource(&source);
    EXPECT_FALSE(link.Edit());
    EXPECT_FALSE(link.Active());
}

TEST_F(DataSources, EitherSideMayBeDestroyedFirst)
{
    auto ownSource = std::make_unique<TDataSource>(&query);
    link.SetDataSource(ownSource.get());
    ownSource.reset();
    EXPECT_EQ(link.DataSource(), nullptr);
    query.Open();  // must not reach the destroyed source

    auto dataSet = std::make_unique<TADOQuery>("temp");
    TDataSource temp(dataSet.get());
    dataSet.reset();
    EXPECT_EQ(temp.DataSet(), nullptr);
    EXPECT_EQ(temp.State(), dsInactive);

    auto ownLink = std::make_unique<RecordingLink>();
    ownLink->SetDataSource(&source);
    ownLink.reset();
    query.Next();  // must not reach the destroyed link
    EXPECT_TRUE(source.links().empty());
}

TEST_F(DataSources, DataChangeAndStateChangeHandlers)
{
    QStringList seen;
    source.OnDataChange = [&](TField* field) { seen << (field ? field->FieldName() : "row"); };
    source.OnStateChange = [&] { seen << "state"; };
    query.Open();
    query.Edit();
    query.FieldByName("p27")->SetAsString("B");
    EXPECT_EQ(seen, QStringList({"row", "state", "p27"}));
}

TEST_F(DataSources, ALinkMayLeaveWhileBeingNotified)
{
    struct Leaver : TDataLink {
        void dataSetScrolled() override { SetDataSource(nullptr); }
    } leaver;
    leaver.SetDataSource(&source);
    link.SetDataSource(&source);
    query.Open();
    link.calls.clear();
    query.Next();
    EXPECT_EQ(leaver.DataSource(), nullptr);
    EXPECT_EQ(link.calls, QStringList({"scrolled"}));
}

}  // namespace
}  // namespace zel::test
