// zel4-admin init-demo, query and mssql-scripts, run as the administrator runs them.
#include "AdminCommand.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
using admintest::admin;
using admintest::adminWithInput;
using admintest::CommandResult;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class AdminServerCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_db = s_dir->filePath(QStringLiteral("demo.db"));
        s_init = admin({QStringLiteral("init-demo"), QStringLiteral("--employees"), QStringLiteral("20"), s_db});
    }
    static void TearDownTestSuite() { delete s_dir; }
    static CommandResult query(const QString& login, const QString& password, const QString& statement)
    {
        return admin({QStringLiteral("query"), QStringLiteral("--db"), s_db, QStringLiteral("--login"), login,
                      QStringLiteral("--password"), password, statement});
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QString s_db;
    static inline CommandResult s_init;
};
}  // namespace

TEST_F(AdminServerCommandsTest, InitDemoPrintsSignInAndDatabaseAccounts)
{
    ASSERT_EQ(s_init.exitCode, 0) << s_init.err.toStdString();
    for (const char* expected : {"ivanova / ivanova1", "sidorova", "kuznetsov", "petrov", "zel_boot / Start2026",
                                 "zel_editor", "zel_reader", "bootstrap --login zel_boot"})
        EXPECT_TRUE(s_init.out.contains(QString::fromUtf8(expected))) << expected;

    const CommandResult again = admin({QStringLiteral("init-demo"), s_db});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_FALSE(again.err.isEmpty());
    EXPECT_EQ(admin({QStringLiteral("init-demo"), QStringLiteral("--employees"), QStringLiteral("x"),
                     s_dir->filePath(QStringLiteral("other.db"))}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(s_dir->filePath(QStringLiteral("other.db"))));
}

TEST_F(AdminServerCommandsTest, QueryPrintsHeaderAndTabSeparatedRows)
{
    const CommandResult run = query(QStringLiteral("zel_editor"), QStringLiteral("Kadry2026x"),
                          QStringLiteral("SELECT id_teacher, p26 FROM TEACHER WHERE id_teacher <= 2 ORDER BY id_teacher"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("id_teacher\tp26"));
    EXPECT_EQ(lines[1], QStringLiteral("1\tСлужебная запись"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2\t")));
}

TEST_F(AdminServerCommandsTest, QueryReportsTheServersErrorWithExitCodeOne)
{
    const CommandResult denied = query(QStringLiteral("zel_boot"), QStringLiteral("Start2026"), QStringLiteral("SELECT * FROM TEACHER"));
    EXPECT_EQ(denied.exitCode, 1);
    EXPECT_TRUE(denied.err.contains(QStringLiteral("TEACHER"))) << denied.err.toStdString();
    const CommandResult login = query(QStringLiteral("zel_editor"), QStringLiteral("nope"), QStringLiteral("SELECT 1"));
    EXPECT_EQ(login.exitCode, 1);
    EXPECT_FALSE(login.err.isEmpty());
    EXPECT_EQ(admin({QStringLiteral("query"), QStringLiteral("--db"), s_db}).exitCode, 2);
}

TEST(AdminMssqlScripts, WritesTheCommittedScripts)
{
    QTemporaryDir dir;
    const CommandResult run = admin({QStringLiteral("mssql-scripts"), QStringLiteral("--out"), dir.path()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString committed = qEnvironmentVariable("ZEL_SOURCE_DIR") + QStringLiteral("/sql/mssql/");
    for (const char* name : {"01_schema.sql", "04_dictionaries.sql"})
        EXPECT_EQ(readFile(dir.filePath(QLatin1String(name))), readFile(committed + QLatin1String(name))) << name;
}

TEST_F(AdminServerCommandsTest, SetPasswordReadsTheNewPasswordFromStandardInput)
{
    ASSERT_EQ(s_init.exitCode, 0) << s_init.err.toStdString();
    const CommandResult changed = adminWithInput(
        {QStringLiteral("set-password"), QStringLiteral("--db"), s_db, QStringLiteral("--login"), QStringLiteral("zel_reader")},
        "Chtenie2027\n");
    ASSERT_EQ(changed.exitCode, 0) << changed.err.toStdString();
    EXPECT_EQ(changed.out, QStringLiteral("Пароль учётной записи базы \"zel_reader\" изменён.\n"));
    EXPECT_NE(query(QStringLiteral("zel_reader"), QStringLiteral("Chtenie2026"), QStringLiteral("select 1")).exitCode, 0);
    EXPECT_EQ(query(QStringLiteral("zel_reader"), QStringLiteral("Chtenie2027"), QStringLiteral("select 1")).exitCode, 0);

    // A clerk: the new password signs in through GET_USER, the old one no longer does.
    const CommandResult clerk = adminWithInput(
        {QStringLiteral("set-password"), QStringLiteral("--db"), s_db, QStringLiteral("--login"), QStringLiteral("petrov")},
        "Petrov_2027\r\n");
    ASSERT_EQ(clerk.exitCode, 0) << clerk.err.toStdString();
    auto signIn = [](const char* password) {
        const QString digest = QString::fromLatin1(
            QCryptographicHash::hash(QByteArray(password), QCryptographicHash::Md5).toHex().toUpper());
        return query(QStringLiteral("zel_boot"), QStringLiteral("Start2026"),
                     QStringLiteral("EXEC GET_USER 'petrov','%1',NULL, 'ZEL 4', '10.0.0.7', 'PC12', 'petrov','0','4'").arg(digest));
    };
    EXPECT_NE(signIn("petrov1").exitCode, 0);
    EXPECT_EQ(signIn("Petrov_2027").exitCode, 0) << signIn("Petrov_2027").err.toStdString();

    // Nothing readable, or nobody of that name: refused in Russian, nothing changed.
    const CommandResult empty = adminWithInput(
        {QStringLiteral("set-password"), QStringLiteral("--db"), s_db, QStringLiteral("--login"), QStringLiteral("zel_reader")}, "");
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.contains(QStringLiteral("Пароль не прочитан"))) << empty.err.toStdString();
    const CommandResult unknown = adminWithInput(
        {QStringLiteral("set-password"), QStringLiteral("--db"), s_db, QStringLiteral("--login"), QStringLiteral("nobody")}, "x\n");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("учётная запись \"nobody\" не найдена"))) << unknown.err.toStdString();
    EXPECT_EQ(query(QStringLiteral("zel_reader"), QStringLiteral("Chtenie2027"), QStringLiteral("select 1")).exitCode, 0);
}

TEST_F(AdminServerCommandsTest, BootstrapTakesThePasswordFromAFileOrStandardInput)
{
    const QString passwordFile = s_dir->filePath(QStringLiteral("boot.txt"));
    {
        QFile file(passwordFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Start2026\n");
    }
    const QString fromFile = s_dir->filePath(QStringLiteral("ZEL-file"));
    const QStringList common = {QStringLiteral("bootstrap"), QStringLiteral("--login"), QStringLiteral("zel_boot"),
                                QStringLiteral("--server"), QStringLiteral("demo.db"), QStringLiteral("--database"),
                                QStringLiteral("ZEL")};
    CommandResult written = admin(common + QStringList{QStringLiteral("--password-file"), passwordFile, QStringLiteral("--out"), fromFile});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    const QString fromInput = s_dir->filePath(QStringLiteral("ZEL-stdin"));
    written = adminWithInput(common + QStringList{QStringLiteral("--out"), fromInput}, "Start2026\n");
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    // Both files hold the same settings as one written with --password.
    const QString fromOption = s_dir->filePath(QStringLiteral("ZEL-option"));
    ASSERT_EQ(admin(common + QStringList{QStringLiteral("--password"), QStringLiteral("Start2026"), QStringLiteral("--out"), fromOption}).exitCode, 0);
    for (const QString& path : {fromFile, fromInput}) {
        const CommandResult shown = admin({QStringLiteral("show-bootstrap"), path});
        EXPECT_EQ(shown.out, admin({QStringLiteral("show-bootstrap"), fromOption}).out);
        EXPECT_TRUE(shown.out.contains(QStringLiteral("Password: *********\n"))) << shown.out.toStdString();
    }
    const CommandResult missing = admin(common + QStringList{QStringLiteral("--password-file"), s_dir->filePath(QStringLiteral("none"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Не удалось прочитать файл пароля"))) << missing.err.toStdString();
}

TEST(AdminBootstrap, WritesMode640UnlessToldOtherwise)
{
    QTemporaryDir dir;
    const QStringList base = {QStringLiteral("bootstrap"), QStringLiteral("--login"), QStringLiteral("zel_boot"),
                              QStringLiteral("--password"), QStringLiteral("pw"), QStringLiteral("--server"),
                              QStringLiteral("srv"), QStringLiteral("--database"), QStringLiteral("ZEL")};
    const auto groupAndOthers = [](const QString& path) {
        const QFileDevice::Permissions p = QFile::permissions(path);
        return QStringList{p & QFileDevice::ReadGroup ? QStringLiteral("group reads") : QString(),
                           p & QFileDevice::WriteGroup ? QStringLiteral("group writes") : QString(),
                           p & QFileDevice::ReadOther ? QStringLiteral("others read") : QString()}
            .join(u' ')
            .simplified();
    };
    const QString shared = dir.filePath(QStringLiteral("shared"));
    CommandResult run = admin(base + QStringList{QStringLiteral("--out"), shared});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(groupAndOthers(shared), QStringLiteral("group reads"));

    const QString single = dir.filePath(QStringLiteral("single"));
    run = admin(base + QStringList{QStringLiteral("--out"), single, QStringLiteral("--mode"), QStringLiteral("600")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(groupAndOthers(single), QString());

    run = admin(base + QStringList{QStringLiteral("--out"), dir.filePath(QStringLiteral("bad")), QStringLiteral("--mode"),
                                   QStringLiteral("rw")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--mode")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("bad"))));
}
