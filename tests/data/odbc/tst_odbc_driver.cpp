#include "FailureOf.h"
#include "OdbcTestEnvironment.h"

#include "data/DbError.h"
#include "data/Driver.h"
#include "data/odbc/OdbcDriver.h"
#include "data/odbc/OdbcDriverRegistration.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::db;

namespace {

class OdbcDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        odbctest::installTestOdbcConfiguration();
        ASSERT_TRUE(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("кадры.db"));
        m_driver.open(ConnectionParams::parse(odbctest::connectionStringFor(m_file)));
    }

    RowSet run(const QString& sql)
    {
        RowSet rows;
        m_driver.query(sql, rows);
        return rows;
    }

    QTemporaryDir m_dir;
    QString m_file;
    OdbcDriver m_driver;
};

using odbctest::failureOf;

TEST_F(OdbcDriverTest, OpensTheDataSourceWithTheCatalogAsDatabase)
{
    EXPECT_TRUE(m_driver.isOpen());
    EXPECT_TRUE(m_driver.dbmsName().contains(QStringLiteral("SQLite"), Qt::CaseInsensitive)) << m_driver.dbmsName().toStdString();
    m_driver.execute(QStringLiteral("CREATE TABLE probe (id integer)"));
    EXPECT_TRUE(QFile::exists(m_file));
    m_driver.close();
    EXPECT_FALSE(m_driver.isOpen());
    EXPECT_EQ(failureOf([&] { m_driver.execute(QStringLiteral("SELECT 1")); }).kind(), DbError::Kind::ConnectionLost);
}

TEST_F(OdbcDriverTest, ReportsEveryColumnTypeWithSizesAndNulls)
{
    m_driver.execute(QStringLiteral(
        "CREATE TABLE kinds (id integer PRIMARY KEY AUTOINCREMENT, n_small smallint, n_int integer NOT NULL,"
        " flag bit, name varchar(50), wide nvarchar(40), memo text, ratio float, amount decimal(18,2),"
        " stamp datetime, born date, photo blob)"));
    m_driver.execute(QStringLiteral(
        "INSERT INTO kinds (n_small, n_int, flag, name, wide, memo, ratio, amount, stamp, born, photo)"
        " VALUES (-7, 2147483647, 1, 'Ivanov', 'Иванов', 'long memo', 2.5, 1234.56,"
        " '2024-02-29 13:45:30.250', '1990-07-01', X'00FF10')"));
    m_driver.execute(QStringLiteral("INSERT INTO kinds (n_int) VALUES (0)"));

    const RowSet rows = run(QStringLiteral("SELECT * FROM kinds ORDER BY id"));
    ASSERT_EQ(rows.columnCount(), 12);
    ASSERT_EQ(rows.rowCount(), 2);
    const auto& c = rows.columns();
    EXPECT_EQ(c[0].type, SqlType::Int);
    EXPECT_EQ(c[1].type, SqlType::SmallInt);
    EXPECT_EQ(c[2].type, SqlType::Int);  // SQLite's driver reports every column nullable
    EXPECT_EQ(c[3].type, SqlType::Bit);
    EXPECT_EQ(c[4].type, SqlType::VarChar);
    EXPECT_EQ(c[4].size, 50);
    EXPECT_TRUE(isTextType(c[5].type));
    EXPECT_EQ(c[5].size, 40);
    EXPECT_TRUE(isTextType(c[6].type));
    EXPECT_EQ(c[7].type, SqlType::Float);
    EXPECT_EQ(c[8].type, SqlType::Decimal);
    EXPECT_EQ(c[9].type, SqlType::DateTime);
    EXPECT_EQ(c[10].type, SqlType::Date);
    EXPECT_TRUE(isBinaryType(c[11].type));

    EXPECT_EQ(rows.integer(0, 1), -7);
    EXPECT_EQ(rows.integer(0, 2), 2147483647);
    EXPECT_TRUE(rows.boolean(0, 3));
    EXPECT_EQ(rows.text(0, 4), QStringLiteral("Ivanov"));
    EXPECT_EQ(rows.text(0, 5), QStringLiteral("Иванов"));
    EXPECT_EQ(rows.text(0, 6), QStringLiteral("long memo"));
    EXPECT_DOUBLE_EQ(rows.real(0, 7), 2.5);
    EXPECT_DOUBLE_EQ(rows.real(0, 8), 1234.56);
    EXPECT_EQ(fromCellDateTime(rows.dateTime(0, 9)),
              QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30, 250)));
    EXPECT_EQ(fromCellDateTime(rows.dateTime(0, 10)).date(), QDate(1990, 7, 1));
    EXPECT_EQ(rows.blob(0, 11), QByteArray::fromHex("00FF10"));

    for (int col = 1; col < 12; ++col)
        EXPECT_EQ(rows.isNull(1, col), col != 2) << "column " << col;
}

