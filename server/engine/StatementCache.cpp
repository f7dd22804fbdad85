#include "server/engine/StatementCache.h"

#include <sqlite3.h>

namespace zel::server {

StatementCache::~StatementCache()
{
    clear();
}

void StatementCache::clear()
{
    for (auto& e : m_entries)
        sqlite3_finalize(e.statement);
    m_entries.clear();
}

sqlite3_stmt* StatementCache::prepare(const QString& sql)
{
    auto it = m_entries.find(sql);
    if (it != m_entries.end()) {
        it->lastUse = ++m_clock;
        sqlite3_reset(it->statement);
        sqlite3_clear_bindings(it->statement);
        return it->statement;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
        != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    if (int(m_entries.size()) >= m_capacity)
        evictOldest();
    m_entries.insert(sql, Entry{statement, ++m_clock});
    return statement;
}

void StatementCache::evictOldest()
{
    auto oldest = m_entries.begin();
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
        if (it->lastUse < oldest->lastUse)
            oldest = it;
    if (oldest != m_entries.end()) {
        sqlite3_finalize(oldest->statement);
        m_entries.erase(oldest);
    }
}

StatementReset::~StatementReset()
{
    if (m_statement)
        sqlite3_reset(m_statement);
}

}  // namespace zel::server
