#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <sqlite3.h>

namespace zel::server::schema {

/// Runs one statement without rows; throws zel::DbError with SQLite's message.
void execute(sqlite3* db, const QString& sql);

/// Throws zel::DbError for a failed SQLite call, with the connection's message.
[[noreturn]] void throwSqliteError(sqlite3* db, int code, const QString& context = {});

/// A prepared statement owned for its lifetime. Values are bound the way the
/// embedded server stores them: dates as "yyyy-MM-dd", date-times as
/// "yyyy-MM-dd HH:mm:ss.zzz", booleans as 0/1, byte arrays as blobs.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, const QString& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    /// Binds by 1-based position; a null variant binds NULL.
    void bind(int position, const QVariant& value);
    /// Steps once: true while a row is available; throws on an error.
    bool step();
    /// Steps to completion (for writes) and resets for the next binding.
    void run();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    bool isNull(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;
    /// The cell as SQLite holds it (integer, real, text, blob or null).
    QVariant value(int column) const;

    sqlite3_stmt* handle() const { return m_statement; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

/// A savepoint that rolls back when it leaves scope without release(): makes
/// a multi-statement change atomic inside or outside an open transaction.
class SqliteSavepoint {
public:
    SqliteSavepoint(sqlite3* db, const char* name);
    ~SqliteSavepoint();
    SqliteSavepoint(const SqliteSavepoint&) = delete;
    SqliteSavepoint& operator=(const SqliteSavepoint&) = delete;

    void release();

private:
    sqlite3* m_db;
    QByteArray m_name;
    bool m_open = true;
};

}  // namespace zel::server::schema
