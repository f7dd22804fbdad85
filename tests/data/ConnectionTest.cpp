#include "DataSetFixture.h"

#include "data/dataset/TADOStoredProc.h"

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