TEST_F(OdbcDriverTest, DescribesBaseTableKeyAndIdentity)
{
    m_driver.execute(QStringLiteral("CREATE TABLE TEACHER (id_teacher integer PRIMARY KEY AUTOINCREMENT, t_name varchar(30))"));
    const RowSet rows = run(QStringLiteral("SELECT id_teacher, t_name, t_name || '!' AS shout FROM TEACHER"));
    ASSERT_EQ(rows.columnCount(), 3);
    EXPECT_EQ(rows.rowCount(), 0);
    const auto& c = rows.columns();
    EXPECT_EQ(c[0].baseTable.toLower(), QStringLiteral("teacher"));
    EXPECT_EQ(c[0].baseColumn, QStringLiteral("id_teacher"));
    EXPECT_TRUE(c[0].key);
    EXPECT_FALSE(c[1].key);
    EXPECT_EQ(c[1].baseColumn, QStringLiteral("t_name"));
    EXPECT_TRUE(c[2].isComputed());
    EXPECT_FALSE(c[2].key);
}

TEST_F(OdbcDriverTest, InsertReadsBackTheIdentityAndWritesBoundValues)
{
    m_driver.execute(QStringLiteral("CREATE TABLE [p25-2] (id integer PRIMARY KEY AUTOINCREMENT, [full name] nvarchar(80), photo blob)"));
    const QString tricky = QStringLiteral("O'Brien; д'Артаньян '; DROP TABLE x-- 100% a_b [x] {};");
    const QVariant first = m_driver.insert(QStringLiteral("p25-2"), {{QStringLiteral("full name"), tricky, SqlType::NVarChar}},
                                           QStringLiteral("id"));
    const QVariant second = m_driver.insert(QStringLiteral("p25-2"), {{QStringLiteral("full name"), QVariant(), SqlType::NVarChar},
                                                                     {QStringLiteral("photo"), QVariant(), SqlType::Image}},
                                            QStringLiteral("id"));
    ASSERT_TRUE(first.isValid());
    EXPECT_EQ(second.toLongLong(), first.toLongLong() + 1);
    EXPECT_FALSE(m_driver.insert(QStringLiteral("p25-2"), {}, QString()).isValid());

    const RowSet rows = run(QStringLiteral("SELECT id, [full name] FROM [p25-2] ORDER BY id"));
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.integer(0, 0), first.toLongLong());
    EXPECT_EQ(rows.text(0, 1), tricky);
    EXPECT_TRUE(rows.isNull(1, 1));
}

