#pragma once

#include "data/SqlType.h"
#include "data/odbc/OdbcStatement.h"

#include <QVariant>

#include <sqlext.h>

#include <deque>
#include <string>

namespace zel::db {

/// Binds values to the '?' markers of a statement by position and keeps
/// their buffers alive until it is destroyed, so it must outlive execution.
/// The value's own type decides the C type; the column type, when known,
/// decides the SQL type (a NULL for an image column must travel as binary,
/// or SQL Server refuses the implicit conversion). Texts travel in the
/// statement's text mode and are declared Unicode, so no character is lost.
class OdbcParameterBinder {
public:
    explicit OdbcParameterBinder(OdbcStatement& statement) : m_statement(statement) {}

    enum class Direction { Input, Output, InputOutput };

    /// Binds the next marker (1, 2, ...). A null variant binds NULL. A value
    /// that does not convert to the column's kind ("abc" for an int) throws
    /// DataError instead of travelling as 0.
    void bind(const QVariant& value, SqlType columnType = SqlType::Unknown,
              Direction direction = Direction::Input);
    /// The value of an output marker (1-based) after the statement ran and
    /// all its results were read; a null variant for NULL.
    QVariant outputValue(int marker) const;

private:
    struct Slot {
        SQLSMALLINT cType = SQL_C_CHAR;
        SqlType type = SqlType::Unknown;
        std::string bytes;  // the buffer the driver reads or writes
        SQLLEN indicator = 0;
    };

    OdbcStatement& m_statement;
    std::deque<Slot> m_slots;  // deque: slot addresses stay put while binding more
};

}  // namespace zel::db
