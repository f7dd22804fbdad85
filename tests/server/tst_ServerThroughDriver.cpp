// The demo database and its procedures as the program reaches them: through
// the driver registry with the program's connection strings and statements.
#include "data/CharacterShift.h"
#include "data/DbError.h"
#include "data/Driver.h"
#include "data/PasswordHash.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"

#include "QtPrinters.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zel;

namespace {
class ServerThroughDriverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server::installServerModules();
        server::registerEmbeddedDriver();
        s_dir = new QTemporaryDir;
        s_path = s_dir->filePath(QStringLiteral("zel.db"));
        s_summary = server::createDemoDatabase(s_path, 40, 5);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    static std::unique_ptr<db::Driver> connect(const QString& login, const QString& password)
    {
        const db::ConnectionParams params = db::ConnectionParams::parse(
            QStringLiteral("Provider=SQLOLEDB.1;Password=%1;Persist Security Info=True;User ID=%2;"
                           "Initial Catalog=ZEL;Data Source=%3")
                .arg(password, login, s_path));
        std::unique_ptr<db::Driver> driver = db::DriverRegistry::create(params);
        driver->open(params);
        return driver;
    }
    static std::unique_ptr<db::Driver> bootstrap()
    {
        return connect(s_summary.databaseAccounts.front().login, s_summary.databaseAccounts.front().password);
    }
    static QString getUser(const QString& login, const QString& password)
    {
        return QStringLiteral("EXEC GET_USER '%1','%2',NULL, 'ZEL 4', '10.0.0.7', 'PC12', '%1','0','4'")
            .arg(login, passwordHash(password));
    }
    /// Signs in as the program does and returns the connection under the clerk's account.
    static std::unique_ptr<db::Driver> signIn(const QString& login, const QString& password)
    {
        db::RowSet row;
        bootstrap()->query(getUser(login, password), row);
        EXPECT_EQ(row.rowCount(), 1);
        return connect(shift::decodeText(row.text(0, 0)), shift::decodeText(row.text(0, 1)));
    }
    static qint64 scalar(db::Driver& driver, const QString& sql)
    {
        db::RowSet rows;
        driver.query(sql, rows);
        return rows.rowCount() ? rows.integer(0, 0) : -1;
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QString s_path;
    static inline server::DemoSummary s_summary;
};
}  // namespace

TEST_F(ServerThroughDriverTest, BootstrapAccountMayOnlySignIn)
{
    std::unique_ptr<db::Driver> boot = bootstrap();
    db::RowSet rows;
    boot->query(getUser(QStringLiteral("ivanova"), QStringLiteral("ivanova1")), rows);
    ASSERT_EQ(rows.columnCount(), 6);
    EXPECT_EQ(shift::decodeText(rows.text(0, 0)), QStringLiteral("zel_editor"));
    EXPECT_THROW(boot->query(QStringLiteral("select * from TEACHER"), rows), DbError);
    EXPECT_THROW(boot->query(QStringLiteral("exec Ab_RepublicProcSchool "), rows), DbError);
    EXPECT_THROW(boot->query(getUser(QStringLiteral("ivanova"), QStringLiteral("wrong")), rows), DbError);
    EXPECT_THROW(connect(QStringLiteral("zel_editor"), QStringLiteral("wrong")), DbError);
}

