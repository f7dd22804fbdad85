#include "DataSetFixture.h"

#include "data/dataset/TADOStoredProc.h"
#include "data/dataset/TADOTransaction.h"

namespace zel::test {
namespace {

/// The connection, statements without rows and stored procedures.
class Connection : public DataSetFixture {};

TEST_F(Connection, OpeningADataSetConnectsAndClosingTheConnectionClosesIt)
{
    EXPECT_FALSE(connection.Connected());
    query.Open();
    EXPECT_TRUE(connection.Connected());
    EXPECT_EQ(server->opens, 1);
    connection.Close();
    EXPECT_FALSE(query.Active());
    EXPECT_FALSE(connection.Connected());
    query.Open();
    EXPECT_EQ(server->opens, 2);
}

TEST_F(Connection, ARefusedLoginStaysClosedWithTheServersText)
{
    server->failWith = [](const QString& op) {
        if (op == u"open")
            throw DbError("Login failed for user 'u'.", DbError::Kind::LoginFailed);
    };
    try {
        connection.Open();
        FAIL() << "connected";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), "Login failed for user 'u'.");
        EXPECT_EQ(e.kind(), DbError::Kind::LoginFailed);
    }
    EXPECT_FALSE(connection.Connected());
    EXPECT_THROW(query.Open(), DbError);
    EXPECT_FALSE(query.Active());
}

TEST_F(Connection, UnknownDataSourceIsAnError)
{
    connection.SetConnectionString("Provider=SQLOLEDB.1;Data Source=nowhere-known");
    EXPECT_THROW(connection.Open(), DbError);
    EXPECT_FALSE(connection.Connected());
}

TEST_F(Connection, ReplacingTheStringClosesTheConnection)
{
    query.Open();
    connection.SetConnectionString(FakeRegistry::connectionString());
    EXPECT_FALSE(connection.Connected());
    EXPECT_FALSE(query.Active());
}

TEST_F(Connection, ReplacingSqlClosesTheQueryAndTheNextOpenRunsTheNewText)
{
    query.Open();
    query.SetSQL("select * from TEACHER where id_teacher = 2");
    EXPECT_FALSE(query.Active());
    query.Open();
    EXPECT_EQ(server->log.last(), "query: select * from TEACHER where id_teacher = 2");
    EXPECT_EQ(query.RecordCount(), 1);
    query.SetSQL(QStringList({"SELECT *", "FROM TEACHER"}));
    EXPECT_EQ(query.SQL(), "SELECT *\nFROM TEACHER");
}

TEST_F(Connection, ExecTextIsOpenedLikeAnyQueryAndExecSqlRunsWithoutRows)
{
    server->cannedResults.insert("exec Ab_RepublicProcSchool", "TEACHER");
    query.SetSQL("exec Ab_RepublicProcSchool");
    query.Open();
    EXPECT_EQ(query.RecordCount(), 3);
    query.SetSQL("INSERT INTO ZEL_LOG (a) VALUES ('O''Brien')");
    EXPECT_EQ(query.ExecSQL(), 1);
    EXPECT_EQ(server->log.last(), "execute: INSERT INTO ZEL_LOG (a) VALUES ('O''Brien')");
    EXPECT_FALSE(query.Active());
    query.SetSQL("   ");
    EXPECT_THROW(query.ExecSQL(), DataError);
}

TEST_F(Connection, StoredProcedureParametersBySetPosition)
{
    TADOStoredProc proc("ADOStoredProc1");
    proc.SetConnection(&connection);
    proc.SetProcedureName("Update_Family_Staus");
    proc.Parameters() = {
        {"@RETURN_VALUE", db::SqlType::Int, TParameter::Direction::ReturnValue, true, {}},
        {"@OldStatus", db::SqlType::Int, TParameter::Direction::Input, true, {}},
        {"@NewStatus", db::SqlType::Int, TParameter::Direction::Input, true, {}},
    };
    proc.Parameter(1).Value = 3;
    proc.Parameter(2).Value = 15;
    proc.ExecProc();
    ASSERT_EQ(server->lastProcedureParameters.size(), 3u);
    EXPECT_EQ(server->lastProcedure, "Update_Family_Staus");
    EXPECT_EQ(server->lastProcedureParameters[1].value, QVariant(3));
    EXPECT_EQ(server->lastProcedureParameters[2].name, "@NewStatus");
    EXPECT_EQ(proc.Parameter(0).Value, QVariant(0));
    EXPECT_EQ(proc.ParamByName("newstatus").Value, QVariant(15));
    EXPECT_THROW(proc.Parameter(3), DataError);
    EXPECT_THROW(proc.Open(), DataError);
    EXPECT_FALSE(proc.Active());

    proc.Parameter(2).Nullable = false;
    proc.Parameter(2).Value = QVariant();
    server->lastProcedure.clear();
    EXPECT_THROW(proc.ExecProc(), DataError);
    EXPECT_TRUE(server->lastProcedure.isEmpty());
}

