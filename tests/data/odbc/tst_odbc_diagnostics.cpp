#include "data/odbc/OdbcDiagnostics.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::db;
using Kind = DbError::Kind;

namespace {

TEST(OdbcDiagnostics, PrefixesOfDriverAndManagerAreStripped)
{
    EXPECT_EQ(stripDriverPrefixes(QStringLiteral("[FreeTDS][SQL Server]Invalid object name 'TEACHERS'.")),
              QStringLiteral("Invalid object name 'TEACHERS'."));
    EXPECT_EQ(stripDriverPrefixes(QStringLiteral("[unixODBC][Driver Manager]Data source name not found")),
              QStringLiteral("Data source name not found"));
    EXPECT_EQ(stripDriverPrefixes(QStringLiteral("Нет прав [на] таблицу")), QStringLiteral("Нет прав [на] таблицу"));
    EXPECT_EQ(stripDriverPrefixes(QStringLiteral("[unclosed prefix")), QStringLiteral("[unclosed prefix"));
}

TEST(OdbcDiagnostics, StatesAndServerCodesGiveTheKind)
{
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("28000"), 0), Kind::LoginFailed);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("42000"), 18456), Kind::LoginFailed);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("08S01"), 0), Kind::ConnectionLost);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("08001"), 20009), Kind::ConnectionLost);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("08003"), 0), Kind::ConnectionLost);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("08007"), 0), Kind::ConnectionLost);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("HYT00"), 0), Kind::Timeout);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("HYT01"), 0), Kind::Timeout);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("40001"), 1205), Kind::Deadlock);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("HY000"), 1205), Kind::Deadlock);
    for (int code : {229, 230, 262, 297})
        EXPECT_EQ(classifyDiagnostic(QStringLiteral("42000"), code), Kind::PermissionDenied) << code;
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("23000"), 547), Kind::Constraint);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("23000"), 2627), Kind::Constraint);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("42S02"), 208), Kind::InvalidObject);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("42S22"), 207), Kind::InvalidObject);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("42000"), 2812), Kind::InvalidObject);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("42000"), 102), Kind::Syntax);
    // RAISERROR from a procedure arrives as 42000 too, but is the procedure's message.
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("42000"), 50000), Kind::Other);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("HY000"), 0), Kind::Other);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("IM002"), 0), Kind::ConnectionLost);
    // FreeTDS reports a dropped link as a "01000" record with its own number.
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("01000"), 20017), Kind::ConnectionLost);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("08S01"), 20004), Kind::ConnectionLost);
    EXPECT_EQ(classifyDiagnostic(QStringLiteral("01000"), 20003), Kind::Timeout);
}

TEST(OdbcDiagnostics, AllRecordsJoinIntoOneMessage)
{
    const std::vector<OdbcDiagnostic> records = {
        {QStringLiteral("23000"), 547,
         QStringLiteral("[FreeTDS][SQL Server]The DELETE statement conflicted with the REFERENCE constraint \"FK_x\".")},
        {QStringLiteral("01000"), 3621, QStringLiteral("[FreeTDS][SQL Server]The statement has been terminated.")},
        {QStringLiteral("HY000"), 50000, QStringLiteral("[FreeTDS][SQL Server]Удаление запрещено")},
        {QStringLiteral("HY000"), 50000, QStringLiteral("[FreeTDS][SQL Server]Удаление запрещено")},
    };
    const DbError e = makeDbError(records, QStringLiteral("fallback"));
    EXPECT_EQ(e.message(), QStringLiteral("The DELETE statement conflicted with the REFERENCE constraint \"FK_x\".\n"
                                          "Удаление запрещено"));
    EXPECT_EQ(e.kind(), Kind::Constraint);
    EXPECT_EQ(e.sqlState(), QStringLiteral("23000"));
    EXPECT_EQ(e.nativeCode(), 547);
}

TEST(OdbcDiagnostics, LoginFailureOutranksTheConnectionRecord)
{
    const DbError e = makeDbError({{QStringLiteral("08001"), 0, QStringLiteral("[FreeTDS][SQL Server]Unable to connect to data source")},
                                   {QStringLiteral("42000"), 18456, QStringLiteral("[FreeTDS][SQL Server]Login failed for user 'zel'.")}},
                                  {});
    EXPECT_EQ(e.kind(), Kind::LoginFailed);
    EXPECT_EQ(e.nativeCode(), 18456);
    EXPECT_TRUE(e.message().contains(QStringLiteral("Login failed for user 'zel'.")));
}

TEST(OdbcDiagnostics, WithoutRecordsTheFallbackSpeaks)
{
    const DbError e = makeDbError({}, QStringLiteral("Executing the statement failed."));
    EXPECT_EQ(e.message(), QStringLiteral("Executing the statement failed."));
    EXPECT_EQ(e.kind(), Kind::Other);
    // Only warnings: they are the message.
    const DbError w = makeDbError({{QStringLiteral("01000"), 0, QStringLiteral("[x]just a warning")}}, QStringLiteral("f"));
    EXPECT_EQ(w.message(), QStringLiteral("just a warning"));
}

}  // namespace
