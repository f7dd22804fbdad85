#pragma once
// The first cell a statement gives, read straight from a SQLite database: how the
// tests look past the program at what a file holds.

#include "server/schema/SqliteStatement.h"

#include <QString>

namespace zel::test {

/// The first column of the first row as an integer; none when there is no row.
inline qint64 firstInteger(sqlite3* db, const QString& sql, qint64 none = -1)
{
    server::schema::SqliteStatement statement(db, sql);
    return statement.step() ? statement.integer(0) : none;
}

/// The first column of the first row as text; none when there is no row.
inline QString firstText(sqlite3* db, const QString& sql, const QString& none = QString())
{
    server::schema::SqliteStatement statement(db, sql);
    return statement.step() ? statement.text(0) : none;
}

}  // namespace zel::test
