#include "server/schema/LogIndexes.h"

namespace zel::server::schema {

QStringList logIndexStatements()
{
    // substr (not LIKE, which the server replaces) keeps the condition deterministic.
    return {QStringLiteral("CREATE INDEX IF NOT EXISTS \"IX_ZEL_LOG_deletions\" ON \"ZEL_LOG\" (\"table\", row_id) "
                           "WHERE substr(descr, 1, 27) = 'Запись с уникальным номером'")};
}

}  // namespace zel::server::schema
