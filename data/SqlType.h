#pragma once

#include <QString>

namespace zel::db {

/// Column types in SQL Server terms, as a result reports them.
enum class SqlType {
    Unknown,
    Bit,
    TinyInt,
    SmallInt,
    Int,
    BigInt,
    Float,
    Real,
    Decimal,
    Money,
    Date,
    DateTime,
    Char,      ///< fixed-length single-byte text
    VarChar,   ///< single-byte text (Windows-1251 on the server)
    Text,
    NChar,     ///< fixed-length Unicode text
    NVarChar,
    NText,
    Binary,
    VarBinary,
    Image,
    UniqueIdentifier,
};

/// How a cell of a column is stored on the client.
enum class CellKind { Integer, Real, Text, Blob, DateTime, Boolean };

CellKind cellKindOf(SqlType type);
bool isTextType(SqlType type);
bool isBinaryType(SqlType type);
bool isIntegerType(SqlType type);

/// "nvarchar", "int", ... as SQL Server spells the type (lower case).
QString sqlTypeName(SqlType type);

/// Parses a declared type such as "nvarchar(50)", "decimal(18,0)", "varbinary(max)".
/// Unknown names give SqlType::Unknown. size is the declared length (-1 for max,
/// 0 when none), precision/scale are set for decimal.
SqlType parseSqlTypeName(const QString& declared, int* size = nullptr, int* precision = nullptr,
                         int* scale = nullptr);

}  // namespace zel::db