TEST_F(ServerThroughDriverTest, SignedInEditorReadsCardsAndAddressLists)
{
    std::unique_ptr<db::Driver> editor = signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1"));
    db::RowSet rows;
    editor->query(QStringLiteral("SELECT  TOP (0) PERCENT dbo.Passport.* FROM dbo.Passport"), rows);
    const int inn = rows.columnIndex(QStringLiteral("INN"));
    ASSERT_GE(inn, 0);
    EXPECT_EQ(rows.columns()[std::size_t(inn)].size, 12);
    EXPECT_EQ(rows.rowCount(), 0);

    editor->query(QStringLiteral("Select *  FROM [ZEL].[dbo].[VuzDefaults] Where id_vuz_defaults=22"), rows);
    EXPECT_EQ(rows.text(0, rows.columnIndex(QStringLiteral("n_field"))), QStringLiteral("http://127.0.0.1:8089"));

    editor->query(QStringLiteral("exec Ab_RepublicProcSchool "), rows);
    ASSERT_GT(rows.rowCount(), 0);
    editor->query(QStringLiteral("exec ab_RegionProcSchool ") + QString::number(rows.integer(0, 0)), rows);
    EXPECT_EQ(rows.columns()[0].name, QStringLiteral("RegionEducat"));
    EXPECT_GT(rows.rowCount(), 0);
}

TEST_F(ServerThroughDriverTest, FamilyStatusProcedureThroughParameters)
{
    std::unique_ptr<db::Driver> editor = signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1"));
    const qint64 id = scalar(*editor, QStringLiteral("SELECT TOP(1) id_teacher FROM family_ ORDER BY id_teacher"));
    ASSERT_GT(id, 1);
    std::vector<db::ProcedureParameter> parameters = {
        {QStringLiteral("@RETURN_VALUE"), db::SqlType::Int, db::ProcedureParameter::Direction::ReturnValue, {}},
        {QStringLiteral("@OldStatus"), db::SqlType::Int, db::ProcedureParameter::Direction::Input, 9},
        {QStringLiteral("@NewStatus"), db::SqlType::Int, db::ProcedureParameter::Direction::Input, id},
    };
    editor->callProcedure(QStringLiteral("Update_Family_Staus;1"), parameters);
    EXPECT_EQ(scalar(*editor, QStringLiteral("Select count(*) From family_ Where id_teacher=%1 AND id_family_status <> 9").arg(id)), 0);
}

TEST_F(ServerThroughDriverTest, DeletionsAsTheDirectorySendsThem)
{
    std::unique_ptr<db::Driver> editor = signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1"));
    const qint64 linked = scalar(*editor, QStringLiteral(
        "SELECT TOP(1) id_teacher FROM TEACHER_info WHERE id_teacher NOT IN (SELECT id_teacher FROM Teacher_Del) ORDER BY id_teacher"));
    ASSERT_GT(linked, 1);
    db::RowSet rows;
    editor->query(QStringLiteral("EXEC [DeleteTeacher] @id_teacher = %1, @zel_user = 'ivanova', @ip = 'PC12\\10.0.0.7'").arg(linked), rows);
    EXPECT_EQ(rows.integer(0, 0), 0);

    editor->execute(QStringLiteral("EXEC DeleteTeacher2 @id_teacher=%1, @zel_user = 'ivanova', @ip = 'PC12\\10.0.0.7'").arg(linked));
    EXPECT_EQ(scalar(*editor, QStringLiteral("SELECT count(*) FROM TEACHER WHERE id_teacher = %1").arg(linked)), 0);
    EXPECT_EQ(scalar(*editor, QStringLiteral("SELECT count(*) FROM TEACHER_info WHERE id_teacher = %1").arg(linked)), 0);

    const qint64 guarded = scalar(*editor, QStringLiteral("SELECT TOP(1) id_teacher FROM Teacher_Del ORDER BY id_teacher"));
    try {
        editor->execute(QStringLiteral("EXEC DeleteTeacher2 @id_teacher=%1, @zel_user = 'ivanova', @ip = 'x'").arg(guarded));
        FAIL() << "employee with workload deleted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("нагрузка"))) << e.message().toStdString();
    }
}

