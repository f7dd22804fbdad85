#include "DataSetFixture.h"

#include "data/dataset/TDataLink.h"
#include "data/dataset/TDataSource.h"

namespace zel::test {
namespace {

class EventOrder : public DataSetFixture {};

TEST_F(EventOrder, OpenWithRowsScrollsOnceToFirstRow)
{
    record(query);
    query.Open();
    EXPECT_EQ(events, QStringList({"AfterOpen", "AfterScroll"}));
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.RecordCount(), 3);
    EXPECT_EQ(query.RecNo(), 1);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), u"Иванов"_s);
}

TEST_F(EventOrder, OpenOfEmptyResultFiresNoScrollAndFieldsReadEmpty)
{
    record(query);
    query.SetSQL("SELECT  TOP (0) PERCENT dbo.TEACHER.* FROM dbo.TEACHER");
    query.Open();
    EXPECT_EQ(events, QStringList({"AfterOpen"}));
    EXPECT_EQ(query.RecordCount(), 0);
    EXPECT_EQ(query.RecNo(), 0);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), QString());
    EXPECT_EQ(query.FieldByName("id_teacher")->AsInteger(), 0);
    EXPECT_TRUE(query.FieldByName("ZEL_Update")->IsNull());
}

TEST_F(EventOrder, MoveFromModifiedRowPostsItFirst)
{
    query.Open();
    record(query);
    query.Edit();
    query.FieldByName("p27")->SetAsString(u"Иоанн"_s);
    query.Next();
    EXPECT_EQ(events, QStringList({"AfterEdit", "BeforePost", "AfterPost", "AfterScroll"}));
    EXPECT_EQ(writes(), QStringList({"update TEACHER set p27=Иоанн where id_teacher=1"}));
    EXPECT_EQ(query.RecNo(), 2);
    query.First();
    EXPECT_EQ(query.FieldByName("p27")->AsString(), u"Иоанн"_s);
}

TEST_F(EventOrder, MoveFromUnwrittenEditCancelsIt)
{
    query.Open();
    record(query);
    query.Edit();
    query.Next();
    EXPECT_EQ(events, QStringList({"AfterEdit", "AfterCancel", "AfterScroll"}));
    EXPECT_TRUE(writes().isEmpty());
}

TEST_F(EventOrder, ClickingTheCurrentRowKeepsAPendingInsert)
{
    query.Open();
    query.Next();
    query.Insert();
    record(query);
    query.SetRecNo(2);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(query.State(), dsInsert);
    query.SetRecNo(4);  // the unmodified new row is cancelled, the clicked row becomes current
    EXPECT_EQ(events, QStringList({"AfterCancel", "AfterScroll", "AfterScroll"}));
    EXPECT_EQ(query.FieldByName("id_teacher")->AsInteger(), 3);
}

TEST_F(EventOrder, NextOnLastRowDoesNotScroll)
{
    query.Open();
    query.Last();
    record(query);
    query.Next();
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(query.Eof());
    EXPECT_EQ(query.RecNo(), 3);
}

TEST_F(EventOrder, EditOnEmptyDataSetStartsAnInsert)
{
    query.SetSQL("select top 0 * from TEACHER");
    query.Open();
    record(query);
    query.Edit();
    EXPECT_EQ(query.State(), dsInsert);
    EXPECT_EQ(events, QStringList({"BeforeInsert", "AfterInsert", "AfterScroll"}));
    query.FieldByName("p26")->SetAsString(u"Новиков"_s);
    query.Post();
    EXPECT_EQ(writes(), QStringList({"insert TEACHER p26=Новиков"}));
    EXPECT_EQ(query.FieldByName("id_teacher")->AsInteger(), 4);
    EXPECT_EQ(query.RecordCount(), 1);
}

TEST_F(EventOrder, EditTwiceIsNothingTheSecondTime)
{
    query.Open();
    record(query);
    query.Edit();
    query.Edit();
    EXPECT_EQ(events, QStringList({"AfterEdit"}));
}

