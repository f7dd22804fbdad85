#include "ServerTestDatabase.h"

#include "QtPrinters.h"
#include "data/ConnectionParams.h"
#include "data/DbError.h"
#include "data/Driver.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/ServerHooks.h"
#include "server/engine/EmbeddedSession.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDate>
#include <QDir>
#include <QFile>

#include <thread>

using zel::DbError;
using zel::db::ColumnValue;
using zel::db::ConnectionParams;
using zel::db::RowSet;
using zel::server::EmbeddedDriver;

namespace {

DbError openError(const QString& connectionString)
{
    EmbeddedDriver driver;
    try {
        driver.open(ConnectionParams::parse(connectionString));
    } catch (const DbError& e) {
        EXPECT_FALSE(driver.isOpen());
        return e;
    }
    ADD_FAILURE() << "opened: " << connectionString.toStdString();
    return DbError(QString());
}

void exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const QString message = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        throw DbError(message);
}

// Test procedures, written the way the server's native procedures are.
void listFamily(zel::server::ProcedureContext& context, const std::vector<zel::server::ProcedureArgument>& args)
{
    RowSet& out = *context.result;
    zel::db::ColumnInfo fio;
    fio.name = QStringLiteral("fio");
    fio.type = zel::db::SqlType::NVarChar;
    zel::db::ColumnInfo argument;
    argument.name = QStringLiteral("argument");
    argument.type = zel::db::SqlType::NVarChar;
    out.setColumns({fio, argument});
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(context.db, "SELECT fio FROM family_ WHERE id_teacher = ?1 ORDER BY id_family", -1, &st, nullptr);
    sqlite3_bind_int64(st, 1, args.empty() ? 0 : args[0].value.toLongLong());
    while (sqlite3_step(st) == SQLITE_ROW) {
        out.beginRow();
        out.setText(0, reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        const QByteArray names = (args.size() > 1 ? args[1].name + u'=' + args[1].value.toString() : QString()).toUtf8();
        out.setText(1, {names.constData(), std::size_t(names.size())});
    }
    sqlite3_finalize(st);
}

void writeThenFail(zel::server::ProcedureContext& context, const std::vector<zel::server::ProcedureArgument>&)
{
    exec(context.db, "INSERT INTO specialPUM(\"p25-2\") VALUES ('from procedure')");
    throw DbError(QStringLiteral("Сотрудник не может быть удалён."));
}

void writeOnce(zel::server::ProcedureContext& context, const std::vector<zel::server::ProcedureArgument>& args)
{
    const QByteArray sql = QStringLiteral("UPDATE family_ SET code = '%1' WHERE id_teacher = %2")
                               .arg(args.at(0).value.toString())
                               .arg(args.at(1).value.toLongLong())
                               .toUtf8();
    exec(context.db, sql.constData());
}

void readSettings(zel::server::ProcedureContext& context, const std::vector<zel::server::ProcedureArgument>&)
{
    exec(context.db, "SELECT count(*) FROM zel_settings");
    zel::db::ColumnInfo c;
    c.name = QStringLiteral("login");
    c.type = zel::db::SqlType::NVarChar;
    context.result->setColumns({c});
    context.result->beginRow();
    const QByteArray login = context.account.login.toUtf8();
    context.result->setText(0, {login.constData(), std::size_t(login.size())});
}

// Declared as not writing, but writes: the read-only account must still write nothing.
void writesDespiteDeclaration(zel::server::ProcedureContext& context, const std::vector<zel::server::ProcedureArgument>&)
{
    exec(context.db, "INSERT INTO specialPUM(\"p25-2\") VALUES ('sneaked in')");
}

class Session : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        using zel::server::ProcedureInfo;
        zel::server::registerProcedure(QStringLiteral("test_ListFamily"), ProcedureInfo{listFamily, false, false});
        zel::server::registerProcedure(QStringLiteral("test_WriteThenFail"), ProcedureInfo{writeThenFail, true, false});
        zel::server::registerProcedure(QStringLiteral("test_SetCode"), ProcedureInfo{writeOnce, true, false});
        zel::server::registerProcedure(QStringLiteral("test_Who"), ProcedureInfo{readSettings, false, true});
        zel::server::registerProcedure(QStringLiteral("test_Sneak"), ProcedureInfo{writesDespiteDeclaration, false, true});
    }

    RowSet query(EmbeddedDriver& d, const QString& sql)
    {
        RowSet rows;
        d.query(sql, rows);
        return rows;
    }

    ServerTestDatabase database;
};

}  // namespace

