// The FreeTDS route against a scripted TDS endpoint (fake_tds_server.py):
// what FreeTDS makes of batches with several results, errors after rows,
// identity read-back and login fields, without a SQL Server.
#include "FailureOf.h"
#include "OdbcTestEnvironment.h"

#include "data/DbError.h"
#include "data/odbc/OdbcDriver.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

using namespace zel;
using namespace zel::db;

namespace {

class FreeTdsRouteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        odbctest::installTestOdbcConfiguration();
        ASSERT_TRUE(m_dir.isValid());
        m_portFile = m_dir.filePath(QStringLiteral("port"));
        m_logFile = m_dir.filePath(QStringLiteral("log.jsonl"));
        m_server.start(QStringLiteral("python3"), {QStringLiteral(ZEL_FAKE_TDS_SERVER), m_portFile, m_logFile});
        ASSERT_TRUE(m_server.waitForStarted(5000));
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(m_portFile) && !deadline.hasExpired())
            QThread::msleep(20);
        QFile file(m_portFile);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the fake server did not start";
        m_port = file.readAll().trimmed().toInt();
        ASSERT_GT(m_port, 0);
    }

    void TearDown() override
    {
        m_driver.close();
        m_server.kill();
        m_server.waitForFinished(5000);
    }

    ConnectionParams params(const QString& login, const QString& password) const
    {
        return ConnectionParams::parse(
            QStringLiteral("Provider=SQLOLEDB.1;Password=%1;Persist Security Info=True;User ID=%2;"
                           "Initial Catalog=kadry;Data Source=127.0.0.1,%3;Use Procedure for Prepare=1;"
                           "Auto Translate=True;Packet Size=4096;Use Encryption for Data=False;"
                           "Tag with column collation when possible=False")
                .arg(password, login)
                .arg(m_port));
    }

    void open() { m_driver.open(params(QStringLiteral("zel"), QStringLiteral("s3cret"))); }

    RowSet run(const QString& sql)
    {
        RowSet rows;
        m_driver.query(sql, rows);
        return rows;
    }

    std::vector<QJsonObject> received() const
    {
        std::vector<QJsonObject> events;
        QFile file(m_logFile);
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray& line : file.readAll().split('\n'))
                if (!line.isEmpty())
                    events.push_back(QJsonDocument::fromJson(line).object());
        return events;
    }

    QTemporaryDir m_dir;
    QString m_portFile;
    QString m_logFile;
    QProcess m_server;
    int m_port = 0;
    OdbcDriver m_driver;
};

using odbctest::failureOf;

TEST_F(FreeTdsRouteTest, LoginCarriesTheProgramsCredentialsAndDatabase)
{
    m_driver.open(params(QStringLiteral("zel"), QStringLiteral("a{b c")));
    EXPECT_EQ(m_driver.dbmsName(), QStringLiteral("Microsoft SQL Server"));
    const auto events = received();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0].value(u"event").toString(), QStringLiteral("login"));
    EXPECT_EQ(events[0].value(u"user").toString(), QStringLiteral("zel"));
    EXPECT_EQ(events[0].value(u"password").toString(), QStringLiteral("a{b c"));
    EXPECT_EQ(events[0].value(u"database").toString(), QStringLiteral("kadry"));
    // Browse mode makes the server name each column's base table, as OLE DB asks it to.
    bool browse = false;
    for (const auto& e : events)
        browse = browse || e.value(u"sql").toString() == QStringLiteral("SET NO_BROWSETABLE ON");
    EXPECT_TRUE(browse);
}

TEST_F(FreeTdsRouteTest, PasswordsWithBracesAndEdgeSpacesArriveIntact)
{
    const QStringList passwords = {QStringLiteral("p}w"), QStringLiteral("{x}"), QStringLiteral("end}"),
                                   QStringLiteral(" lead{ing "), QStringLiteral("Пароль")};
    for (const QString& password : passwords) {
        m_driver.open(params(QStringLiteral("zel"), password));
        m_driver.close();
    }
    QStringList arrived;
    for (const auto& e : received())
        if (e.value(u"event").toString() == u"login")
            arrived << e.value(u"password").toString();
    EXPECT_EQ(arrived, passwords);
}

