#include "data/odbc/ServerDialect.h"

namespace zel::db {

ServerDialect ServerDialect::forDbms(const QString& dbmsName)
{
    if (dbmsName.contains(u"sqlite", Qt::CaseInsensitive))
        return {QStringLiteral("SELECT last_insert_rowid()"), false, {}};
    ServerDialect sqlServer{QStringLiteral("SELECT SCOPE_IDENTITY()"), true, {}};
    sqlServer.castsDateComparisons = true;
    if (dbmsName.contains(u"SQL Server", Qt::CaseInsensitive))
        sqlServer.sessionSetup << QStringLiteral("SET NO_BROWSETABLE ON");
    return sqlServer;
}

}  // namespace zel::db
