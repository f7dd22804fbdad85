#include "BootstrapConnection.h"

#include "ConnectionString.h"

#include "data/DbError.h"

namespace zel {

QString openConnection(const TFirstConnectInfo& info,
                       const std::function<void(const QString& connectionString)>& reopen)
{
    try {
        reopen(buildConnectionString(info));
        return {};
    } catch (const AbortSignal&) {
        throw;
    } catch (const Error& error) {
        return withoutLogin(error.message(), info.login);
    } catch (const std::exception& error) {
        return withoutLogin(QString::fromLocal8Bit(error.what()), info.login);
    }
}

}  // namespace zel
