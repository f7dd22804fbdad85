#pragma once

#include "SqlType.h"

#include <QString>

namespace zel::db {

/// What a result reports about one of its columns. The dataset model maps it onto
/// field classes and uses baseTable/baseColumn/isKey to write rows back.
struct ColumnInfo {
    QString name;        ///< column name as the statement returns it
    SqlType type = SqlType::Unknown;
    int size = 0;        ///< declared length of text and binary columns; -1 for (max); 0 otherwise
    int precision = 0;   ///< decimal precision (18 for decimal(18,0))
    int scale = 0;
    bool nullable = true;
    bool identity = false;  ///< the server assigns the value on insert
    bool key = false;       ///< part of the base table's primary key
    QString baseTable;      ///< table the column is read from; empty for a computed column
    QString baseColumn;     ///< its name in that table; empty for a computed column

    bool isComputed() const { return baseTable.isEmpty(); }
};

}  // namespace zel::db
