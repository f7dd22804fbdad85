#pragma once

#include "data/RowSet.h"

#include <QHash>
#include <QStringList>

struct sqlite3_stmt;

namespace zel::server {

class SchemaCatalog;

/// Reads the rows of a prepared statement into a RowSet with the column
/// metadata a dataset needs: declared type and size, base table and column,
/// key, identity and nullability. Cells are converted one by one to their
/// column's kind (SQLite may keep another type in a cell than its column says).
class ResultReader {
public:
    /// writableTables: base tables the statement names directly; columns from
    /// any other table (through views) are reported as computed. textSizes gives
    /// the lengths of computed text columns by lower-case name (others: -1, max).
    /// Returns the SQLite result code that ended the steps (SQLITE_DONE on success).
    static int read(sqlite3_stmt* statement, const SchemaCatalog& catalog, const QStringList& writableTables,
                    db::RowSet& out, const QHash<QString, int>* textSizes = nullptr);

    /// Only the columns, for a statement that is not stepped.
    static std::vector<db::ColumnInfo> columns(sqlite3_stmt* statement, const SchemaCatalog& catalog,
                                               const QStringList& writableTables);
};

}  // namespace zel::server
