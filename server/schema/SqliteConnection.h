#pragma once

#include <QString>

struct sqlite3;

namespace zel::server::schema {

/// An owned SQLite connection to a server database file, with the server's
/// collation and functions registered. Used by the administration commands
/// and the tests; the embedded driver opens its own connections.
class SqliteConnection {
public:
    enum class Mode { OpenExisting, CreateNew };

    /// Throws zel::DbError when the file cannot be opened (or, for CreateNew, exists already).
    SqliteConnection(const QString& path, Mode mode);
    /// An in-memory database, for tests.
    SqliteConnection();
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* handle() const { return m_db; }

private:
    void open(const QString& name, int flags);

    sqlite3* m_db = nullptr;
};

}  // namespace zel::server::schema
