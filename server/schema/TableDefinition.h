#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zel::server::schema {

/// One column as SQL Server declares it. The embedded server keeps the same
/// type text as the SQLite declared type so that results report it.
struct ColumnDefinition {
    QString name;
    QString type;               ///< "varchar(50)", "int", "decimal(18,0)", "image" ...
    bool nullable = true;
    bool identity = false;      ///< assigned by the server; implies the primary key
    bool primaryKey = false;
    QString defaultTsql;        ///< default expression in T-SQL; empty for none
    QString defaultSqlite;      ///< the same default for SQLite
};

struct ForeignKeyDefinition {
    QString column;
    QString referencedTable;
    QString referencedColumn;
};

struct IndexDefinition {
    QString name;
    QStringList columns;
};

/// How a table belongs to an employee's card, for copying and deleting employees.
enum class CardRole {
    None,          ///< not tied to an employee (dictionaries, log, settings)
    Master,        ///< TEACHER itself
    SingleRow,     ///< the card shows one row per employee
    MultiRow,      ///< a list section of the card
    Protected,     ///< employee data that blocks a forced deletion (workload)
};

struct TableDefinition {
    QString name;
    std::vector<ColumnDefinition> columns;
    std::vector<ForeignKeyDefinition> foreignKeys;
    std::vector<IndexDefinition> indexes;
    CardRole cardRole = CardRole::None;
    QString employeeKey;        ///< "id_teacher" or "ID_TEACHER"; empty when not per employee
    bool internal = false;      ///< embedded server bookkeeping (zel_*), absent on SQL Server

    const ColumnDefinition* findColumn(const QString& column) const;  ///< case-insensitive; nullptr when absent
    const ColumnDefinition* identityColumn() const;  ///< nullptr when the table has none
};

/// A view: its body is written once in the subset both servers understand.
struct ViewDefinition {
    QString name;
    QString selectSql;          ///< body without "CREATE VIEW ... AS"
};

}  // namespace zel::server::schema
