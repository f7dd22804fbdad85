#include "DataSetFixture.h"

#include "data/dataset/TADOTable.h"

namespace zel::test {
namespace {

/// Posting and deleting rows on the server, and what happens when that fails.
class WriteThrough : public DataSetFixture {
protected:
    void SetUp() override
    {
        DataSetFixture::SetUp();
        // the directory's statement: table columns plus one the statement computes
        auto& teacher = server->table("TEACHER");
        server->addTable("TEACHER_FIO", teacher.columns);
        auto& fio = server->table("TEACHER_FIO");
        for (auto& c : fio.columns)
            c.baseTable = "TEACHER";
        db::ColumnInfo computed = FakeServer::column("t_fio", db::SqlType::VarChar, 150);
        computed.baseTable.clear();
        computed.baseColumn.clear();
        fio.columns.push_back(computed);
        for (auto row : teacher.rows) {
            row.push_back(row[1].toString() + " " + row[2].toString());
            fio.rows.push_back(row);
        }
        server->cannedResults.insert("select teacher.*, p26+' '+p27 as t_fio from teacher", "TEACHER_FIO");
        query.SetSQL("select teacher.*, p26+' '+p27 as t_fio from teacher");
    }
};

TEST_F(WriteThrough, EditWritesOnlyChangedColumnsOfTheBaseTable)
{
    query.Open();
    query.Edit();
    query.FieldByName("p26")->SetAsString(u"Иванова"_s);
    query.FieldByName("p27")->SetAsString(u"Иван"_s);  // same as before
    query.FieldByName("t_fio")->SetAsString(u"computed"_s);
    query.Post();
    EXPECT_EQ(writes(), QStringList({u"update TEACHER set p26=Иванова where id_teacher=1"_s}));
    EXPECT_EQ(server->table("TEACHER").rows[0][1].toString(), u"Иванова"_s);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), u"Иванова"_s);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_FALSE(query.Modified());
}

TEST_F(WriteThrough, PostWithoutChangesSendsNothing)
{
    query.Open();
    query.Edit();
    query.FieldByName("p26")->SetAsString(u"Иванов"_s);
    EXPECT_TRUE(query.Modified());
    query.Post();
    EXPECT_TRUE(writes().isEmpty());
}

TEST_F(WriteThrough, InsertSendsAssignedColumnsAndReadsTheIdentityBack)
{
    query.Open();
    query.Append();
    query.FieldByName("p26")->SetAsString(u"Новый"_s);
    query.FieldByName("status")->SetAsBoolean(true);
    query.FieldByName("t_fio")->SetAsString(u"Новый"_s);
    query.Post();
    EXPECT_EQ(writes(), QStringList({u"insert TEACHER p26=Новый,status=true"_s}));
    EXPECT_EQ(query.FieldByName("id_teacher")->AsInteger(), 4);
    EXPECT_EQ(query.RecordCount(), 4);
    EXPECT_EQ(query.RecNo(), 4);
    // the posted row can be edited and deleted by its new key
    query.Edit();
    query.FieldByName("p27")->SetAsString(u"Имя"_s);
    query.Post();
    query.Delete();
    EXPECT_EQ(writes().mid(1), QStringList({u"update TEACHER set p27=Имя where id_teacher=4"_s,
                                            u"delete TEACHER where id_teacher=4"_s}));
}

TEST_F(WriteThrough, RowChangedByAnotherUserIsAnErrorNotASilentSuccess)
{
    query.Open();
    server->table("TEACHER").rows.erase(server->table("TEACHER").rows.begin());
    query.Edit();
    query.FieldByName("p26")->SetAsString(u"Другой"_s);
    try {
        query.Post();
        FAIL() << "posted";
    } catch (const DataError& e) {
        EXPECT_EQ(e.message(), u"Строка не найдена: запись изменена или удалена другим пользователем."_s);
    }
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), u"Другой"_s);
    query.Cancel();
    EXPECT_THROW(query.Delete(), DataError);
    EXPECT_EQ(query.RecordCount(), 3);
}

TEST_F(WriteThrough, ServerRefusalKeepsTheUsersValuesInEditState)
{
    query.Open();
    server->failWith = [](const QString& op) {
        if (op == u"update")
            throw DbError("The UPDATE permission was denied on the object 'TEACHER'.",
                          DbError::Kind::PermissionDenied);
    };
    query.Edit();
    query.FieldByName("p26")->SetAsString(u"Попытка"_s);
    try {
        query.Post();
        FAIL() << "posted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("UPDATE permission"));
    }
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), u"Попытка"_s);
    EXPECT_EQ(query.FieldByName("p26")->OldValue().toString(), u"Иванов"_s);
}

