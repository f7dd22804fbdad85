#include "data/odbc/OdbcInstallation.h"

#include "data/odbc/OdbcEnvironment.h"

#include <QFileInfo>

#include <sqlext.h>

namespace zel::db {

namespace {
constexpr const char* kFreeTdsLibraries[] = {
    "/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so",
    "/usr/lib/aarch64-linux-gnu/odbc/libtdsodbc.so",
    "/usr/lib/odbc/libtdsodbc.so",
    "/usr/local/lib/libtdsodbc.so",
};

QString text(const SQLCHAR* bytes, SQLSMALLINT length)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(bytes), length);
}
}  // namespace

std::optional<QString> OdbcInstallation::dataSourceDriver(const QString& name) const
{
    for (const auto& [dsn, driver] : dataSources)
        if (dsn.compare(name, Qt::CaseInsensitive) == 0)
            return driver;
    return std::nullopt;
}

OdbcInstallation OdbcInstallation::query()
{
    OdbcInstallation result;
    SQLHENV env = OdbcEnvironment::handle();

    SQLCHAR name[SQL_MAX_DSN_LENGTH + 1];
    SQLCHAR description[512];
    SQLSMALLINT nameLength = 0, descriptionLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDataSources(env, direction, name, sizeof name, &nameLength, description,
                                        sizeof description, &descriptionLength))) {
        result.dataSources.emplace_back(text(name, nameLength), text(description, descriptionLength));
        direction = SQL_FETCH_NEXT;
    }

    SQLCHAR attributes[2048];
    SQLSMALLINT attributesLength = 0;
    direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDrivers(env, direction, description, sizeof description,
                                    &descriptionLength, attributes, sizeof attributes,
                                    &attributesLength))) {
        if (text(description, descriptionLength).compare(u"FreeTDS", Qt::CaseInsensitive) == 0)
            result.freeTdsDriver = QStringLiteral("{FreeTDS}");
        direction = SQL_FETCH_NEXT;
    }
    if (result.freeTdsDriver.isEmpty()) {
        for (const char* path : kFreeTdsLibraries)
            if (QFileInfo::exists(QString::fromLatin1(path))) {
                result.freeTdsDriver = QString::fromLatin1(path);
                break;
            }
    }
    return result;
}

}  // namespace zel::db