TEST_F(EventOrder, InsertPostsPendingRowThenPlacesBlankRowAtCurrentPosition)
{
    query.Open();
    query.Next();
    record(query);
    query.Edit();
    query.FieldByName("p26")->SetAsString(u"Петрова"_s);
    query.Insert();
    EXPECT_EQ(events, QStringList({"AfterEdit", "BeforePost", "AfterPost", "BeforeInsert",
                                   "AfterInsert", "AfterScroll"}));
    EXPECT_EQ(query.RecNo(), 2);
    EXPECT_EQ(query.RecordCount(), 4);
    EXPECT_TRUE(query.FieldByName("p26")->IsNull());
    query.Cancel();
    EXPECT_EQ(query.RecNo(), 2);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), u"Петрова"_s);
}

TEST_F(EventOrder, CancelOfInsertScrollsAndRemovesTheRow)
{
    query.Open();
    record(query);
    query.Insert();
    events.clear();
    query.Cancel();
    EXPECT_EQ(events, QStringList({"AfterCancel", "AfterScroll"}));
    EXPECT_EQ(query.RecordCount(), 3);
    EXPECT_EQ(query.State(), dsBrowse);
}

TEST_F(EventOrder, CancelOfEditDoesNotScroll)
{
    query.Open();
    record(query);
    query.Edit();
    query.FieldByName("p26")->SetAsString(u"Другой"_s);
    query.Cancel();
    EXPECT_EQ(events, QStringList({"AfterEdit", "AfterCancel"}));
    EXPECT_EQ(query.FieldByName("p26")->AsString(), u"Иванов"_s);
}

TEST_F(EventOrder, PostAsksLinksForPendingTextBeforeBeforePost)
{
    struct PendingText : TDataLink {
        QStringList* events;
        void updateData() override
        {
            *events << "updateData";
            DataSet()->FieldByName("p27")->SetAsString(u"Набранное"_s);
        }
    } link;
    link.events = &events;
    TDataSource source(&query);
    link.SetDataSource(&source);
    query.Open();
    record(query);
    ASSERT_TRUE(link.Edit());
    query.Post();
    EXPECT_EQ(events, QStringList({"AfterEdit", "updateData", "BeforePost", "AfterPost"}));
    EXPECT_EQ(query.FieldByName("p27")->AsString(), u"Набранное"_s);
}

TEST_F(EventOrder, PendingTextIsWrittenBeforeAMoveDecidesToPost)
{
    struct PendingText : TDataLink {
        bool pending = true;
        void updateData() override
        {
            if (pending)
                DataSet()->FieldByName("p27")->SetAsString(u"Набранное"_s);
            pending = false;
        }
    } link;
    TDataSource source(&query);
    link.SetDataSource(&source);
    query.Open();
    query.Edit();
    query.Next();
    EXPECT_EQ(writes(), QStringList({"update TEACHER set p27=Набранное where id_teacher=1"}));
}

TEST_F(EventOrder, DeleteOfInsertedRowOnlyCancels)
{
    query.Open();
    record(query);
    query.Insert();
    events.clear();
    query.Delete();
    EXPECT_EQ(events, QStringList({"AfterCancel", "AfterScroll"}));
    EXPECT_TRUE(writes().isEmpty());
    EXPECT_EQ(query.RecordCount(), 3);
}

TEST_F(EventOrder, DeleteRemovesTheRowOnTheServerThenScrolls)
{
    query.Open();
    query.Next();
    record(query);
    query.Delete();
    EXPECT_EQ(events, QStringList({"BeforeDelete", "AfterDelete", "AfterScroll"}));
    EXPECT_EQ(writes(), QStringList({"delete TEACHER where id_teacher=2"}));
    EXPECT_EQ(query.RecordCount(), 2);
    EXPECT_EQ(query.FieldByName("id_teacher")->AsInteger(), 3);
}

