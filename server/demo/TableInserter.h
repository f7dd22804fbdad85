#pragma once

#include "server/schema/SqliteStatement.h"

#include <QVariant>

#include <string_view>
#include <vector>

struct sqlite3;

namespace zel::server::demo {

/// A prepared INSERT over every non-identity column of one table, reused for
/// bulk loads: set() the columns of a row, then insert(); columns not set are NULL.
class TableInserter {
public:
    TableInserter(sqlite3* db, const QString& table);

    /// Binds a value; the column name must exist (checked, case-insensitive).
    TableInserter& set(std::string_view column, const QVariant& value);
    /// Writes the row and returns its rowid (the identity when the table has one).
    qint64 insert();
    qint64 rowsInserted() const { return m_inserted; }

private:
    sqlite3* m_db;
    QString m_table;
    std::vector<QByteArray> m_columns;  // lower-case names, position = bind index - 1
    schema::SqliteStatement m_statement;
    qint64 m_inserted = 0;
};

}  // namespace zel::server::demo
