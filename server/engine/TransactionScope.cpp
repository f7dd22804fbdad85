#include "server/engine/TransactionScope.h"

#include "server/engine/ServerErrors.h"

#include <sqlite3.h>

#include <atomic>

namespace zel::server {

namespace {

int run(sqlite3* db, const QByteArray& sql)
{
    return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

}  // namespace

TransactionScope::TransactionScope(sqlite3* db, Mode mode) : m_db(db)
{
    static std::atomic<int> counter{0};
    m_savepoint = sqlite3_get_autocommit(db) == 0;
    m_name = "zel_sp" + QByteArray::number(++counter);
    const QByteArray begin = mode == Mode::Write ? QByteArray("BEGIN IMMEDIATE") : QByteArray("BEGIN");
    const int rc = run(db, m_savepoint ? "SAVEPOINT " + m_name : begin);
    if (rc != SQLITE_OK)
        throw ServerErrors::fromSqlite(db, rc, {});
}

TransactionScope::~TransactionScope()
{
    if (m_done)
        return;
    if (m_savepoint) {
        run(m_db, "ROLLBACK TO " + m_name);
        run(m_db, "RELEASE " + m_name);
    } else if (sqlite3_get_autocommit(m_db) == 0) {
        run(m_db, "ROLLBACK");
    }
}

void TransactionScope::commit()
{
    const int rc = run(m_db, m_savepoint ? "RELEASE " + m_name : QByteArray("COMMIT"));
    if (rc != SQLITE_OK)
        throw ServerErrors::fromSqlite(m_db, rc, {});
    m_done = true;
}

}  // namespace zel::server