TEST_F(Session, OpenRefusesMissingFileWrongLoginAndWrongDatabase)
{
    const DbError missing = openError(QStringLiteral("User ID=editor;Password=pw;Initial Catalog=ZEL;Data Source=") + database.path()
                                      + QStringLiteral(".missing.db"));
    EXPECT_TRUE(missing.message().contains(QStringLiteral("does not exist"))) << missing.message().toStdString();
    EXPECT_FALSE(QFile::exists(database.path() + QStringLiteral(".missing.db")));

    const DbError login = openError(database.connectionString(QStringLiteral("editor"), QStringLiteral("wrong")));
    EXPECT_EQ(login.message(), QStringLiteral("Login failed for user 'editor'."));
    EXPECT_EQ(login.kind(), DbError::Kind::LoginFailed);

    const DbError catalog = openError(database.connectionString(QStringLiteral("editor"), QStringLiteral("pw"), QStringLiteral("ZEL2")));
    EXPECT_EQ(catalog.message(), QStringLiteral("Cannot open database \"ZEL2\" requested by the login. The login failed."));
    EXPECT_EQ(catalog.kind(), DbError::Kind::LoginFailed);

    const QString garbage = database.path() + QStringLiteral(".garbage.db");
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, 'x'));
    }
    const DbError notADatabase = openError(QStringLiteral("User ID=editor;Password=pw;Data Source=") + garbage);
    EXPECT_EQ(notADatabase.kind(), DbError::Kind::ConnectionLost) << notADatabase.message().toStdString();
    QFile garbageFile(garbage);
    ASSERT_TRUE(garbageFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(garbageFile.readAll(), QByteArray(8192, 'x'));  // left as it was

    EmbeddedDriver lowerCase;
    lowerCase.open(ConnectionParams::parse(database.connectionString(QStringLiteral("editor"), QStringLiteral("pw"), QStringLiteral("zel"))));
    EXPECT_TRUE(lowerCase.isOpen());
    EXPECT_THROW(EmbeddedDriver().execute(QStringLiteral("select 1")), DbError);
}

TEST_F(Session, DataSourceIsAbsoluteOrInTheProgramsDataFolder)
{
    EXPECT_EQ(zel::server::EmbeddedSession::databasePath(QStringLiteral("/srv/zel/ZEL.db")), QStringLiteral("/srv/zel/ZEL.db"));
    EXPECT_EQ(zel::server::EmbeddedSession::databasePath(QStringLiteral(" zel.db ")),
              QDir::cleanPath(QDir::currentPath() + QStringLiteral("/Data/zel.db")));
}

TEST_F(Session, WithoutAnAccountVerifierNobodySignsIn)
{
    zel::server::setAccountVerifier(nullptr);
    const DbError e = openError(database.connectionString(QStringLiteral("admin")));
    ServerTestDatabase::installAccounts();
    EXPECT_EQ(e.kind(), DbError::Kind::LoginFailed);
}

TEST_F(Session, RegistryPicksTheEmbeddedDriverForDbFiles)
{
    zel::server::registerEmbeddedDriver();
    zel::server::registerEmbeddedDriver();
    auto driver = zel::db::DriverRegistry::create(ConnectionParams::parse(database.connectionString(QStringLiteral("editor"))));
    ASSERT_NE(driver, nullptr);
    driver->open(ConnectionParams::parse(database.connectionString(QStringLiteral("editor"))));
    RowSet rows;
    driver->query(QStringLiteral("select count(*) from teacher"), rows);
    EXPECT_EQ(rows.integer(0, 0), 6);
}

