#include "data/odbc/OdbcKeyCache.h"

#include "data/odbc/OdbcStatement.h"

#include <sqlext.h>

#include <map>

namespace zel::db {

QStringList OdbcKeyCache::keysOf(SQLHDBC connection, const QString& table)
{
    const QString cacheKey = table.toLower();
    if (const auto it = m_keys.constFind(cacheKey); it != m_keys.constEnd())
        return *it;

    QByteArray schema, name = table.toUtf8();
    if (const qsizetype dot = table.lastIndexOf(u'.'); dot > 0) {
        schema = table.left(dot).toUtf8();
        name = table.mid(dot + 1).toUtf8();
    }
    OdbcStatement statement(connection);
    statement.check(SQLPrimaryKeys(statement.handle(), nullptr, 0,
                                   schema.isEmpty() ? nullptr : reinterpret_cast<SQLCHAR*>(schema.data()),
                                   schema.isEmpty() ? 0 : SQLSMALLINT(schema.size()),
                                   reinterpret_cast<SQLCHAR*>(name.data()), SQLSMALLINT(name.size())),
                    QStringLiteral("Reading the primary key of %1").arg(table));
    std::map<int, QString> bySequence;
    int unordered = 1000;
    while (SQL_SUCCEEDED(SQLFetch(statement.handle()))) {
        char column[512] = {};
        SQLLEN length = 0;
        SQLSMALLINT sequence = 0;
        SQLLEN sequenceIndicator = 0;
        SQLGetData(statement.handle(), 4, SQL_C_CHAR, column, sizeof column, &length);
        SQLGetData(statement.handle(), 5, SQL_C_SSHORT, &sequence, 0, &sequenceIndicator);
        if (length <= 0)
            continue;
        const int order = sequenceIndicator == SQL_NULL_DATA ? unordered++ : sequence;
        bySequence[order] = QString::fromUtf8(column, std::min<SQLLEN>(length, sizeof column - 1));
    }
    statement.closeCursor();
    QStringList keys;
    for (const auto& [order, column] : bySequence)
        keys << column;
    m_keys.insert(cacheKey, keys);
    return keys;
}

}  // namespace zel::db
