#include "OdbcTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace zel::db::odbctest {

namespace {
constexpr const char* kSqliteOdbc = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
constexpr const char* kFreeTds = "/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so";

void writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(text);
}
}  // namespace

void installTestOdbcConfiguration()
{
    static QTemporaryDir* folder = nullptr;
    if (folder)
        return;
    folder = new QTemporaryDir;  // lives until exit: the driver manager reads it lazily
    const QString dir = folder->path();
    // DontDLClose keeps the drivers loaded, so leak checkers can still name
    // the state they keep until exit.
    writeFile(dir + QStringLiteral("/odbcinst.ini"),
              QByteArray("[ZelSQLite3]\nDescription=SQLite3 for the tests\nDriver=") + kSqliteOdbc
                  + "\nDontDLClose=1\n\n[FreeTDS]\nDescription=FreeTDS for the tests\nDriver=" + kFreeTds
                  + "\nDontDLClose=1\n");
    writeFile(dir + QStringLiteral("/odbc.ini"),
              "[zeltest]\nDriver=ZelSQLite3\nDatabase=" + QFile::encodeName(dir) + "/default.db\n"
              "Timeout=2000\n");
    qputenv("ODBCSYSINI", QFile::encodeName(dir));
    qputenv("ODBCINSTINI", "odbcinst.ini");
    qputenv("ODBCINI", QFile::encodeName(dir + QStringLiteral("/odbc.ini")));
}

QString connectionStringFor(const QString& databaseFile, const QString& dataSource)
{
    return QStringLiteral("Provider=SQLOLEDB.1;Password=secret;Persist Security Info=True;User ID=clerk;"
                          "Initial Catalog=%1;Data Source=%2;Use Procedure for Prepare=1;"
                          "Auto Translate=True;Packet Size=4096;Use Encryption for Data=False;"
                          "Tag with column collation when possible=False")
        .arg(databaseFile, dataSource);
}

}  // namespace zel::db::odbctest
