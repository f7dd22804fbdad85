#pragma once

#include <QHash>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace zel::server {

/// Prepared statements of one connection keyed by their SQLite text, so that a
/// statement sent again with other values is only rebound. Owns the statements.
class StatementCache {
public:
    explicit StatementCache(sqlite3* db, int capacity = 128) : m_db(db), m_capacity(capacity) {}
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    /// A reset statement with no bindings; owned by the cache. Returns nullptr and
    /// leaves the error on the connection when the text does not prepare.
    sqlite3_stmt* prepare(const QString& sql);
    void clear();
    int size() const { return int(m_entries.size()); }

private:
    struct Entry {
        sqlite3_stmt* statement = nullptr;
        quint64 lastUse = 0;
    };
    void evictOldest();

    sqlite3* m_db;
    int m_capacity;
    quint64 m_clock = 0;
    QHash<QString, Entry> m_entries;
};

/// Resets a statement when it leaves scope, so that no read stays open.
class StatementReset {
public:
    explicit StatementReset(sqlite3_stmt* statement) : m_statement(statement) {}
    ~StatementReset();
    StatementReset(const StatementReset&) = delete;
    StatementReset& operator=(const StatementReset&) = delete;

private:
    sqlite3_stmt* m_statement;
};

}  // namespace zel::server
