#include "server/ServerHooks.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>

namespace zel::server {

namespace {

std::atomic<AccountVerifier> g_verifier{nullptr};

struct ProcedureRegistry {
    QMutex mutex;
    QHash<QString, ProcedureInfo> byName;  // keys lower case
};

ProcedureRegistry& procedures()
{
    static ProcedureRegistry registry;
    return registry;
}

}  // namespace

void setAccountVerifier(AccountVerifier verifier)
{
    g_verifier = verifier;
}

AccountVerifier accountVerifier()
{
    return g_verifier;
}

void registerProcedure(const QString& name, ProcedureInfo info)
{
    auto& registry = procedures();
    QMutexLocker lock(&registry.mutex);
    registry.byName.insert(name.toLower(), info);
}

std::optional<ProcedureInfo> findProcedure(const QString& name)
{
    auto& registry = procedures();
    QMutexLocker lock(&registry.mutex);
    const auto it = registry.byName.constFind(name.toLower());
    if (it == registry.byName.constEnd())
        return std::nullopt;
    return *it;
}

}  // namespace zel::server