TEST_F(Connection, ADataSetWithoutConnectionSaysSo)
{
    TADOQuery lonely("ADOQ_Temp");
    lonely.SetSQL("select * from TEACHER");
    try {
        lonely.Open();
        FAIL() << "opened";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.message().contains("ADOQ_Temp"));
    }
}

TEST_F(Connection, NestedTransactionsJoinTheOutermostAndAnInnerRollbackUndoesIt)
{
    auto ends = [this] { return server->log.filter(QRegularExpression("^(begin|commit|rollback)$")); };
    EXPECT_EQ(connection.BeginTrans(), 1);
    EXPECT_EQ(connection.BeginTrans(), 2);
    connection.CommitTrans();
    EXPECT_TRUE(connection.InTransaction());
    connection.CommitTrans();
    EXPECT_FALSE(connection.InTransaction());
    EXPECT_EQ(ends(), QStringList({"begin", "commit"}));

    server->log.clear();
    connection.BeginTrans();
    connection.BeginTrans();
    connection.RollbackTrans();  // the inner level only marks it
    EXPECT_EQ(ends(), QStringList({"begin"}));
    EXPECT_THROW(connection.CommitTrans(), DataError);
    EXPECT_EQ(ends(), QStringList({"begin", "rollback"}));
    EXPECT_FALSE(connection.InTransaction());
    EXPECT_THROW(connection.CommitTrans(), DataError);
    connection.RollbackTrans();  // nothing open: nothing happens
    EXPECT_EQ(ends(), QStringList({"begin", "rollback"}));
}

TEST_F(Connection, RefusedCommitIsUndoneAndClosingUndoesAnOpenTransaction)
{
    auto ends = [this] { return server->log.filter(QRegularExpression("^(begin|commit|rollback)$")); };
    server->failWith = [](const QString& op) {
        if (op == u"commit")
            throw DbError("The database file cannot be used: disk I/O error", DbError::Kind::Storage);
    };
    connection.BeginTrans();
    EXPECT_THROW(connection.CommitTrans(), DbError);
    EXPECT_EQ(ends(), QStringList({"begin", "commit", "rollback"}));
    EXPECT_FALSE(connection.InTransaction());

    server->failWith = nullptr;
    server->log.clear();
    {
        TADOTransaction transaction(connection);
        connection.Close();
        EXPECT_FALSE(connection.InTransaction());
    }
    EXPECT_EQ(ends(), QStringList({"begin", "rollback"}));
}

TEST_F(Connection, DataSetWritesAndItsRowWrittenHandlerShareOneTransaction)
{
    query.Open();
    query.OnRowWritten = [this](TDataSet&) { server->log << "handler"; };
    query.Edit();
    query.FieldByName("p27")->SetAsString("Новое");
    query.Post();
    const QStringList order = server->log.filter(QRegularExpression("^(begin|commit|rollback|handler|update.*)$"));
    ASSERT_EQ(order.size(), 4) << order.join(" | ").toStdString();
    EXPECT_EQ(order[0], "begin");
    EXPECT_TRUE(order[1].startsWith("update")) << order[1].toStdString();
    EXPECT_EQ(order[2], "handler");
    EXPECT_EQ(order[3], "commit");

    // A failing handler leaves the row being edited, as typed.
    server->log.clear();
    query.OnRowWritten = [](TDataSet&) { throw DataError("сбой журнала"); };
    query.Edit();
    query.FieldByName("p27")->SetAsString("Ещё новее");
    EXPECT_THROW(query.Post(), DataError);
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(query.FieldByName("p27")->AsString(), "Ещё новее");
    EXPECT_EQ(server->log.last(), "rollback");
}

TEST_F(Connection, DestroyingTheConnectionFirstDetachesItsDataSets)
{
    auto own = std::make_unique<TADOConnection>();
    own->SetConnectionString(FakeRegistry::connectionString());
    TADOQuery q("q");
    q.SetConnection(own.get());
    q.SetSQL("select * from TEACHER");
    q.Open();
    own.reset();
    EXPECT_EQ(q.Connection(), nullptr);
    EXPECT_EQ(q.RecordCount(), 3);  // the snapshot stays readable
    q.Close();
    EXPECT_THROW(q.Open(), DataError);
}

}  // namespace
}  // namespace zel::test
