#include "server/schema/SqliteConnection.h"

#include "data/DbError.h"
#include "server/engine/SqliteFunctions.h"
#include "server/schema/SqliteStatement.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace zel::server::schema {

SqliteConnection::SqliteConnection(const QString& path, Mode mode)
{
    if (mode == Mode::CreateNew && QFileInfo::exists(path))
        throw DbError(QStringLiteral("Файл \"%1\" уже существует.").arg(path));
    if (mode == Mode::OpenExisting && !QFileInfo::exists(path))
        throw DbError(QStringLiteral("Файл базы данных \"%1\" не найден.").arg(path));
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX
        | (mode == Mode::CreateNew ? SQLITE_OPEN_CREATE : 0);
    open(path, flags);
    execute(m_db, QStringLiteral("PRAGMA journal_mode=WAL"));
    execute(m_db, QStringLiteral("PRAGMA synchronous=FULL"));
}

SqliteConnection::SqliteConnection()
{
    open(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
}

void SqliteConnection::open(const QString& name, int flags)
{
    const int rc = sqlite3_open_v2(name.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError(QStringLiteral("Не удалось открыть \"%1\": %2").arg(name, message));
    }
    sqlite3_busy_timeout(m_db, 5000);
    registerServerFunctions(m_db);
}

SqliteConnection::~SqliteConnection()
{
    sqlite3_close(m_db);
}

}  // namespace zel::server::schema