TEST_F(FreeTdsRouteTest, RefusedLoginIsLoginFailedInTheServersWords)
{
    const DbError e = failureOf([&] { m_driver.open(params(QStringLiteral("wrong"), QStringLiteral("x"))); });
    EXPECT_EQ(e.kind(), DbError::Kind::LoginFailed) << e.message().toStdString();
    EXPECT_EQ(e.nativeCode(), 18456);
    EXPECT_TRUE(e.message().contains(QStringLiteral("Login failed for user 'wrong'."))) << e.message().toStdString();
    EXPECT_FALSE(e.message().contains(u'[')) << e.message().toStdString();
    EXPECT_FALSE(m_driver.isOpen());
}

TEST_F(FreeTdsRouteTest, UnicodeTextArrivesAsUtf8)
{
    open();
    const RowSet rows = run(QStringLiteral("SELECT fio FROM x WHERE fio LIKE N'Ёлк%' -- select_cyrillic"));
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.columns()[0].type, SqlType::NVarChar);
    EXPECT_EQ(rows.columns()[0].size, 60);
    EXPECT_EQ(rows.text(0, 0), QStringLiteral("Ёлкина Анна-Мария"));
    EXPECT_TRUE(rows.isNull(1, 0));
    // The text reached the server unchanged.
    const auto events = received();
    EXPECT_EQ(events.back().value(u"sql").toString(), QStringLiteral("SELECT fio FROM x WHERE fio LIKE N'Ёлк%' -- select_cyrillic"));
}

TEST_F(FreeTdsRouteTest, RowCountBeforeTheRowsAndLaterSetsLeaveNoPendingCursor)
{
    open();
    const RowSet rows = run(QStringLiteral("EXEC count_then_select"));
    ASSERT_EQ(rows.columnCount(), 2);
    EXPECT_EQ(rows.columns()[1].name, QStringLiteral("t_fio"));
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.text(0, 1), QStringLiteral("Иванов Иван"));
    EXPECT_TRUE(rows.isNull(1, 1));
    EXPECT_EQ(run(QStringLiteral("select_cyrillic")).rowCount(), 2);
    EXPECT_NO_THROW(m_driver.execute(QStringLiteral("EXEC count_then_select")));
    EXPECT_EQ(run(QStringLiteral("select_cyrillic")).rowCount(), 2);
}

TEST_F(FreeTdsRouteTest, UpdateAndDeleteBindTheirValuesAndReportTheRowCount)
{
    open();
    EXPECT_EQ(m_driver.update(QStringLiteral("p25-2"), QStringLiteral("id"), 7,
                              {{QStringLiteral("name]x"), QStringLiteral("O'Brien'; DROP TABLE x--"), SqlType::NVarChar}}),
              1);
    QString sent = received().back().value(u"sql").toString();
    EXPECT_TRUE(sent.startsWith(QStringLiteral("UPDATE [p25-2] SET [name]]x] = @P1 WHERE [id] = @P2")))
        << sent.toStdString();
    EXPECT_FALSE(sent.contains(QStringLiteral("O'Brien")));
    EXPECT_EQ(m_driver.remove(QStringLiteral("p25-2"), QStringLiteral("id"), 7), 1);
    sent = received().back().value(u"sql").toString();
    EXPECT_TRUE(sent.startsWith(QStringLiteral("DELETE FROM [p25-2] WHERE [id] = @P1"))) << sent.toStdString();
}

