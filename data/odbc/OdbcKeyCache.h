#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "data/odbc/OdbcText.h"

#include <sql.h>

namespace zel::db {

/// The primary-key columns of base tables, asked of the driver once per table
/// (SQLPrimaryKeys) and kept for the life of the connection. The connection
/// must have no pending result when keysOf() asks.
class OdbcKeyCache {
public:
    /// Key column names of table ("TEACHER" or "dbo.TEACHER") in key order;
    /// empty when the table has no primary key or the driver cannot tell.
    QStringList keysOf(SQLHDBC connection, OdbcTextMode mode, const QString& table);
    bool contains(const QString& table) const { return m_keys.contains(table.toLower()); }
    void clear() { m_keys.clear(); }

private:
    QHash<QString, QStringList> m_keys;  // by lower-case table name
};

}  // namespace zel::db
