#pragma once

#include "data/DbError.h"

#include <QString>

struct sqlite3;

namespace zel::server {

class SchemaCatalog;

/// What the failing statement was doing, for the wording of the error.
struct ErrorContext {
    QString verb;          ///< "INSERT", "UPDATE", "DELETE", or empty for a read
    QString table;         ///< target table of a write
    QString databaseName;
    const SchemaCatalog* catalog = nullptr;
};

/// Turns the last SQLite error of a connection into the error SQL Server gives
/// for the same fault: constraint violations, unknown names, locks, syntax.
class ServerErrors {
public:
    static DbError fromSqlite(sqlite3* db, int code, const ErrorContext& context);

    /// The server's refusal of a statement nested deeper than it can parse.
    static DbError nestedTooDeeply();
    /// The server's refusal of a subquery of several columns used as a value or a list.
    static DbError subqueryOfSeveralColumns();
};

}  // namespace zel::server
