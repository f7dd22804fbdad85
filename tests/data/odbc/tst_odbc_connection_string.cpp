#include "data/DbError.h"
#include "data/odbc/OdbcConnectionString.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::db;

namespace {

QString programString(const QString& login, const QString& password, const QString& database,
                      const QString& server, const QString& encryption = QStringLiteral("False"))
{
    return QStringLiteral("Provider=SQLOLEDB.1;Password=") + password
        + QStringLiteral(";Persist Security Info=True;User ID=") + login + QStringLiteral(";Initial Catalog=")
        + database + QStringLiteral(";Data Source=") + server
        + QStringLiteral(";Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;Use Encryption for Data=")
        + encryption + QStringLiteral(";Tag with column collation when possible=False");
}

OdbcInstallation machine()
{
    OdbcInstallation m;
    m.dataSources = {{QStringLiteral("KadryDSN"), QStringLiteral("FreeTDS")},
                     {QStringLiteral("local-sqlite"), QStringLiteral("SQLite3")}};
    m.freeTdsDriver = QStringLiteral("{FreeTDS}");
    return m;
}

QString build(const QString& s, const OdbcInstallation& m = machine())
{
    return OdbcConnectionString::build(ConnectionParams::parse(s), m);
}

TEST(OdbcConnectionString, ServerAddressGoesToFreeTdsWithUtf8AndFullTextSize)
{
    EXPECT_EQ(build(programString(QStringLiteral("zel"), QStringLiteral("pw"), QStringLiteral("Kadry"),
                                  QStringLiteral("db-server"))),
              QStringLiteral("Driver={FreeTDS};Server=db-server;Database=Kadry;UID=zel;PWD=pw;TDS_Version=7.4;"
                             "ClientCharset=UTF-8;TextSize=2147483647;Encryption=off;PacketSize=4096;"));
}

TEST(OdbcConnectionString, PortAndInstanceFormsOfTheAddress)
{
    const auto server = [](const QString& dataSource) {
        const QString s = build(programString(QStringLiteral("u"), QStringLiteral("p"), QString(), dataSource));
        return s.section(u';', 1, 2);
    };
    EXPECT_EQ(server(QStringLiteral("10.0.0.5,1500")), QStringLiteral("Server=10.0.0.5;Port=1500"));
    EXPECT_EQ(server(QStringLiteral("tcp:srv , 1433")), QStringLiteral("Server=srv;Port=1433"));
    EXPECT_EQ(server(QStringLiteral("srv\\SQLEXPRESS")), QStringLiteral("Server=srv\\SQLEXPRESS;UID=u"));
    EXPECT_EQ(server(QStringLiteral("srv\\SQLEXPRESS,2000")), QStringLiteral("Server=srv;Port=2000"));
    EXPECT_EQ(server(QStringLiteral("(local)")), QStringLiteral("Server=127.0.0.1;UID=u"));
    EXPECT_EQ(server(QStringLiteral(".\\SQL2019")), QStringLiteral("Server=127.0.0.1\\SQL2019;UID=u"));

    EXPECT_THROW(server(QStringLiteral("srv,0")), DbError);
    EXPECT_THROW(server(QStringLiteral("srv,65536")), DbError);
    EXPECT_THROW(server(QStringLiteral("srv,14x")), DbError);
    EXPECT_THROW(server(QString()), DbError);
}

TEST(OdbcConnectionString, EncryptionFollowsTheProgramSetting)
{
    const auto encryption = [](const QString& value) {
        const QString s = build(programString(QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("d"),
                                              QStringLiteral("srv"), value));
        return s.mid(s.indexOf(QStringLiteral("Encryption="))).section(u';', 0, 0);
    };
    EXPECT_EQ(encryption(QStringLiteral("False")), QStringLiteral("Encryption=off"));
    EXPECT_EQ(encryption(QStringLiteral("True")), QStringLiteral("Encryption=require"));
    EXPECT_EQ(encryption(QStringLiteral("yes")), QStringLiteral("Encryption=require"));
    EXPECT_EQ(build(QStringLiteral("Data Source=srv;User ID=u")).contains(QStringLiteral("Encryption=off")), true);
}

TEST(OdbcConnectionString, ConfiguredDataSourceKeepsTheAdministratorsSettings)
{
    EXPECT_EQ(build(programString(QStringLiteral("zel"), QStringLiteral("pw"), QStringLiteral("Kadry"),
                                  QStringLiteral("kadrydsn"))),
              QStringLiteral("DSN=kadrydsn;UID=zel;PWD=pw;Database=Kadry;ClientCharset=UTF-8;TextSize=2147483647;"));
    // Another driver gets no FreeTDS settings, and an empty catalog no Database.
    EXPECT_EQ(build(programString(QStringLiteral("zel"), QStringLiteral("pw"), QString(),
                                  QStringLiteral("local-sqlite"))),
              QStringLiteral("DSN=local-sqlite;UID=zel;PWD=pw;"));
}

TEST(OdbcConnectionString, AwkwardValuesAreBracedOrRefused)
{
    // ';' and '{' travel in braces for every driver.
    QString s = build(QStringLiteral("Data Source=srv;User ID={odd;Password= spaced "));
    EXPECT_TRUE(s.contains(QStringLiteral("UID={{odd};"))) << s.toStdString();
    EXPECT_TRUE(s.contains(QStringLiteral("PWD={ spaced };"))) << s.toStdString();
    EXPECT_EQ(OdbcConnectionString::attribute(QStringLiteral("PWD"), QStringLiteral("a;b"), true),
              QStringLiteral("PWD={a;b};"));

    // '}' is doubled for standard parsers; FreeTDS 1.3 reads a braced value verbatim.
    EXPECT_EQ(OdbcConnectionString::attribute(QStringLiteral("PWD"), QStringLiteral("a}b"), false),
              QStringLiteral("PWD={a}}b};"));
    EXPECT_EQ(OdbcConnectionString::attribute(QStringLiteral("PWD"), QStringLiteral("a}b}"), true),
              QStringLiteral("PWD={a}b}};"));
    EXPECT_TRUE(build(QStringLiteral("Data Source=srv;User ID=u;Password=x}y")).contains(QStringLiteral("PWD={x}y};")));
    EXPECT_TRUE(build(QStringLiteral("Data Source=KadryDSN;User ID=u;Password=x}y")).contains(QStringLiteral("PWD={x}y};")));
    EXPECT_TRUE(build(QStringLiteral("Data Source=local-sqlite;User ID=u;Password=x}y")).contains(QStringLiteral("PWD={x}}y};")));

    // "};" ends a braced value early in FreeTDS 1.3 and in the driver manager: refused everywhere.
    try {
        OdbcConnectionString::attribute(QStringLiteral("PWD"), QStringLiteral("a};b"), false);
        FAIL() << "a value with \"};\" was accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("PWD")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"};\"")));
    }
}