TEST_F(OdbcDriverTest, UpdateAndRemoveTouchOnlyTheRowWithTheKey)
{
    m_driver.execute(QStringLiteral("CREATE TABLE city (id integer PRIMARY KEY, name nvarchar(40), founded datetime, big integer)"));
    m_driver.execute(QStringLiteral("INSERT INTO city VALUES (1, 'Минск', NULL, NULL), (2, 'Гомель', NULL, NULL)"));

    const QDateTime founded(QDate(1067, 3, 3), QTime(10, 20, 30, 400));
    EXPECT_EQ(m_driver.update(QStringLiteral("city"), QStringLiteral("id"), 2,
                              {{QStringLiteral("name"), QStringLiteral("Гомель-2 ]"), SqlType::NVarChar},
                               {QStringLiteral("founded"), founded, SqlType::DateTime},
                               {QStringLiteral("big"), QVariant::fromValue<qlonglong>(5000000000LL), SqlType::BigInt}}),
              1);
    EXPECT_EQ(m_driver.update(QStringLiteral("city"), QStringLiteral("id"), 99,
                              {{QStringLiteral("name"), QStringLiteral("x"), SqlType::NVarChar}}),
              0);
    RowSet rows = run(QStringLiteral("SELECT id, name, founded, big FROM city ORDER BY id"));
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.text(0, 1), QStringLiteral("Минск"));
    EXPECT_EQ(rows.text(1, 1), QStringLiteral("Гомель-2 ]"));
    EXPECT_EQ(fromCellDateTime(rows.dateTime(1, 2)), founded);
    EXPECT_EQ(rows.integer(1, 3), 5000000000LL);

    // A value that is no number is refused, not written as 0.
    EXPECT_THROW(m_driver.update(QStringLiteral("city"), QStringLiteral("id"), 2,
                                 {{QStringLiteral("big"), QStringLiteral("12a"), SqlType::BigInt}}),
                 DataError);
    EXPECT_THROW(m_driver.update(QStringLiteral("city"), QStringLiteral("id"), 2,
                                 {{QStringLiteral("founded"), QStringLiteral("31.02.2024"), SqlType::DateTime}}),
                 DataError);
    EXPECT_EQ(run(QStringLiteral("SELECT big FROM city WHERE id = 2")).integer(0, 0), 5000000000LL);

    EXPECT_EQ(m_driver.remove(QStringLiteral("city"), QStringLiteral("id"), 1), 1);
    EXPECT_EQ(m_driver.remove(QStringLiteral("city"), QStringLiteral("id"), 1), 0);
    rows = run(QStringLiteral("SELECT id FROM city"));
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.integer(0, 0), 2);
}

TEST_F(OdbcDriverTest, TransactionStoresItsWritesTogetherOrNotAtAll)
{
    m_driver.execute(QStringLiteral("CREATE TABLE city (id integer PRIMARY KEY, name nvarchar(40))"));
    m_driver.execute(QStringLiteral("CREATE TABLE log (id integer PRIMARY KEY, what nvarchar(40))"));
    m_driver.execute(QStringLiteral("INSERT INTO city VALUES (1, 'Минск')"));
    auto cityName = [this] { return run(QStringLiteral("SELECT name FROM city WHERE id = 1")).text(0, 0); };
    auto logRows = [this] { return run(QStringLiteral("SELECT count(*) FROM log")).integer(0, 0); };

    m_driver.beginTransaction();
    m_driver.update(QStringLiteral("city"), QStringLiteral("id"), 1,
                    {{QStringLiteral("name"), QStringLiteral("Пинск"), SqlType::NVarChar}});
    m_driver.execute(QStringLiteral("INSERT INTO log VALUES (1, 'Пинск')"));
    EXPECT_THROW(m_driver.execute(QStringLiteral("INSERT INTO log_missing VALUES (1)")), DbError);
    m_driver.rollbackTransaction();
    EXPECT_EQ(cityName(), QStringLiteral("Минск"));
    EXPECT_EQ(logRows(), 0);

    m_driver.beginTransaction();
    m_driver.update(QStringLiteral("city"), QStringLiteral("id"), 1,
                    {{QStringLiteral("name"), QStringLiteral("Брест"), SqlType::NVarChar}});
    m_driver.execute(QStringLiteral("INSERT INTO log VALUES (2, 'Брест')"));
    m_driver.commitTransaction();
    EXPECT_EQ(cityName(), QStringLiteral("Брест"));
    EXPECT_EQ(logRows(), 1);

    // Back to one statement at a time: a write after the transaction stays written.
    m_driver.execute(QStringLiteral("INSERT INTO log VALUES (3, 'после')"));
    m_driver.rollbackTransaction();
    EXPECT_EQ(logRows(), 2);
    EXPECT_THROW(m_driver.commitTransaction(), DbError);
}

