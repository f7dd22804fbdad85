#include "server/engine/EmbeddedSession.h"

#include "data/DbError.h"
#include "server/engine/DictionaryUseCheck.h"
#include "server/engine/ServerErrors.h"
#include "server/engine/SqliteFunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstring>

namespace zel::server {

namespace {

constexpr int kBusyTimeoutMs = 10000;

void pragma(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        throw ServerErrors::fromSqlite(db, rc, {});
}

// The database's name as stored by the server; the file's base name when unset.
QString storedDatabaseName(sqlite3* db, const QString& path)
{
    QString name;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT value FROM zel_settings WHERE name = 'database_name'", -1, &st, nullptr)
            == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        if (text)
            name = QString::fromUtf8(text);
    }
    sqlite3_finalize(st);
    return name.isEmpty() ? QFileInfo(path).completeBaseName() : name;
}

struct HandleCloser {
    sqlite3* db;
    ~HandleCloser()
    {
        if (db)
            sqlite3_close_v2(db);
    }
};

}  // namespace

QString EmbeddedSession::databasePath(const QString& dataSource)
{
    const QString source = dataSource.trimmed();
    if (QDir::isAbsolutePath(source))
        return QDir::cleanPath(source);
    const QString base = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return QDir::cleanPath(base + QStringLiteral("/Data/") + source);
}

std::unique_ptr<EmbeddedSession> EmbeddedSession::open(const db::ConnectionParams& params)
{
    const QString path = databasePath(params.server());
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("SQL Server does not exist or access denied. The database file \"%1\" does not exist.")
                          .arg(path),
                      DbError::Kind::ConnectionLost, QStringLiteral("08001"), 17);

    HandleCloser handle{nullptr};
    const QByteArray file = QFile::encodeName(path);
    const int rc = sqlite3_open_v2(file.constData(), &handle.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("SQL Server does not exist or access denied. The database file \"%1\" cannot be opened: %2")
                          .arg(path, QString::fromUtf8(sqlite3_errmsg(handle.db))),
                      DbError::Kind::ConnectionLost, QStringLiteral("08001"), 17);
    sqlite3* db = handle.db;
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // "name" is always a name here: no fallback to a string literal.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    pragma(db, "PRAGMA journal_mode=WAL");
    pragma(db, "PRAGMA synchronous=FULL");
    pragma(db, "PRAGMA foreign_keys=ON");
    registerServerFunctions(db);
    DictionaryUseCheck::install(db);

    const QString login = params.login();
    const AccountVerifier verifier = accountVerifier();
    const std::optional<Account> account = verifier ? verifier(db, login, params.password()) : std::nullopt;
    if (!account)
        throw DbError(QStringLiteral("Login failed for user '%1'.").arg(login), DbError::Kind::LoginFailed,
                      QStringLiteral("28000"), 18456);

    const QString databaseName = storedDatabaseName(db, path);
    const QString requested = params.database().trimmed();
    if (!requested.isEmpty() && requested.compare(databaseName, Qt::CaseInsensitive) != 0)
        throw DbError(QStringLiteral("Cannot open database \"%1\" requested by the login. The login failed.").arg(requested),
                      DbError::Kind::LoginFailed, QStringLiteral("42000"), 4060);

    handle.db = nullptr;
    return std::unique_ptr<EmbeddedSession>(new EmbeddedSession(db, *account, databaseName));
}

EmbeddedSession::EmbeddedSession(sqlite3* db, Account account, QString databaseName)
    : m_db(db),
      m_policy(std::move(account), std::move(databaseName)),
      m_catalog(db),
      m_statements(db),
      m_translator(m_catalog, m_policy),
      m_translations(m_translator, m_catalog)
{
    const AccountRole role = m_policy.account().role;
    m_internalAllowed = role == AccountRole::Administrator;
    m_writesAllowed = role == AccountRole::Administrator || role == AccountRole::Editor;
    sqlite3_set_authorizer(m_db, &EmbeddedSession::authorize, this);
    m_catalog.refreshIfChanged();
}

EmbeddedSession::~EmbeddedSession()
{
    m_statements.clear();
    sqlite3_close_v2(m_db);
}

namespace {

DbError transactionEndedByServer()
{
    return DbError(QStringLiteral("The current transaction cannot be committed and cannot support operations that "
                                  "write to the log file. Roll back the transaction."),
                   DbError::Kind::Other, QStringLiteral("25000"), 3930);
}

}  // namespace

void EmbeddedSession::beginClientTransaction()
{
    if (m_clientTransaction || sqlite3_get_autocommit(m_db) == 0)
        throw DbError(QStringLiteral("A transaction is already open on this connection."), DbError::Kind::Other,
                      QStringLiteral("25000"), 3902);
    const int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw ServerErrors::fromSqlite(m_db, rc, {});
    m_clientTransaction = true;
}

void EmbeddedSession::commitClientTransaction()
{
    if (!m_clientTransaction)
        throw DbError(QStringLiteral("The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION."),
                      DbError::Kind::Other, QStringLiteral("25000"), 3902);
    if (sqlite3_get_autocommit(m_db) != 0) {
        rollbackClientTransaction();
        throw transactionEndedByServer();
    }
    const int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const DbError error = ServerErrors::fromSqlite(m_db, rc, {});
        rollbackClientTransaction();
        throw error;
    }
    m_clientTransaction = false;
    m_trace.transactionCommitted();
}

void EmbeddedSession::rollbackClientTransaction() noexcept
{
    if (!m_clientTransaction)
        return;
    if (sqlite3_get_autocommit(m_db) == 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_clientTransaction = false;
    m_trace.invalidate();
    m_trace.transactionRolledBack(*this);
}

void EmbeddedSession::checkClientTransaction() const
{
    if (m_clientTransaction && sqlite3_get_autocommit(m_db) != 0)
        throw transactionEndedByServer();
}

int EmbeddedSession::authorize(void* self, int action, const char* a, const char*, const char*, const char* trigger)
{
    const auto* session = static_cast<const EmbeddedSession*>(self);
    if (trigger)
        return SQLITE_OK;  // the schema's own triggers
    auto internal = [&] { return a && std::strncmp(a, "zel_", 4) == 0; };
    switch (action) {
    case SQLITE_READ:
        return internal() && !session->m_internalAllowed ? SQLITE_DENY : SQLITE_OK;
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
        if (a && std::strncmp(a, "sqlite_", 7) == 0)
            return SQLITE_OK;
        if (!session->m_writesAllowed || (internal() && !session->m_internalAllowed))
            return SQLITE_DENY;
        if (!session->m_internalAllowed && a) {
            const char* verb = action == SQLITE_INSERT ? "INSERT" : action == SQLITE_UPDATE ? "UPDATE" : "DELETE";
            if (!AccessPolicy::ownedTablePermits(QUtf8StringView(verb), QUtf8StringView(a)))
                return SQLITE_DENY;
        }
        return SQLITE_OK;
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
        return SQLITE_DENY;
    default:
        return SQLITE_OK;
    }
}

EmbeddedSession::Trusted::Trusted(EmbeddedSession& session, bool writes)
    : m_session(session), m_internal(session.m_internalAllowed), m_writes(session.m_writesAllowed)
{
    session.m_internalAllowed = true;
    session.m_writesAllowed = writes;
}

EmbeddedSession::Trusted::~Trusted()
{
    m_session.m_internalAllowed = m_internal;
    m_session.m_writesAllowed = m_writes;
}

}  // namespace zel::server
