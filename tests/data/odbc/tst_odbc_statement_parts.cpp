#include "data/odbc/ServerDialect.h"
#include "data/odbc/OdbcTypeMapping.h"
#include "data/odbc/SqlIdentifier.h"

#include <sqlext.h>

#include <gtest/gtest.h>

using namespace zel::db;

namespace {

TEST(SqlIdentifier, NamesAreBracketedWithClosingBracketsDoubled)
{
    EXPECT_EQ(SqlIdentifier::quote(QStringLiteral("p25-2")), QStringLiteral("[p25-2]"));
    EXPECT_EQ(SqlIdentifier::quote(QStringLiteral("a]b")), QStringLiteral("[a]]b]"));
    EXPECT_EQ(SqlIdentifier::quote(QStringLiteral("full name")), QStringLiteral("[full name]"));
    EXPECT_EQ(SqlIdentifier::quote(QStringLiteral("dbo.TEACHER")), QStringLiteral("[dbo].[TEACHER]"));
    EXPECT_EQ(SqlIdentifier::quote(QStringLiteral("[dbo].[a.b]")), QStringLiteral("[dbo].[a.b]"));
    EXPECT_EQ(SqlIdentifier::quote(QStringLiteral("x'; DROP TABLE y--")), QStringLiteral("[x'; DROP TABLE y--]"));
}

TEST(OdbcTypeMapping, CodesAndSqlServerNamesGiveTheColumnType)
{
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_WVARCHAR, QStringLiteral("nvarchar")), SqlType::NVarChar);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_VARCHAR, QStringLiteral("varchar")), SqlType::VarChar);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_WCHAR, QString()), SqlType::NChar);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_INTEGER, QStringLiteral("int identity")), SqlType::Int);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_SMALLINT, QString()), SqlType::SmallInt);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_BIT, QStringLiteral("bit")), SqlType::Bit);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_TYPE_TIMESTAMP, QStringLiteral("datetime")), SqlType::DateTime);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_TYPE_DATE, QString()), SqlType::Date);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_FLOAT, QString()), SqlType::Float);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_DOUBLE, QStringLiteral("DOUBLE PRECISION")), SqlType::Float);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_NUMERIC, QString()), SqlType::Decimal);
    // ODBC says decimal for money and long binary for image; the server's name is sharper.
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_DECIMAL, QStringLiteral("money")), SqlType::Money);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_LONGVARBINARY, QStringLiteral("image")), SqlType::Image);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_LONGVARBINARY, QString()), SqlType::Image);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_VARBINARY, QStringLiteral("varbinary")), SqlType::VarBinary);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_WLONGVARCHAR, QStringLiteral("ntext")), SqlType::NText);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_GUID, QStringLiteral("uniqueidentifier")), SqlType::UniqueIdentifier);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(SQL_VARCHAR, QStringLiteral("decimal(18,2)")), SqlType::Decimal);
    EXPECT_EQ(OdbcTypeMapping::fromOdbc(-150, QStringLiteral("sql_variant")), SqlType::Unknown);
}

TEST(ServerDialect, ChosenByServerFamily)
{
    const ServerDialect sqlServer = ServerDialect::forDbms(QStringLiteral("Microsoft SQL Server"));
    EXPECT_TRUE(sqlServer.identityInSameBatch);
    EXPECT_EQ(sqlServer.identityQuery, QStringLiteral("SELECT SCOPE_IDENTITY()"));
    EXPECT_EQ(sqlServer.sessionSetup, QStringList{QStringLiteral("SET NO_BROWSETABLE ON")});
    const ServerDialect sqlite = ServerDialect::forDbms(QStringLiteral("SQLite"));
    EXPECT_FALSE(sqlite.identityInSameBatch);
    EXPECT_EQ(sqlite.identityQuery, QStringLiteral("SELECT last_insert_rowid()"));
    EXPECT_TRUE(sqlite.sessionSetup.isEmpty());
}

}  // namespace
