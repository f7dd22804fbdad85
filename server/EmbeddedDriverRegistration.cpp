#include "EmbeddedDriverRegistration.h"

#include "data/Driver.h"
#include "server/engine/EmbeddedDriver.h"

#include <QFile>

#include <time.h>

namespace zel::server {

namespace {

bool acceptsDataSource(const db::ConnectionParams& params)
{
    return params.server().trimmed().endsWith(QLatin1String(".db"), Qt::CaseInsensitive);
}

std::unique_ptr<db::Driver> createDriver()
{
    return std::make_unique<EmbeddedDriver>();
}

/// Stored dates are read as local date-times. With TZ unset, glibc checks
/// /etc/localtime again for every conversion, which halves the speed of a search
/// over 100,000 rows; naming the zone file once keeps the same zone.
void pinLocalTimeZone()
{
    if (qEnvironmentVariableIsEmpty("TZ") && QFile::exists(QStringLiteral("/etc/localtime"))) {
        qputenv("TZ", ":/etc/localtime");
        tzset();
    }
}

}  // namespace

void registerEmbeddedDriver()
{
    static const bool registered = [] {
        pinLocalTimeZone();
        db::DriverRegistry::add("embedded", acceptsDataSource, createDriver);
        return true;
    }();
    (void)registered;
}

}  // namespace zel::server
