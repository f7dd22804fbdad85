#pragma once

#include <QString>

namespace zel::server::schema {

/// The T-SQL script that creates the personnel tables, indexes and views on
/// SQL Server (sql/mssql/01_schema.sql), generated from the same description as
/// the embedded server's DDL. The embedded server's own zel_* tables are left out.
class MssqlSchemaScript {
public:
    static QString text();
    /// "[name]" with "]" doubled.
    static QString bracketed(const QString& name);
};

}  // namespace zel::server::schema