TEST_F(FreeTdsRouteTest, WritesMatchTheValuesReadAtTheServersOwnPrecision)
{
    open();
    const QDateTime stamped(QDate(2026, 12, 9), QTime(10, 30, 15, 1));
    EXPECT_EQ(m_driver.updateUnchanged(QStringLiteral("Place_of_residence"), QStringLiteral("id"), 7,
                                       {{QStringLiteral("Address"), QStringLiteral("ул. Новая"), SqlType::VarChar},
                                        {QStringLiteral("ZEL_Update"), stamped.addDays(1), SqlType::DateTime}},
                                       {{QStringLiteral("Address"), QVariant(), SqlType::VarChar},
                                        {QStringLiteral("ZEL_Update"), stamped, SqlType::DateTime},
                                        {QStringLiteral("D_b"), QDate(1970, 5, 1), SqlType::Date},
                                        {QStringLiteral("Salary"), 1234.5, SqlType::Decimal, 18, 0}}),
              1);
    const QString sent = received().back().value(u"sql").toString();
    EXPECT_TRUE(sent.startsWith(QStringLiteral("UPDATE [Place_of_residence] SET [Address] = @P1, [ZEL_Update] = @P2 "
                                               "WHERE [id] = @P3 AND [Address] IS NULL AND [ZEL_Update] = CAST(@P4 AS datetime) "
                                               "AND [D_b] = CAST(@P5 AS date) AND [Salary] = CAST(@P6 AS decimal(18,0))")))
        << sent.toStdString();
}

TEST_F(FreeTdsRouteTest, ErrorRaisedAfterTheFirstRowsIsNotSwallowed)
{
    open();
    const DbError e = failureOf([&] { run(QStringLiteral("EXEC raise_after_rows 5, 'zel', 'PC\\10.0.0.1'")); });
    EXPECT_EQ(e.message(), QStringLiteral("Удалить сотрудника нельзя: есть приказы"));
    EXPECT_EQ(e.nativeCode(), 50000);
    EXPECT_EQ(e.kind(), DbError::Kind::Other);
    EXPECT_EQ(run(QStringLiteral("select_cyrillic")).rowCount(), 2);
}

TEST_F(FreeTdsRouteTest, ServerErrorsGetTheirKinds)
{
    open();
    DbError e = failureOf([&] { run(QStringLiteral("SELECT * FROM TEACHERS")); });
    EXPECT_EQ(e.message(), QStringLiteral("Invalid object name 'TEACHERS'."));
    EXPECT_EQ(e.kind(), DbError::Kind::InvalidObject);

    e = failureOf([&] { run(QStringLiteral("SELECT * FROM denied_table")); });
    EXPECT_EQ(e.kind(), DbError::Kind::PermissionDenied) << e.message().toStdString();
    EXPECT_TRUE(e.message().startsWith(QStringLiteral("The SELECT permission was denied")));

    e = failureOf([&] { m_driver.execute(QStringLiteral("DELETE FROM fk_delete WHERE id = 1")); });
    EXPECT_EQ(e.kind(), DbError::Kind::Constraint) << e.message().toStdString();
    EXPECT_EQ(e.message(), QStringLiteral("The DELETE statement conflicted with the REFERENCE constraint \"FK_x\"."));

    e = failureOf([&] { m_driver.execute(QStringLiteral("UPDATE deadlock_me SET a = 1")); });
    EXPECT_EQ(e.kind(), DbError::Kind::Deadlock) << e.message().toStdString();
}

