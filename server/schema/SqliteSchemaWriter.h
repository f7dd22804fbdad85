#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

namespace zel::server::schema {

/// Turns the personnel schema into SQLite DDL. Declared types keep the SQL
/// Server spelling (without "(max)", which SQLite refuses), every text column
/// compares with the ZEL_CI collation and identities become
/// INTEGER PRIMARY KEY AUTOINCREMENT.
class SqliteSchemaWriter {
public:
    /// CREATE TABLE / INDEX / VIEW statements in dependency order.
    static QStringList statements();
    /// The same split in two, so that bulk loads can build the indexes last.
    static QStringList tableStatements();
    static QStringList indexAndViewStatements();
    /// Runs statements() on db, which must have the server functions registered
    /// (the collation). Throws zel::DbError with SQLite's message on failure.
    static void create(sqlite3* db);

    /// "varchar(max)" -> "varchar"; other types unchanged.
    static QString declaredType(const QString& sqlServerType);
    static bool isTextType(const QString& sqlServerType);
};

}  // namespace zel::server::schema