TEST_F(WriteThrough, PostErrorActions)
{
    query.Open();
    int failures = 0;
    server->failWith = [&](const QString& op) {
        if (op == u"insert" && failures++ < 2)
            throw DbError("Timeout expired", DbError::Kind::Timeout);
    };
    QString seen;
    query.OnPostError = [&](TDataSet&, const Error& error, TDataAction& action) {
        seen = error.message();
        EXPECT_EQ(action, daFail);
        action = daRetry;
    };
    query.Insert();
    query.FieldByName("p26")->SetAsString("R");
    query.Post();
    EXPECT_EQ(seen, "Timeout expired");
    EXPECT_EQ(failures, 3);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.FieldByName("id_teacher")->AsInteger(), 4);

    // abort: the silent signal, after the handler cancelled the row
    server->failWith = [](const QString& op) {
        if (op == u"update")
            throw DbError("denied", DbError::Kind::PermissionDenied);
    };
    query.OnPostError = [](TDataSet& ds, const Error&, TDataAction& action) {
        action = daAbort;
        ds.Cancel();
    };
    query.Edit();
    query.FieldByName("p26")->SetAsString("S");
    EXPECT_THROW(query.Post(), AbortSignal);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), "R");

    // a handler that leaves the action as it is lets the error through
    query.OnPostError = [](TDataSet&, const Error&, TDataAction&) {};
    query.Edit();
    query.FieldByName("p26")->SetAsString("T");
    EXPECT_THROW(query.Post(), DbError);
    EXPECT_EQ(query.State(), dsEdit);
}

TEST_F(WriteThrough, AFailedPostStartedByAMoveStopsTheMove)
{
    query.Open();
    server->failWith = [](const QString& op) {
        if (op == u"update")
            throw DbError("denied");
    };
    query.Edit();
    query.FieldByName("p26")->SetAsString("U");
    EXPECT_THROW(query.Next(), DbError);
    EXPECT_EQ(query.RecNo(), 1);
    EXPECT_EQ(query.State(), dsEdit);
}

TEST_F(WriteThrough, EditErrorActionsOnAReadOnlyDataSet)
{
    query.Open();
    query.SetReadOnly(true);
    EXPECT_THROW(query.Edit(), DataError);
    EXPECT_EQ(query.State(), dsBrowse);
    query.OnEditError = [](TDataSet& ds, const Error&, TDataAction& action) {
        ds.SetReadOnly(false);
        action = daRetry;
    };
    query.Edit();
    EXPECT_EQ(query.State(), dsEdit);
    query.Cancel();
    query.SetReadOnly(true);
    query.OnEditError = [](TDataSet&, const Error&, TDataAction& action) { action = daAbort; };
    EXPECT_THROW(query.Edit(), AbortSignal);
    EXPECT_THROW(query.Insert(), DataError);
    EXPECT_THROW(query.Delete(), DataError);
}

TEST_F(WriteThrough, RequiredFieldRefusesNullThroughThePostErrorHandler)
{
    query.Open();
    query.FieldByName("p26")->SetRequired(true);
    bool handled = false;
    query.OnPostError = [&](TDataSet&, const Error& error, TDataAction&) {
        handled = error.message().contains("p26");
    };
    query.Insert();
    EXPECT_THROW(query.Post(), DataError);
    EXPECT_TRUE(handled);
    EXPECT_EQ(query.State(), dsInsert);
    EXPECT_TRUE(writes().isEmpty());
}

TEST_F(WriteThrough, TableWritesToItsTableWhenTheResultNamesNone)
{
    auto& republic = server->addTable("Republic", {FakeServer::identity("id_republic"),
                                                   FakeServer::column("republic", db::SqlType::NVarChar, 50),
                                                   FakeServer::column("visible", db::SqlType::Bit)});
    for (auto& c : republic.columns) {
        c.baseTable.clear();
        c.key = false;
    }
    server->addRow("Republic", {1, u"Кыргызстан"_s, true});
    TADOTable table("ADOT_Republic");
    table.SetConnection(&connection);
    table.SetTableName("Republic");
    table.Open();
    EXPECT_EQ(server->log.last(), "query: select * from [Republic]");
    table.Edit();
    table.FieldByName("visible")->SetAsBoolean(false);
    table.Post();
    EXPECT_EQ(writes(), QStringList({"update Republic set visible=false where id_republic=1"}));
}

TEST_F(WriteThrough, DeleteInEditStateDeletesTheRow)
{
    query.Open();
    query.Edit();
    query.FieldByName("p26")->SetAsString("V");
    query.Delete();
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(writes(), QStringList({"delete TEACHER where id_teacher=1"}));
    EXPECT_EQ(query.FieldByName("id_teacher")->AsInteger(), 2);
}

TEST_F(WriteThrough, DeletingTheLastRowLeavesAnEmptyDataSet)
{
    query.SetSQL("select * from TEACHER where id_teacher = 3");
    query.Open();
    query.Delete();
    EXPECT_EQ(query.RecordCount(), 0);
    EXPECT_TRUE(query.FieldByName("p26")->IsNull());
    EXPECT_THROW(query.Delete(), DataError);
    query.Edit();
    EXPECT_EQ(query.State(), dsInsert);
}

}  // namespace
}  // namespace zel::test
