#pragma once

#include <QByteArray>

struct sqlite3;

namespace zel::server {

/// A transaction that rolls back unless committed. Outside a transaction a
/// writing one begins with BEGIN IMMEDIATE (it will read and then write, and a
/// deferred transaction would then fail at once on a busy file), a reading one
/// with a plain BEGIN, which takes no write lock and so never waits for a
/// writer; inside a transaction it is a savepoint. Throws zel::DbError when
/// the write lock cannot be had.
class TransactionScope {
public:
    enum class Mode { Write, Read };

    explicit TransactionScope(sqlite3* db, Mode mode = Mode::Write);
    ~TransactionScope();
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;

    void commit();

private:
    sqlite3* m_db;
    bool m_savepoint = false;
    bool m_done = false;
    QByteArray m_name;
};

}  // namespace zel::server
