#pragma once

#include "server/demo/SeedTable.h"

struct sqlite3;

namespace zel::server::demo {

/// Loads seed rows into a database and writes them as T-SQL.
class SeedWriter {
public:
    /// Inserts the rows with their keys; throws zel::DbError.
    static void insert(sqlite3* db, const SeedTable& seed);
    /// INSERT statements for SQL Server, with IDENTITY_INSERT around tables
    /// whose key the server assigns.
    static QString tsql(const SeedTable& seed);
    /// The whole reference data as one script (sql/mssql/04_dictionaries.sql).
    static QString dictionaryScript();
    /// A value as a T-SQL literal: N'...' with quotes doubled, numbers plain, NULL.
    static QString tsqlLiteral(const QVariant& value);
};

}  // namespace zel::server::demo
