#pragma once

#include "server/schema/TableDefinition.h"

#include <initializer_list>

// Small helpers that keep the table lists readable. Internal to server/schema.
namespace zel::server::schema::build {

inline ColumnDefinition column(const char* name, const char* type)
{
    ColumnDefinition c;
    c.name = QString::fromUtf8(name);
    c.type = QString::fromUtf8(type);
    return c;
}

/// An int IDENTITY(1,1) primary key (smallint where the type says so).
inline ColumnDefinition identity(const char* name, const char* type = "int")
{
    ColumnDefinition c = column(name, type);
    c.nullable = false;
    c.identity = true;
    c.primaryKey = true;
    return c;
}

inline ColumnDefinition notNull(ColumnDefinition c)
{
    c.nullable = false;
    return c;
}

inline ColumnDefinition withDefault(ColumnDefinition c, const char* tsql, const char* sqlite)
{
    c.defaultTsql = QString::fromUtf8(tsql);
    c.defaultSqlite = QString::fromUtf8(sqlite);
    return c;
}

/// The stamp columns most card tables carry.
inline ColumnDefinition zelUser() { return column("ZEL_User", "varchar(20)"); }
inline ColumnDefinition zelUpdate() { return column("ZEL_Update", "date"); }

inline TableDefinition table(const char* name, std::initializer_list<ColumnDefinition> columns)
{
    TableDefinition t;
    t.name = QString::fromUtf8(name);
    t.columns = columns;
    return t;
}

/// A per-employee table: an index on its employee key and, unless the client
/// may write keys that name no employee, a foreign key to TEACHER.
inline TableDefinition employeeTable(const char* name, CardRole role, const char* employeeKey,
                                     std::initializer_list<ColumnDefinition> columns,
                                     bool foreignKey = true)
{
    TableDefinition t = table(name, columns);
    t.cardRole = role;
    t.employeeKey = QString::fromUtf8(employeeKey);
    t.indexes.push_back({QStringLiteral("IX_%1_%2").arg(t.name, t.employeeKey), {t.employeeKey}});
    if (foreignKey)
        t.foreignKeys.push_back({t.employeeKey, QStringLiteral("TEACHER"), QStringLiteral("id_teacher")});
    return t;
}

inline TableDefinition withIndex(TableDefinition t, std::initializer_list<const char*> columns)
{
    IndexDefinition index;
    for (const char* c : columns)
        index.columns << QString::fromUtf8(c);
    index.name = QStringLiteral("IX_%1_%2").arg(t.name, index.columns.join(QLatin1Char('_')));
    t.indexes.push_back(index);
    return t;
}

}  // namespace zel::server::schema::build