TEST_F(ServerThroughDriverTest, ReadOnlyClerkCannotCopyOrDelete)
{
    std::unique_ptr<db::Driver> reader = signIn(QStringLiteral("petrov"), QStringLiteral("petrov1"));
    EXPECT_GT(scalar(*reader, QStringLiteral("SELECT count(*) FROM TEACHER")), 1);
    EXPECT_THROW(reader->execute(QStringLiteral(
                     "EXEC CopyDataFromTeacher @id_teacherFrom = 2, @id_teacherTo = 3, @zel_user = 'petrov', @ip = 'x'")),
                 DbError);
    EXPECT_THROW(reader->execute(QStringLiteral("EXEC DeleteTeacher2 @id_teacher=3, @zel_user = 'petrov', @ip = 'x'")), DbError);
    EXPECT_EQ(scalar(*reader, QStringLiteral("SELECT count(*) FROM TEACHER WHERE id_teacher = 3")), 1);
}

TEST_F(ServerThroughDriverTest, TraceKeepsNoPasswordDigestOfASignIn)
{
    const server::DemoAccount& admin = s_summary.databaseAccounts.back();
    ASSERT_EQ(admin.login, QStringLiteral("zel_admin"));
    std::unique_ptr<db::Driver> administrator = connect(admin.login, admin.password);
    administrator->execute(QStringLiteral("DELETE FROM zel_trace"));
    administrator->execute(QStringLiteral("UPDATE zel_settings SET value = '1' WHERE name = 'trace'"));
    if (scalar(*administrator, QStringLiteral("SELECT count(*) FROM zel_settings WHERE name = 'trace'")) == 0)
        administrator->execute(QStringLiteral("INSERT INTO zel_settings(name, value) VALUES('trace', '1')"));

    std::unique_ptr<db::Driver> boot = bootstrap();
    db::RowSet rows;
    const QString digest = passwordHash(QStringLiteral("smirnov1"));
    const QString newDigest = passwordHash(QStringLiteral("Smirnov_2027"));
    boot->query(getUser(QStringLiteral("smirnov"), QStringLiteral("smirnov1")), rows);
    boot->query(QStringLiteral("EXEC GET_USER 'smirnov','%1','%2', 'ZEL 4', '10.0.0.7', 'PC12', 'smirnov','0','34'")
                    .arg(digest, newDigest),
                rows);
    EXPECT_THROW(boot->query(QStringLiteral("exec [dbo].[get_user] @login = N'smirnov', @new_password = '%1', @password = '%2'")
                                 .arg(newDigest, digest.toLower()),
                             rows),
                 DbError);
    administrator->execute(QStringLiteral("UPDATE zel_settings SET value = '0' WHERE name = 'trace'"));

    administrator->query(QStringLiteral("SELECT statement FROM zel_trace WHERE login = 'zel_boot' ORDER BY id"), rows);
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.text(0, 0), QStringLiteral("EXEC GET_USER 'smirnov','***',NULL, 'ZEL 4', '10.0.0.7', 'PC12', 'smirnov','0','4'"));
    EXPECT_EQ(rows.text(1, 0), QStringLiteral("EXEC GET_USER 'smirnov','***','***', 'ZEL 4', '10.0.0.7', 'PC12', 'smirnov','0','34'"));
    EXPECT_EQ(rows.text(2, 0), QStringLiteral("exec [dbo].[get_user] @login = N'smirnov', @new_password = '***', @password = '***'"));
    // Other statements are kept byte for byte.
    administrator->query(QStringLiteral("SELECT statement FROM zel_trace WHERE login = 'zel_admin' ORDER BY id"), rows);
    QStringList statements;
    for (int row = 0; row < rows.rowCount(); ++row)
        statements << rows.text(row, 0);
    EXPECT_TRUE(statements.contains(QStringLiteral("UPDATE zel_settings SET value = '1' WHERE name = 'trace'")))
        << statements.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ServerThroughDriverTest, ClientTransactionStoresAllOrNothingAndTheTraceKeepsWhatArrived)
{
    const server::DemoAccount& admin = s_summary.databaseAccounts.back();
    std::unique_ptr<db::Driver> administrator = connect(admin.login, admin.password);
    administrator->execute(QStringLiteral("DELETE FROM zel_trace"));
    administrator->execute(QStringLiteral("UPDATE zel_settings SET value = '1' WHERE name = 'trace'"));
    if (scalar(*administrator, QStringLiteral("SELECT count(*) FROM zel_settings WHERE name = 'trace'")) == 0)
        administrator->execute(QStringLiteral("INSERT INTO zel_settings(name, value) VALUES('trace', '1')"));

    std::unique_ptr<db::Driver> editor = signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1"));
    const QString logCount = QStringLiteral("SELECT count(*) FROM ZEL_LOG WHERE descr = 'транзакция'");
    const qint64 logsBefore = scalar(*administrator, logCount);
    const QString change = QStringLiteral("UPDATE TEACHER SET p28 = 'Отменённое' WHERE id_teacher = 3");
    const QString audit = QStringLiteral(
        "INSERT INTO ZEL_LOG([table], [row_id], [descr], [ZEL_User], [comp]) VALUES('Teacher', 3, 'транзакция', 'ivanova', 'PC12')");

    editor->beginTransaction();
    EXPECT_THROW(editor->beginTransaction(), DbError);  // not nested
    EXPECT_EQ(editor->execute(change), 1);
    editor->execute(audit);
    EXPECT_THROW(editor->execute(QStringLiteral("INSERT INTO ZEL_LOG_MISSING(x) VALUES(1)")), DbError);
    editor->rollbackTransaction();
    EXPECT_EQ(scalar(*administrator, QStringLiteral("SELECT count(*) FROM TEACHER WHERE p28 = 'Отменённое'")), 0);
    EXPECT_EQ(scalar(*administrator, logCount), logsBefore);

    const QString stored = QStringLiteral("UPDATE TEACHER SET p28 = 'Сохранённое' WHERE id_teacher = 3");
    editor->beginTransaction();
    editor->execute(stored);
    editor->execute(audit);
    editor->commitTransaction();
    EXPECT_EQ(scalar(*administrator, QStringLiteral("SELECT count(*) FROM TEACHER WHERE p28 = 'Сохранённое'")), 1);
    EXPECT_EQ(scalar(*administrator, logCount), logsBefore + 1);
    EXPECT_THROW(editor->commitTransaction(), DbError);
    administrator->execute(QStringLiteral("UPDATE zel_settings SET value = '0' WHERE name = 'trace'"));

    // The server received the undone statements too: each is in the trace once, in order.
    db::RowSet rows;
    administrator->query(QStringLiteral("SELECT statement FROM zel_trace WHERE login NOT IN ('zel_admin', 'zel_boot') ORDER BY id"), rows);
    QStringList statements;
    for (int row = 0; row < rows.rowCount(); ++row)
        statements << rows.text(row, 0);
    EXPECT_EQ(statements, (QStringList{change, audit, QStringLiteral("INSERT INTO ZEL_LOG_MISSING(x) VALUES(1)"),
                                       stored, audit}))
        << statements.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ServerThroughDriverTest, AddressListsAnswerWhileAnotherClerkHoldsTheWriteLock)
{
    std::unique_ptr<db::Driver> editor = signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1"));
    // Another connection is in the middle of a write and keeps the write lock.
    server::schema::SqliteConnection writer(s_path, server::schema::SqliteConnection::Mode::OpenExisting);
    server::schema::execute(writer.handle(), QStringLiteral("BEGIN IMMEDIATE"));
    server::schema::execute(writer.handle(), QStringLiteral("UPDATE TEACHER SET p28 = p28 WHERE id_teacher = 2"));

    db::RowSet rows;
    editor->query(QStringLiteral("exec Ab_RepublicProcSchool "), rows);
    ASSERT_GT(rows.rowCount(), 0);
    editor->query(QStringLiteral("exec ab_RegionProcSchool ") + QString::number(rows.integer(0, 0)), rows);
    EXPECT_GT(rows.rowCount(), 0);
    server::schema::execute(writer.handle(), QStringLiteral("ROLLBACK"));
}
