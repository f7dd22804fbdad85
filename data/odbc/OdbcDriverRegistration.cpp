#include "data/odbc/OdbcDriverRegistration.h"

#include "data/Driver.h"
#include "data/odbc/OdbcDriver.h"

namespace zel::db {

namespace {
bool acceptsOdbc(const ConnectionParams& params)
{
    return !params.server().trimmed().endsWith(QStringLiteral(".db"), Qt::CaseInsensitive);
}

std::unique_ptr<Driver> createOdbc()
{
    return std::make_unique<OdbcDriver>();
}
}  // namespace

void registerOdbcDriver()
{
    DriverRegistry::add("odbc", acceptsOdbc, createOdbc);
}

}  // namespace zel::db