TEST_F(EventOrder, DeleteOnEmptyDataSetIsAnError)
{
    query.SetSQL("select top 0 * from TEACHER");
    query.Open();
    record(query);
    EXPECT_THROW(query.Delete(), DataError);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(EventOrder, FailingBeforeEventsKeepTheState)
{
    query.Open();
    query.BeforeInsert = [](TDataSet&) { throw DataError("нет"); };
    EXPECT_THROW(query.Insert(), DataError);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.RecordCount(), 3);

    query.BeforeDelete = [](TDataSet&) { throw DataError("нет"); };
    EXPECT_THROW(query.Delete(), DataError);
    EXPECT_EQ(query.RecordCount(), 3);
    EXPECT_TRUE(writes().isEmpty());

    query.Edit();
    query.FieldByName("p26")->SetAsString("X");
    query.BeforePost = [](TDataSet&) { throw DataError("нет"); };
    EXPECT_THROW(query.Post(), DataError);
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), "X");
    EXPECT_TRUE(writes().isEmpty());
}

TEST_F(EventOrder, CloseDropsRowsAndAPendingChangeWithoutEvents)
{
    query.Open();
    query.Edit();
    query.FieldByName("p26")->SetAsString("Z");
    record(query);
    query.Close();
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(query.State(), dsInactive);
    EXPECT_EQ(query.RecordCount(), 0);
    EXPECT_TRUE(query.FieldByName("p26")->IsNull());
    EXPECT_TRUE(writes().isEmpty());
    EXPECT_THROW(query.Edit(), DataError);
}

TEST_F(EventOrder, RequeryReadsRowsChangedByOthers)
{
    query.Open();
    server->addRow("TEACHER", {4, u"Новая"_s, u"Анна"_s, QVariant(), QVariant(), true});
    EXPECT_EQ(query.RecordCount(), 3);
    record(query);
    query.Requery();
    EXPECT_EQ(query.RecordCount(), 4);
    EXPECT_EQ(events, QStringList({"AfterOpen", "AfterScroll"}));
}

TEST_F(EventOrder, AHandlerMayPutTheSavedHandlerBackWhileItRuns)
{
    query.Open();
    QStringList calls;
    TDataSetNotifyEvent own = [&calls](TDataSet&) { calls << "own AfterPost"; };
    query.AfterPost = own;
    // an attached component: its handler detaches (restores the saved one) and then
    // still uses its own state
    auto state = std::make_shared<QString>("attached");
    query.AfterPost = [&calls, &own, state](TDataSet& ds) {
        ds.AfterPost = own;
        calls << *state;
        own(ds);
    };
    TDataSetErrorEvent ownError = [&calls](TDataSet&, const Error&, TDataAction&) { calls << "own error"; };
    query.OnPostError = [&calls, ownError, state](TDataSet& ds, const Error&, TDataAction&) {
        ds.OnPostError = ownError;
        calls << *state + " error";
    };
    state.reset();
    query.Edit();
    query.FieldByName("p26")->SetAsString("W");
    query.Post();
    query.Edit();
    query.FieldByName("p26")->SetAsString("X");
    query.Post();
    EXPECT_EQ(calls, QStringList({"attached", "own AfterPost", "own AfterPost"}));
    server->failWith = [](const QString&) { throw DbError("refused"); };
    query.Edit();
    query.FieldByName("p26")->SetAsString("Y");
    EXPECT_THROW(query.Post(), DbError);
    EXPECT_THROW(query.Post(), DbError);
    EXPECT_EQ(calls.mid(3), QStringList({"attached error", "own error"}));
}

TEST_F(EventOrder, HandlersReadOutAndPutBackKeepWorking)
{
    query.Open();
    int ownRuns = 0;
    query.BeforePost = [&](TDataSet&) { ++ownRuns; };
    const TDataSetNotifyEvent saved = query.BeforePost;
    int replacementRuns = 0;
    query.BeforePost = [&](TDataSet& ds) {
        ++replacementRuns;
        if (saved)
            saved(ds);
    };
    query.Edit();
    query.FieldByName("p26")->SetAsString("A");
    query.Post();
    query.BeforePost = saved;
    query.Edit();
    query.FieldByName("p26")->SetAsString("B");
    query.Post();
    EXPECT_EQ(replacementRuns, 1);
    EXPECT_EQ(ownRuns, 2);
}

}  // namespace
}  // namespace zel::test
