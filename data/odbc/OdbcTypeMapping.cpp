#include "data/odbc/OdbcTypeMapping.h"

#include <sqlext.h>
#include <sqlucode.h>

namespace zel::db {

SqlType OdbcTypeMapping::fromOdbc(SQLSMALLINT odbcType, const QString& typeName)
{
    const SqlType byCode = fromOdbcCode(odbcType);
    SqlType byName = parseSqlTypeName(typeName);
    // "int identity", "numeric() identity": SQL Server appends the identity mark.
    if (byName == SqlType::Unknown && typeName.contains(u' '))
        byName = parseSqlTypeName(typeName.section(u' ', 0, 0));
    // SQLite's driver reports a declared decimal(18,2) as SQL_VARCHAR; the
    // declaration is what the column holds.
    return byName == SqlType::Unknown ? byCode : byName;
}

SqlType OdbcTypeMapping::fromOdbcCode(SQLSMALLINT odbcType)
{
    switch (odbcType) {
    case SQL_BIT:
        return SqlType::Bit;
    case SQL_TINYINT:
        return SqlType::TinyInt;
    case SQL_SMALLINT:
        return SqlType::SmallInt;
    case SQL_INTEGER:
        return SqlType::Int;
    case SQL_BIGINT:
        return SqlType::BigInt;
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return SqlType::Float;
    case SQL_REAL:
        return SqlType::Real;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return SqlType::Decimal;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        return SqlType::Date;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        return SqlType::DateTime;
    case SQL_CHAR:
        return SqlType::Char;
    case SQL_VARCHAR:
        return SqlType::VarChar;
    case SQL_LONGVARCHAR:
        return SqlType::Text;
    case SQL_WCHAR:
        return SqlType::NChar;
    case SQL_WVARCHAR:
        return SqlType::NVarChar;
    case SQL_WLONGVARCHAR:
        return SqlType::NText;
    case SQL_BINARY:
        return SqlType::Binary;
    case SQL_VARBINARY:
        return SqlType::VarBinary;
    case SQL_LONGVARBINARY:
        return SqlType::Image;
    case SQL_GUID:
        return SqlType::UniqueIdentifier;
    default:
        return SqlType::Unknown;
    }
}

SQLSMALLINT OdbcTypeMapping::toOdbc(SqlType type)
{
    switch (type) {
    case SqlType::Bit:
        return SQL_BIT;
    case SqlType::TinyInt:
        return SQL_TINYINT;
    case SqlType::SmallInt:
        return SQL_SMALLINT;
    case SqlType::Int:
        return SQL_INTEGER;
    case SqlType::BigInt:
        return SQL_BIGINT;
    case SqlType::Float:
    case SqlType::Real:
        return SQL_DOUBLE;
    case SqlType::Decimal:
    case SqlType::Money:
        return SQL_DECIMAL;
    case SqlType::Date:
    case SqlType::DateTime:
        return SQL_TYPE_TIMESTAMP;
    case SqlType::Char:
    case SqlType::VarChar:
        return SQL_VARCHAR;
    case SqlType::Text:
        return SQL_LONGVARCHAR;
    case SqlType::NText:
        return SQL_WLONGVARCHAR;
    case SqlType::Binary:
    case SqlType::VarBinary:
        return SQL_VARBINARY;
    case SqlType::Image:
        return SQL_LONGVARBINARY;
    case SqlType::UniqueIdentifier:
        return SQL_GUID;
    case SqlType::NChar:
    case SqlType::NVarChar:
    case SqlType::Unknown:
        break;
    }
    return SQL_WVARCHAR;
}

}  // namespace zel::db