TEST_F(Session, ReadOnlyAccountIsRefusedEveryWriteAndNothingIsWritten)
{
    auto reader = database.connect(QStringLiteral("reader"));
    EXPECT_EQ(query(*reader, QStringLiteral("select count(*) from teacher")).integer(0, 0), 6);
    const QString statements[] = {
        QStringLiteral("INSERT INTO specialPUM([p25-2]) VALUES('x')"),
        QStringLiteral("update specialPUM set [p25-2] = 'x'"),
        QStringLiteral("delete from specialPUM"),
        QStringLiteral("select 1; delete from specialPUM"),
        QStringLiteral("exec test_SetCode 'X', 1"),
    };
    const QString verbs[] = {QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE"),
                             QStringLiteral("DELETE"), QStringLiteral("EXECUTE")};
    for (int i = 0; i < 5; ++i) {
        try {
            reader->execute(statements[i]);
            ADD_FAILURE() << "allowed: " << statements[i].toStdString();
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::PermissionDenied) << e.message().toStdString();
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("The %1 permission was denied on the object '").arg(verbs[i])))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().endsWith(QStringLiteral("', database 'ZEL', schema 'dbo'."))) << e.message().toStdString();
        }
    }
    EXPECT_THROW(reader->insert(QStringLiteral("specialPUM"), {{QStringLiteral("p25-2"), QStringLiteral("x")}}, {}), DbError);
    EXPECT_THROW(reader->remove(QStringLiteral("specialPUM"), QStringLiteral("id_special"), 1), DbError);
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 2);
    EXPECT_EQ(query(*reader, QStringLiteral("select count(*) from family_ where code = 'X'")).integer(0, 0), 0);
}

TEST_F(Session, ReadOnlyAccountWritesNothingEvenThroughAProcedure)
{
    auto reader = database.connect(QStringLiteral("reader"));
    EXPECT_THROW(reader->execute(QStringLiteral("exec test_Sneak")), DbError);
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 2);
    // The bootstrap account may write through the procedures it is allowed.
    auto boot = database.connect(QStringLiteral("boot"));
    boot->execute(QStringLiteral("exec test_Sneak"));
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 3);
}