TEST_F(OdbcDriverTest, WritesOfARowChangedMeanwhileFindNoRow)
{
    m_driver.execute(QStringLiteral("CREATE TABLE clerk (id integer PRIMARY KEY, phone varchar(15), mail varchar(30))"));
    m_driver.execute(QStringLiteral("INSERT INTO clerk VALUES (1, '111', NULL), (2, '222', 'b@x')"));
    const auto phone = [](const char* value) {
        return ColumnValue{QStringLiteral("phone"), QString::fromLatin1(value), SqlType::VarChar};
    };
    // Another clerk already wrote 333 over 111: a save that read 111 finds no row.
    m_driver.execute(QStringLiteral("UPDATE clerk SET phone = '333' WHERE id = 1"));
    EXPECT_EQ(m_driver.updateUnchanged(QStringLiteral("clerk"), QStringLiteral("id"), 1, {phone("444")}, {phone("111")}), 0);
    EXPECT_EQ(run(QStringLiteral("SELECT phone FROM clerk WHERE id = 1")).text(0, 0), QStringLiteral("333"));
    EXPECT_EQ(m_driver.updateUnchanged(QStringLiteral("clerk"), QStringLiteral("id"), 1, {phone("444")}, {phone("333")}), 1);
    EXPECT_EQ(run(QStringLiteral("SELECT phone FROM clerk WHERE id = 1")).text(0, 0), QStringLiteral("444"));

    // NULL matches NULL only.
    const ColumnValue noMail{QStringLiteral("mail"), QVariant(), SqlType::VarChar};
    const ColumnValue newMail{QStringLiteral("mail"), QStringLiteral("a@x"), SqlType::VarChar};
    EXPECT_EQ(m_driver.updateUnchanged(QStringLiteral("clerk"), QStringLiteral("id"), 2, {newMail}, {noMail}), 0);
    EXPECT_EQ(m_driver.updateUnchanged(QStringLiteral("clerk"), QStringLiteral("id"), 1, {newMail}, {noMail}), 1);

    EXPECT_EQ(m_driver.removeUnchanged(QStringLiteral("clerk"), QStringLiteral("id"), 2, {phone("999")}), 0);
    EXPECT_EQ(m_driver.removeUnchanged(QStringLiteral("clerk"), QStringLiteral("id"), 2, {phone("222")}), 1);
    EXPECT_EQ(run(QStringLiteral("SELECT count(*) FROM clerk")).integer(0, 0), 1);
}

TEST_F(OdbcDriverTest, CyrillicAndOneMegabyteBlobSurviveTheRoundTrip)
{
    m_driver.execute(QStringLiteral("CREATE TABLE doc (id integer PRIMARY KEY AUTOINCREMENT, memo text, photo blob)"));
    QByteArray blob(1024 * 1024 + 17, '\0');
    for (qsizetype i = 0; i < blob.size(); ++i)
        blob[i] = char((i * 131 + i / 7) & 0xFF);
    QString memo;
    for (int i = 0; i < 40000; ++i)
        memo += QStringLiteral("Ёжик в тумане №%1; ").arg(i);  // about 1 MB of UTF-8 across chunk borders
    const QVariant id = m_driver.insert(QStringLiteral("doc"), {{QStringLiteral("memo"), memo, SqlType::Text},
                                                                {QStringLiteral("photo"), blob, SqlType::Image}},
                                        QStringLiteral("id"));
    const RowSet rows = run(QStringLiteral("SELECT memo, photo, length(photo) FROM doc WHERE id = %1").arg(id.toLongLong()));
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.integer(0, 2), blob.size());
    EXPECT_EQ(rows.blob(0, 1), blob);
    EXPECT_EQ(rows.text(0, 0), memo);
}

