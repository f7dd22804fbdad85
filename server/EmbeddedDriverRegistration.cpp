#include "EmbeddedDriverRegistration.h"

#include "data/Driver.h"
#include "server/engine/EmbeddedDriver.h"

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

}  // namespace

void registerEmbeddedDriver()
{
    static const bool registered = [] {
        db::DriverRegistry::add("embedded", acceptsDataSource, createDriver);
        return true;
    }();
    (void)registered;
}

}  // namespace zel::server
