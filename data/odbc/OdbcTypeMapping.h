#pragma once

#include "data/SqlType.h"

#include <QString>

#include <sql.h>

namespace zel::db {

/// Maps what a driver reports about a column onto SqlType. The type name
/// (SQL_DESC_TYPE_NAME: "money", "image", "nvarchar") decides when it is a
/// SQL Server name, since ODBC codes are coarser (money and decimal are both
/// SQL_DECIMAL, image and varbinary(max) both SQL_LONGVARBINARY) and when it
/// is a declared type SQLite keeps; otherwise the ODBC type code decides.
class OdbcTypeMapping {
public:
    static SqlType fromOdbc(SQLSMALLINT odbcType, const QString& typeName);
    static SqlType fromOdbcCode(SQLSMALLINT odbcType);
    /// ODBC SQL type used to bind a parameter of this column type.
    static SQLSMALLINT toOdbc(SqlType type);
};

}  // namespace zel::db