TEST_F(FreeTdsRouteTest, BoundValuesReachTheServerIntact)
{
    open();
    const QByteArray blob = QByteArray(300000, '\x5A') + QByteArray("\x00\xFF", 2);
    const QString memo = QString(6000, QChar(u'Ж'));
    m_driver.update(QStringLiteral("TEACHER"), QStringLiteral("id_teacher"), 42,
                    {{QStringLiteral("t_fio"), QStringLiteral("д'Артаньян Ёлкин"), SqlType::NVarChar},
                     {QStringLiteral("t_old"), QStringLiteral("Иванов"), SqlType::VarChar},
                     {QStringLiteral("memo"), memo, SqlType::Text},
                     {QStringLiteral("born"), QDateTime(QDate(1990, 7, 1), QTime(8, 30, 15, 500)), SqlType::DateTime},
                     {QStringLiteral("big"), QVariant::fromValue<qlonglong>(5000000000LL), SqlType::BigInt},
                     {QStringLiteral("flag"), true, SqlType::Bit},
                     {QStringLiteral("salary"), 1234.5, SqlType::Money},
                     {QStringLiteral("photo"), blob, SqlType::Image},
                     {QStringLiteral("scan"), QVariant(), SqlType::Image},
                     {QStringLiteral("note"), QVariant(), SqlType::NVarChar}});
    const QJsonArray params = received().back().value(u"params").toArray();
    // @stmt, @params, then the values in marker order.
    ASSERT_EQ(params.size(), 2 + 11) << QJsonDocument(params).toJson().toStdString();
    const auto value = [&](int marker) { return params.at(1 + marker).toArray().at(1); };
    EXPECT_EQ(value(1).toString(), QStringLiteral("д'Артаньян Ёлкин"));
    EXPECT_EQ(value(2).toString(), QStringLiteral("Иванов"));
    EXPECT_EQ(value(3).toString(), memo);
    EXPECT_EQ(value(4).toString(), QStringLiteral("datetime2 726648 306155000000 7"));  // 1990-07-01 08:30:15.5
    EXPECT_EQ(value(5).toString(), QStringLiteral("5000000000"));
    EXPECT_EQ(value(6).toString(), QStringLiteral("1"));
    EXPECT_EQ(value(7).toString(), QStringLiteral("1234.5"));
    EXPECT_EQ(value(8).toString(),
              QStringLiteral("bytes %1 %2").arg(blob.size()).arg(QString::fromLatin1(
                  QCryptographicHash::hash(blob, QCryptographicHash::Sha1).toHex())));
    EXPECT_TRUE(value(9).isNull());
    EXPECT_TRUE(value(10).isNull());
    EXPECT_EQ(value(11).toString(), QStringLiteral("42"));
}

TEST_F(FreeTdsRouteTest, InsertReadsTheScopeIdentityInTheSameBatch)
{
    open();
    const QVariant id = m_driver.insert(QStringLiteral("TEACHER"),
                                        {{QStringLiteral("t_fio"), QStringLiteral("Пётр"), SqlType::NVarChar},
                                         {QStringLiteral("photo"), QVariant(), SqlType::Image}},
                                        QStringLiteral("id_teacher"));
    EXPECT_EQ(id.typeId(), QMetaType::LongLong);
    EXPECT_EQ(id.toLongLong(), 42);
    const QString sent = received().back().value(u"sql").toString();
    EXPECT_TRUE(sent.startsWith(QStringLiteral("INSERT INTO [TEACHER] ([t_fio], [photo]) VALUES ("))) << sent.toStdString();
    EXPECT_TRUE(sent.endsWith(QStringLiteral("; SELECT SCOPE_IDENTITY()"))) << sent.toStdString();
    EXPECT_FALSE(sent.contains(QStringLiteral("@@IDENTITY")));
}

TEST_F(FreeTdsRouteTest, BaseTableKeyAndIdentityOfBrowseColumns)
{
    open();
    const RowSet rows = run(QStringLiteral("SELECT id_teacher, t_fio, t_fio + '!' AS shout FROM TEACHER -- browse_teacher"));
    ASSERT_EQ(rows.columnCount(), 3);
    const auto& c = rows.columns();
    EXPECT_EQ(c[0].baseTable, QStringLiteral("TEACHER"));
    EXPECT_EQ(c[1].baseTable, QStringLiteral("TEACHER"));
    EXPECT_TRUE(c[0].identity);
    EXPECT_TRUE(c[0].key);
    EXPECT_FALSE(c[1].key);
    EXPECT_TRUE(c[2].isComputed()) << c[2].baseTable.toStdString();
    EXPECT_EQ(rows.text(0, 1), QStringLiteral("Пётр"));
}

TEST_F(FreeTdsRouteTest, KeyAddedByBrowseModeStaysHidden)
{
    open();
    const RowSet rows = run(QStringLiteral("SELECT t_fio FROM TEACHER -- browse_hidden"));
    ASSERT_EQ(rows.columnCount(), 1);
    EXPECT_EQ(rows.columns()[0].name, QStringLiteral("t_fio"));
    EXPECT_EQ(rows.columns()[0].baseTable, QStringLiteral("TEACHER"));
    EXPECT_EQ(rows.text(0, 0), QStringLiteral("Пётр"));
}