TEST_F(OdbcDriverTest, EveryStatementLeavesTheConnectionIdle)
{
    // SQLite's driver takes one statement per call; batches are covered by the TDS test.
    m_driver.execute(QStringLiteral("CREATE TABLE t (id integer)"));
    EXPECT_EQ(m_driver.execute(QStringLiteral("INSERT INTO t VALUES (1), (2), (3)")), 3);
    RowSet rows = run(QStringLiteral("SELECT id FROM t ORDER BY id"));
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.columns()[0].name, QStringLiteral("id"));
    EXPECT_EQ(run(QStringLiteral("SELECT count(*) FROM t")).integer(0, 0), 3);
    rows = run(QStringLiteral("DELETE FROM t WHERE id > 1"));
    EXPECT_EQ(rows.columnCount(), 0);
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(m_driver.execute(QStringLiteral("DELETE FROM t WHERE id = 42")), 0);
    EXPECT_EQ(run(QStringLiteral("SELECT count(*) FROM t")).integer(0, 0), 1);
}

TEST_F(OdbcDriverTest, ServerErrorsCarryTheServerWordsWithoutDriverPrefixes)
{
    const DbError missing = failureOf([&] { run(QStringLiteral("SELECT * FROM no_such_table")); });
    EXPECT_TRUE(missing.message().contains(QStringLiteral("no such table"))) << missing.message().toStdString();
    EXPECT_FALSE(missing.message().startsWith(u'[')) << missing.message().toStdString();

    const DbError syntax = failureOf([&] { run(QStringLiteral("SELEC 1")); });
    EXPECT_TRUE(syntax.message().contains(QStringLiteral("syntax error"))) << syntax.message().toStdString();

    m_driver.execute(QStringLiteral("CREATE TABLE u (id integer PRIMARY KEY, name varchar(10) NOT NULL)"));
    m_driver.execute(QStringLiteral("INSERT INTO u VALUES (1, 'a')"));
    const DbError duplicate = failureOf([&] {
        m_driver.insert(QStringLiteral("u"), {{QStringLiteral("id"), 1, SqlType::Int}, {QStringLiteral("name"), QStringLiteral("b"), SqlType::VarChar}}, {});
    });
    EXPECT_TRUE(duplicate.message().contains(QStringLiteral("UNIQUE"), Qt::CaseInsensitive)) << duplicate.message().toStdString();
    // The failed statement left nothing pending.
    EXPECT_EQ(run(QStringLiteral("SELECT count(*) FROM u")).integer(0, 0), 1);
}

TEST(OdbcDriverOpen, MissingDatabaseFolderIsAClearError)
{
    odbctest::installTestOdbcConfiguration();
    OdbcDriver driver;
    const DbError error = failureOf([&] {
        driver.open(ConnectionParams::parse(odbctest::connectionStringFor(QStringLiteral("/no/such/folder/zel.db"))));
        driver.execute(QStringLiteral("CREATE TABLE t (id integer)"));
    });
    EXPECT_FALSE(error.message().isEmpty());
    EXPECT_FALSE(error.message().startsWith(u'[')) << error.message().toStdString();
}

TEST(OdbcDriverOpen, UnreachableServerThroughFreeTdsIsAConnectionError)
{
    odbctest::installTestOdbcConfiguration();
    OdbcDriver driver;
    const DbError error = failureOf([&] {
        driver.open(ConnectionParams::parse(odbctest::connectionStringFor(QStringLiteral("Kadry"), QStringLiteral("127.0.0.1,1"))));
    });
    EXPECT_EQ(error.kind(), DbError::Kind::ConnectionLost) << error.message().toStdString();
    EXPECT_TRUE(error.message().startsWith(QStringLiteral("Unable to connect"))) << error.message().toStdString();
    EXPECT_FALSE(driver.isOpen());
}

TEST(OdbcDriverRegistry, AcceptsEverythingButDatabaseFiles)
{
    registerOdbcDriver();
    EXPECT_NE(dynamic_cast<OdbcDriver*>(DriverRegistry::create(ConnectionParams::parse(QStringLiteral("Data Source=zeltest"))).get()), nullptr);
    EXPECT_NE(dynamic_cast<OdbcDriver*>(DriverRegistry::create(ConnectionParams::parse(QStringLiteral("Data Source=srv\\SQL2019"))).get()), nullptr);
    EXPECT_THROW(DriverRegistry::create(ConnectionParams::parse(QStringLiteral("Data Source=/var/lib/zel/kadry.db"))), DbError);
}

}  // namespace