TEST_F(Session, BootstrapAccountMayOnlyRunItsProcedure)
{
    auto boot = database.connect(QStringLiteral("boot"));
    try {
        query(*boot, QStringLiteral("select * from teacher"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("The SELECT permission was denied on the object 'TEACHER', database 'ZEL', schema 'dbo'."));
    }
    EXPECT_EQ(query(*boot, QStringLiteral("EXEC test_Who")).text(0, 0), QStringLiteral("boot"));
    EXPECT_THROW(query(*boot, QStringLiteral("exec test_ListFamily 1")), DbError);
}

TEST_F(Session, InternalTablesExistOnlyForTheAdministrator)
{
    auto editor = database.connect(QStringLiteral("editor"));
    try {
        query(*editor, QStringLiteral("select * from zel_settings"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Invalid object name 'zel_settings'."));
    }
    EXPECT_THROW(query(*editor, QStringLiteral("select * from sqlite_master")), DbError);
    EXPECT_THROW(editor->execute(QStringLiteral("update ZEL_SETTINGS set value = 'x'")), DbError);
    EXPECT_THROW(editor->update(QStringLiteral("zel_settings"), QStringLiteral("name"), QStringLiteral("trace"),
                                {{QStringLiteral("value"), QStringLiteral("1")}}),
                 DbError);
    auto admin = database.connect(QStringLiteral("admin"));
    EXPECT_EQ(query(*admin, QStringLiteral("select value from zel_settings where name = 'database_name'")).text(0, 0),
              QStringLiteral("ZEL"));
}

TEST_F(Session, TraceRecordsStatementsWhileSwitchedOn)
{
    auto editor = database.connect(QStringLiteral("editor"));
    query(*editor, QStringLiteral("select 1"));
    EXPECT_EQ(database.count(QStringLiteral("zel_trace")), 0);
    database.exec(QStringLiteral("INSERT INTO zel_settings VALUES ('trace', '1')"));
    query(*editor, QStringLiteral("select p26 from teacher where id_teacher=1"));
    auto reader = database.connect(QStringLiteral("reader"));
    query(*reader, QStringLiteral("select 2"));
    auto admin = database.connect(QStringLiteral("admin"));
    const RowSet trace = query(*admin, QStringLiteral("select login, statement from zel_trace order by id"));
    EXPECT_EQ(columnTexts(trace, 0), (QStringList{"editor", "reader"}));
    EXPECT_EQ(trace.text(0, 1), QStringLiteral("select p26 from teacher where id_teacher=1"));
    // A statement is recorded once it ran, failed ones too.
    EXPECT_THROW(query(*editor, QStringLiteral("select nosuch from teacher")), DbError);
    EXPECT_EQ(columnTexts(query(*admin, QStringLiteral("select login from zel_trace order by id")), 0),
              (QStringList{"editor", "reader", "admin", "editor"}));
    database.exec(QStringLiteral("UPDATE zel_settings SET value = '0' WHERE name = 'trace'"));
    query(*reader, QStringLiteral("select 3"));
    EXPECT_EQ(database.count(QStringLiteral("zel_trace")), 5);
}

TEST_F(Session, ExecRunsProceduresWithPositionalAndNamedArguments)
{
    auto editor = database.connect(QStringLiteral("editor"));
    const RowSet rows = query(*editor, QStringLiteral("exec test_ListFamily 1, @ip = 'PC\\1.2.3.4'"));
    EXPECT_EQ(columnTexts(rows, 0), (QStringList{"Иванова Анна", "Иванов Олег"}));
    EXPECT_EQ(rows.text(0, 1), QStringLiteral("@ip=PC\\1.2.3.4"));
    EXPECT_EQ(query(*editor, QStringLiteral("EXECUTE [dbo].[test_ListFamily] 2")).rowCount(), 1);
    EXPECT_EQ(query(*editor, QStringLiteral("EXEC [ZEL].[dbo].test_listfamily -5")).rowCount(), 0);
    EXPECT_THROW(query(*editor, QStringLiteral("exec test_ListFamily @a = 1, 2")), DbError);

    std::vector<zel::db::ProcedureParameter> parameters(3);
    parameters[0].direction = zel::db::ProcedureParameter::Direction::ReturnValue;
    parameters[1].value = QStringLiteral("Z");
    parameters[2].value = 1;
    editor->callProcedure(QStringLiteral("test_SetCode"), parameters);
    EXPECT_EQ(query(*editor, QStringLiteral("select count(*) from family_ where code = 'Z'")).integer(0, 0), 2);
    EXPECT_EQ(parameters[0].value.toInt(), 0);
}

TEST_F(Session, FailingProcedureRollsBackItsWrites)
{
    auto editor = database.connect(QStringLiteral("editor"));
    try {
        editor->execute(QStringLiteral("EXEC test_WriteThenFail"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Сотрудник не может быть удалён."));
    }
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 2);
    // Inside a batch the procedure is a savepoint of the batch's transaction: all is undone.
    EXPECT_THROW(editor->execute(QStringLiteral("INSERT INTO specialPUM([p25-2]) VALUES('first')\nEXEC test_WriteThenFail")),
                 DbError);
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 2);
    EXPECT_EQ(editor->execute(QStringLiteral("EXEC test_SetCode 'Q', 2; INSERT INTO specialPUM([p25-2]) VALUES('second')")), 1);
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 3);
    EXPECT_EQ(query(*editor, QStringLiteral("select code from family_ where id_teacher = 2")).text(0, 0).trimmed(), QStringLiteral("Q"));
    editor->execute(QStringLiteral("delete from specialPUM where [p25-2] = 'second'"));
    // The connection stays usable: the transaction is gone.
    EXPECT_EQ(editor->execute(QStringLiteral("INSERT INTO specialPUM([p25-2]) VALUES('after')")), 1);
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 3);
}

TEST_F(Session, WriteThroughBindsValuesAndReturnsTheIdentity)
{
    auto editor = database.connect(QStringLiteral("editor"));
    const QVariant id = editor->insert(QStringLiteral("teacher"),
                                       {{QStringLiteral("P26"), QStringLiteral("д'Артаньян'; DROP TABLE TEACHER--")},
                                        {QStringLiteral("birth"), QDate(2001, 2, 3)},
                                        {QStringLiteral("ZEL_Update"), QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5, 6))},
                                        {QStringLiteral("is_active"), false},
                                        {QStringLiteral("id_teacher"), QVariant()}},
                                       QStringLiteral("id_teacher"));
    EXPECT_EQ(id.toLongLong(), 7);
    RowSet row = query(*editor, QStringLiteral("select p26, birth, ZEL_Update, is_active from teacher where id_teacher = 7"));
    EXPECT_EQ(row.text(0, 0), QStringLiteral("д'Артаньян'; DROP TABLE TEACHER--"));
    EXPECT_EQ(row.value(0, 1).toDateTime().date(), QDate(2001, 2, 3));
    EXPECT_EQ(row.value(0, 2).toDateTime(), QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5, 6)));
    EXPECT_FALSE(row.boolean(0, 3));

    EXPECT_EQ(editor->update(QStringLiteral("TEACHER"), QStringLiteral("id_teacher"), 7,
                             {{QStringLiteral("p27"), QStringLiteral("100%")}, {QStringLiteral("birth"), QVariant()}}),
              1);
    row = query(*editor, QStringLiteral("select p27, birth from teacher where id_teacher = 7"));
    EXPECT_EQ(row.text(0, 0), QStringLiteral("100%"));
    EXPECT_TRUE(row.isNull(0, 1));
    EXPECT_EQ(editor->update(QStringLiteral("TEACHER"), QStringLiteral("id_teacher"), 99, {{QStringLiteral("p27"), QStringLiteral("x")}}), 0);

    EXPECT_THROW(editor->update(QStringLiteral("TEACHER"), QStringLiteral("id_teacher"), 7,
                                {{QStringLiteral("p26"), QString(51, u'x')}}),
                 DbError);
    EXPECT_THROW(editor->update(QStringLiteral("TEACHER"), QStringLiteral("id_teacher"), 7,
                                {{QStringLiteral("tab_no"), QStringLiteral("abc")}}),
                 DbError);
    EXPECT_THROW(editor->update(QStringLiteral("TEACHER"), QStringLiteral("id_teacher"), 7, {{QStringLiteral("nosuch"), 1}}),
                 DbError);

    EXPECT_TRUE(editor->insert(QStringLiteral("Codes"), {{QStringLiteral("code"), QStringLiteral("k")}}, {}).isNull());
    EXPECT_EQ(editor->remove(QStringLiteral("teacher"), QStringLiteral("ID_TEACHER"), 7), 1);
    EXPECT_EQ(database.count(QStringLiteral("TEACHER")), 6);
    EXPECT_THROW(editor->remove(QStringLiteral("teacher"), QStringLiteral("id_teacher"), 1), DbError);  // has relatives
    EXPECT_EQ(database.count(QStringLiteral("TEACHER")), 6);
}