TEST_F(FreeTdsRouteTest, SlowStatementTimesOutAndTheConnectionGoesOn)
{
    open();
    m_driver.setStatementTimeout(1);
    const DbError e = failureOf([&] { run(QStringLiteral("EXEC wait_forever")); });
    EXPECT_EQ(e.kind(), DbError::Kind::Timeout) << e.message().toStdString() << " " << e.sqlState().toStdString();
    EXPECT_EQ(received().back().value(u"event").toString(), QStringLiteral("attention"));
    EXPECT_EQ(run(QStringLiteral("select_cyrillic")).rowCount(), 2);
}

TEST_F(FreeTdsRouteTest, DroppedConnectionIsConnectionLost)
{
    open();
    const DbError e = failureOf([&] { run(QStringLiteral("EXEC drop_connection")); });
    EXPECT_EQ(e.kind(), DbError::Kind::ConnectionLost) << e.message().toStdString() << " " << e.sqlState().toStdString() << " " << e.nativeCode();
    EXPECT_FALSE(e.message().isEmpty());
}

TEST_F(FreeTdsRouteTest, TransactionEndsWithTheServersCommitOrRollback)
{
    open();
    auto afterLogin = [this] {
        QStringList seen;
        for (const QJsonObject& e : received()) {
            const QString event = e.value(u"event").toString();
            if (event == u"transaction")
                seen << e.value(u"request").toString();
            else if (event == u"batch" && !e.value(u"sql").toString().startsWith(u"SET ", Qt::CaseInsensitive))
                seen << e.value(u"sql").toString();
        }
        return seen;
    };
    m_driver.beginTransaction();
    m_driver.execute(QStringLiteral("update TEACHER set p26 = N'Пётр' where id_teacher = 7"));
    m_driver.commitTransaction();
    QStringList seen = afterLogin();
    const qsizetype update = seen.indexOf(QStringLiteral("update TEACHER set p26 = N'Пётр' where id_teacher = 7"));
    ASSERT_GE(update, 1) << seen.join(u" | ").toStdString();
    EXPECT_EQ(seen.mid(0, update), QStringList{QStringLiteral("begin")}) << seen.join(u" | ").toStdString();
    ASSERT_GT(seen.size(), update + 1) << seen.join(u" | ").toStdString();
    EXPECT_EQ(seen[update + 1], QStringLiteral("commit")) << seen.join(u" | ").toStdString();

    m_driver.beginTransaction();
    m_driver.execute(QStringLiteral("delete from Nagrada where id_nagrada = 3"));
    m_driver.rollbackTransaction();
    seen = afterLogin();
    const qsizetype removal = seen.indexOf(QStringLiteral("delete from Nagrada where id_nagrada = 3"));
    ASSERT_GT(removal, update) << seen.join(u" | ").toStdString();
    ASSERT_GT(seen.size(), removal + 1) << seen.join(u" | ").toStdString();
    EXPECT_EQ(seen[removal + 1], QStringLiteral("rollback")) << seen.join(u" | ").toStdString();
    EXPECT_FALSE(seen.mid(removal).contains(QStringLiteral("commit"))) << seen.join(u" | ").toStdString();
}

TEST_F(FreeTdsRouteTest, ProcedureReturnValueAndOutputComeBack)
{
    open();
    std::vector<ProcedureParameter> p = {
        {QStringLiteral("@RETURN_VALUE"), SqlType::Int, ProcedureParameter::Direction::ReturnValue, {}},
        {QStringLiteral("@OldStatus"), SqlType::Int, ProcedureParameter::Direction::Input, 3},
        {QStringLiteral("@NewStatus"), SqlType::Int, ProcedureParameter::Direction::InputOutput, 1234},
    };
    m_driver.callProcedure(QStringLiteral("Update_Family_Staus"), p);
    EXPECT_EQ(p[0].value.toInt(), 5);
    EXPECT_EQ(p[2].value.toInt(), 77);
    EXPECT_EQ(received().back().value(u"name").toString(), QStringLiteral("Update_Family_Staus"));
}