TEST(OdbcConnectionString, ConnectionErrorsReachTheClerkInRussian)
{
    try {
        build(QStringLiteral("Data Source=db-server,99999;User ID=u"));
        FAIL() << "a bad port was accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("В адресе сервера \"db-server,99999\" неверный порт \"99999\"."));
    }
    try {
        build(QStringLiteral("Data Source=srv;User ID=u"), OdbcInstallation{});
        FAIL() << "no error without FreeTDS";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("\"srv\" не является источником данных ODBC")))
            << e.message().toStdString();
    }
}

TEST(OdbcConnectionString, MissingFreeTdsIsAClearError)
{
    OdbcInstallation bare;
    try {
        build(QStringLiteral("Data Source=srv;User ID=u"), bare);
        FAIL() << "no error without FreeTDS";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::ConnectionLost);
        EXPECT_TRUE(e.message().contains(QStringLiteral("FreeTDS")));
    }
    bare.dataSources = {{QStringLiteral("KadryDSN"), QStringLiteral("ODBC Driver 18 for SQL Server")}};
    EXPECT_EQ(build(QStringLiteral("Data Source=KadryDSN;User ID=u;Password=p"), bare),
              QStringLiteral("DSN=KadryDSN;UID=u;PWD=p;"));
}

TEST(OdbcConnectionString, LibraryPathStandsInForAnUnregisteredDriver)
{
    OdbcInstallation m;
    m.freeTdsDriver = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so");
    EXPECT_TRUE(build(QStringLiteral("Data Source=srv;User ID=u"), m)
                    .startsWith(QStringLiteral("Driver=/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so;Server=srv;")));
}

}  // namespace