TEST_F(Session, ResultColumnsReportTypeSizeBaseTableAndKey)
{
    auto editor = database.connect(QStringLiteral("editor"));
    const RowSet rows = query(*editor, QStringLiteral("select f.*, t.p26 as surname, 'x' + f.fio as computed from family_ f join teacher t on t.id_teacher = f.id_teacher"));
    const auto& c = rows.columns();
    ASSERT_EQ(c.size(), 7u);
    EXPECT_EQ(c[0].name, QStringLiteral("id_family"));
    EXPECT_EQ(c[0].type, zel::db::SqlType::Int);
    EXPECT_TRUE(c[0].identity);
    EXPECT_TRUE(c[0].key);
    EXPECT_EQ(c[0].baseTable, QStringLiteral("family_"));
    EXPECT_EQ(c[1].type, zel::db::SqlType::Int);
    EXPECT_FALSE(c[1].nullable);
    EXPECT_FALSE(c[1].key);
    EXPECT_EQ(c[2].type, zel::db::SqlType::NVarChar);
    EXPECT_EQ(c[2].size, 100);
    EXPECT_EQ(c[3].type, zel::db::SqlType::Date);
    EXPECT_EQ(c[4].type, zel::db::SqlType::NChar);
    EXPECT_EQ(c[4].size, 10);
    EXPECT_EQ(rows.text(0, 4), QStringLiteral("A1        "));  // fixed length: blank-padded
    EXPECT_TRUE(rows.isNull(2, 4));
    EXPECT_EQ(c[5].baseTable, QStringLiteral("TEACHER"));
    EXPECT_EQ(c[5].baseColumn, QStringLiteral("p26"));
    EXPECT_TRUE(c[6].isComputed());
    EXPECT_TRUE(zel::db::isTextType(c[6].type));

    const RowSet teacher = query(*editor, QStringLiteral("select * from teacher where id_teacher = 1"));
    const auto& t = teacher.columns();
    EXPECT_EQ(t[7].type, zel::db::SqlType::Float);
    EXPECT_DOUBLE_EQ(teacher.real(0, 7), 1000.5);
    EXPECT_EQ(t[8].type, zel::db::SqlType::Decimal);
    EXPECT_EQ(t[8].precision, 18);
    EXPECT_EQ(t[9].type, zel::db::SqlType::Bit);
    EXPECT_EQ(t[10].type, zel::db::SqlType::SmallInt);
    EXPECT_EQ(t[6].type, zel::db::SqlType::DateTime);

    // View columns cannot be written back: they report no base table.
    const RowSet view = query(*editor, QStringLiteral("select * from Teacher_Del"));
    EXPECT_TRUE(view.columns()[0].isComputed());
}