TEST_F(FreeTdsRouteTest, FamilyStatusProcedureByTheNameTheProgramUses)
{
    open();
    std::vector<ProcedureParameter> p = {
        {QStringLiteral("@RETURN_VALUE"), SqlType::Int, ProcedureParameter::Direction::ReturnValue, {}},
        {QStringLiteral("@OldStatus"), SqlType::Int, ProcedureParameter::Direction::Input, 3},
        {QStringLiteral("@NewStatus"), SqlType::Int, ProcedureParameter::Direction::Input, 1234},
    };
    m_driver.callProcedure(QStringLiteral("Update_Family_Staus;1"), p);
    EXPECT_EQ(p[0].value.toInt(), 5);
    EXPECT_EQ(received().back().value(u"name").toString(), QStringLiteral("Update_Family_Staus"));
    m_driver.callProcedure(QStringLiteral("[dbo].[Update_Family_Staus];1"), p);
    EXPECT_EQ(received().back().value(u"name").toString(), QStringLiteral("[dbo].[Update_Family_Staus]"));

    // Anything else after the name is still refused before it reaches the server.
    for (const char* name : {"Update_Family_Staus;1;", "Update_Family_Staus;x", "Update_Family_Staus;1 DROP",
                             "Update_Family_Staus(1)", "Update_Family_Staus;1}"}) {
        const DbError e = failureOf([&] { m_driver.callProcedure(QString::fromLatin1(name), p); });
        EXPECT_EQ(e.message(), QStringLiteral("Недопустимое имя процедуры \"%1\".").arg(QString::fromLatin1(name)));
    }
}

}  // namespace

namespace {

QByteArray expectedBlob()
{
    QByteArray blob(1024 * 1024 + 17, '\0');
    for (qsizetype i = 0; i < blob.size(); ++i)
        blob[i] = char((i * 131 + i / 7) & 0xFF);
    return blob;
}

TEST_F(FreeTdsRouteTest, CardColumnTypesArriveWithTheirValues)
{
    open();
    const RowSet rows = run(QStringLiteral("SELECT * FROM kinds -- select_types"));
    ASSERT_EQ(rows.columnCount(), 12);
    ASSERT_EQ(rows.rowCount(), 2);
    const auto& c = rows.columns();
    const SqlType expected[] = {SqlType::Int,      SqlType::SmallInt, SqlType::Bit,      SqlType::Money,
                                SqlType::Float,    SqlType::Decimal,  SqlType::DateTime, SqlType::Date,
                                SqlType::VarChar,  SqlType::NVarChar, SqlType::VarBinary, SqlType::Image};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(c[i].type, expected[i]) << c[i].name.toStdString();
    EXPECT_EQ(c[8].size, 50);
    EXPECT_EQ(c[9].size, -1);
    EXPECT_EQ(c[10].size, -1);
    EXPECT_EQ(c[5].precision, 18);
    EXPECT_EQ(c[5].scale, 2);

    EXPECT_EQ(rows.integer(0, 0), -2147483648LL);
    EXPECT_EQ(rows.integer(0, 1), -7);
    EXPECT_TRUE(rows.boolean(0, 2));
    EXPECT_DOUBLE_EQ(rows.real(0, 3), 1234.5678);
    EXPECT_DOUBLE_EQ(rows.real(0, 4), 2.5);
    EXPECT_DOUBLE_EQ(rows.real(0, 5), 1234.56);
    EXPECT_EQ(fromCellDateTime(rows.dateTime(0, 6)), QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30, 250)));
    EXPECT_EQ(fromCellDateTime(rows.dateTime(0, 7)).date(), QDate(1990, 7, 1));
    EXPECT_EQ(rows.text(0, 8), QStringLiteral("Иванов Пётр"));  // varchar in code page 1251
    QString memo;
    for (int i = 0; i < 20000; ++i)
        memo += QStringLiteral("Ёжик в тумане №%1; ").arg(i);
    EXPECT_EQ(rows.text(0, 9), memo);
    const QByteArray blob = expectedBlob();
    EXPECT_EQ(rows.blob(0, 10), blob);
    EXPECT_EQ(rows.blob(0, 11), blob);

    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(rows.isNull(1, i)) << c[i].name.toStdString();
}

}  // namespace
