#include "data/odbc/OdbcEnvironment.h"

#include "data/odbc/OdbcDiagnostics.h"
#include "data/odbc/OdbcHandle.h"

#include <sqlext.h>

#include <mutex>

namespace zel::db {

SQLHENV OdbcEnvironment::handle()
{
    static std::mutex mutex;
    static OdbcHandle environment;
    std::lock_guard lock(mutex);
    if (!environment) {
        OdbcHandle env(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
        const SQLRETURN rc = SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION,
                                           reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        checkOdbc(rc, SQL_HANDLE_ENV, env.get(), QStringLiteral("Setting ODBC 3 behaviour"));
        environment = std::move(env);
    }
    return environment.get();
}

}  // namespace zel::db