TEST_F(Session, CellsOfAnotherTypeThanTheirColumnAreConverted)
{
    database.exec(QStringLiteral("INSERT INTO TEACHER(p26, tab_no, salary, birth, is_active) VALUES (12345, ' 42', '7.25', 'bad date', 'true')"));
    database.exec(QStringLiteral("UPDATE TEACHER SET tab_no = 5000000000 WHERE id_teacher = 1"));
    auto editor = database.connect(QStringLiteral("editor"));
    const RowSet rows = query(*editor, QStringLiteral("select p26, tab_no, salary, birth, is_active from teacher where id_teacher in (1, 7) order by id_teacher"));
    EXPECT_EQ(rows.integer(0, 1), 5000000000LL);
    EXPECT_EQ(rows.text(1, 0), QStringLiteral("12345"));
    EXPECT_EQ(rows.integer(1, 1), 42);
    EXPECT_DOUBLE_EQ(rows.real(1, 2), 7.25);
    EXPECT_TRUE(rows.isNull(1, 3));
    EXPECT_TRUE(rows.boolean(1, 4));
}

TEST_F(Session, TwoConnectionsOnOneFileLoseNoRows)
{
    constexpr int kRows = 200;
    auto worker = [&](const QString& prefix) {
        auto d = database.connect(QStringLiteral("editor"));
        for (int i = 0; i < kRows; ++i) {
            if (i % 2)
                d->execute(QStringLiteral("INSERT INTO specialPUM([p25-2]) VALUES('%1%2')").arg(prefix).arg(i));
            else
                d->insert(QStringLiteral("specialPUM"), {{QStringLiteral("p25-2"), prefix + QString::number(i)}}, {});
        }
    };
    std::thread a(worker, QStringLiteral("a"));
    std::thread b(worker, QStringLiteral("b"));
    a.join();
    b.join();
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 2 + 2 * kRows);
    auto check = database.connect(QStringLiteral("editor"));
    EXPECT_EQ(query(*check, QStringLiteral("select count(distinct [p25-2]) from specialPUM")).integer(0, 0), 2 + 2 * kRows);
}

