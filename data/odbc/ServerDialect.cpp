#include "data/odbc/IdentityReadBack.h"

namespace zel::db {

IdentityReadBack IdentityReadBack::forDbms(const QString& dbmsName)
{
    if (dbmsName.contains(u"sqlite", Qt::CaseInsensitive))
        return {QStringLiteral("SELECT last_insert_rowid()"), false};
    // SQL Server (also "Microsoft SQL Server" through FreeTDS) and anything unknown.
    return {QStringLiteral("SELECT SCOPE_IDENTITY()"), true};
}

}  // namespace zel::db
