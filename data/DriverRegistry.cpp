#include "DbError.h"
#include "Driver.h"

#include <mutex>

namespace zel::db {

namespace {
struct Entry {
    const char* name;
    DriverRegistry::Accepts accepts;
    DriverRegistry::Create create;
};
std::vector<Entry>& entries()
{
    static std::vector<Entry> list;
    return list;
}
std::mutex& registryMutex()
{
    static std::mutex m;
    return m;
}
}  // namespace

void DriverRegistry::add(const char* name, Accepts accepts, Create create)
{
    std::lock_guard lock(registryMutex());
    for (const auto& e : entries())
        if (qstrcmp(e.name, name) == 0)
            return;
    entries().push_back({name, accepts, create});
}

std::unique_ptr<Driver> DriverRegistry::create(const ConnectionParams& params)
{
    std::lock_guard lock(registryMutex());
    for (const auto& e : entries())
        if (e.accepts(params))
            return e.create();
    throw DbError(QStringLiteral("Нет драйвера базы данных для источника данных '%1'.").arg(params.server()),
                  DbError::Kind::ConnectionLost);
}

}  // namespace zel::db