TEST_F(Session, SettingsAreTheAdministratorsAndTheAuditLogOnlyGrows)
{
    auto editor = database.connect(QStringLiteral("editor"));
    editor->execute(QStringLiteral("INSERT INTO ZEL_LOG([table], [row_id], [descr], [ZEL_User], [comp]) "
                                   "VALUES('Educ', 1, 'x', 'editor', 'PC\\1.2.3.4')"));
    ASSERT_EQ(database.count(QStringLiteral("ZEL_LOG")), 1);

    const QString statements[] = {
        QStringLiteral("UPDATE VuzDefaults SET n_field = 'http://evil.example' WHERE id_vuz_defaults = 23"),
        QStringLiteral("INSERT INTO VuzDefaults(id_vuz_defaults, n_field) VALUES(24, 'x')"),
        QStringLiteral("DELETE FROM VuzDefaults"),
        QStringLiteral("DELETE FROM ZEL_LOG"),
        QStringLiteral("UPDATE ZEL_LOG SET descr = 'nothing happened'"),
        QStringLiteral("UPDATE [dbo].[zel_log] SET descr = 'nothing happened' WHERE row_id = 1"),
    };
    const QString expected[] = {
        QStringLiteral("The UPDATE permission was denied on the object 'VuzDefaults', database 'ZEL', schema 'dbo'."),
        QStringLiteral("The INSERT permission was denied on the object 'VuzDefaults', database 'ZEL', schema 'dbo'."),
        QStringLiteral("The DELETE permission was denied on the object 'VuzDefaults', database 'ZEL', schema 'dbo'."),
        QStringLiteral("The DELETE permission was denied on the object 'ZEL_LOG', database 'ZEL', schema 'dbo'."),
        QStringLiteral("The UPDATE permission was denied on the object 'ZEL_LOG', database 'ZEL', schema 'dbo'."),
        QStringLiteral("The UPDATE permission was denied on the object 'ZEL_LOG', database 'ZEL', schema 'dbo'."),
    };
    for (int i = 0; i < 6; ++i) {
        try {
            editor->execute(statements[i]);
            ADD_FAILURE() << "allowed: " << statements[i].toStdString();
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::PermissionDenied) << e.message().toStdString();
            EXPECT_EQ(e.message(), expected[i]);
        }
    }
    // The dataset route is refused the same way.
    EXPECT_THROW(editor->update(QStringLiteral("VuzDefaults"), QStringLiteral("id_vuz_defaults"), 23,
                                {{QStringLiteral("n_field"), QStringLiteral("http://evil.example")}}),
                 DbError);
    EXPECT_THROW(editor->remove(QStringLiteral("ZEL_LOG"), QStringLiteral("id"), 1), DbError);
    EXPECT_THROW(editor->update(QStringLiteral("zel_log"), QStringLiteral("id"), 1, {{QStringLiteral("descr"), QStringLiteral("y")}}),
                 DbError);
    EXPECT_FALSE(editor->insert(QStringLiteral("ZEL_LOG"), {{QStringLiteral("descr"), QStringLiteral("second")}},
                                QStringLiteral("id")).isNull());

    EXPECT_EQ(query(*editor, QStringLiteral("select n_field from VuzDefaults where id_vuz_defaults = 23")).text(0, 0),
              QStringLiteral("http://updates.local"));
    EXPECT_EQ(database.count(QStringLiteral("VuzDefaults")), 2);
    EXPECT_EQ(columnTexts(query(*editor, QStringLiteral("select descr from ZEL_LOG order by id")), 0),
              (QStringList{"x", "second"}));

    // The administrator keeps both.
    auto admin = database.connect(QStringLiteral("admin"));
    EXPECT_EQ(admin->execute(QStringLiteral("UPDATE VuzDefaults SET n_field = 'http://new.local' WHERE id_vuz_defaults = 23")), 1);
    EXPECT_EQ(admin->execute(QStringLiteral("DELETE FROM ZEL_LOG WHERE descr = 'second'")), 1);
}
