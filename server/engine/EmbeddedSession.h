#pragma once

#include "data/ConnectionParams.h"
#include "server/ServerHooks.h"
#include "server/engine/AccessPolicy.h"
#include "server/engine/DialectTranslator.h"
#include "server/engine/SchemaCatalog.h"
#include "server/engine/StatementCache.h"
#include "server/engine/StatementTrace.h"
#include "server/engine/TranslatedStatement.h"
#include "server/engine/TranslationCache.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

struct sqlite3;

namespace zel::server {

/// One signed-in connection to a server database file: the SQLite handle (WAL,
/// synchronous FULL, foreign keys, busy timeout, opened without a mutex: one
/// thread uses it), the account, the connection's settings (date format), and
/// its caches of translations and prepared statements.
class EmbeddedSession {
public:
    /// Opens the file the Data Source names (absolute, or relative to the
    /// program's Data folder), checks the login and the Initial Catalog. A missing
    /// file is never created. Throws zel::DbError with the server's message.
    static std::unique_ptr<EmbeddedSession> open(const db::ConnectionParams& params);
    /// The file a Data Source names.
    static QString databasePath(const QString& dataSource);

    ~EmbeddedSession();
    EmbeddedSession(const EmbeddedSession&) = delete;
    EmbeddedSession& operator=(const EmbeddedSession&) = delete;

    sqlite3* db() const { return m_db; }
    const Account& account() const { return m_policy.account(); }
    const QString& databaseName() const { return m_policy.databaseName(); }
    const AccessPolicy& policy() const { return m_policy; }
    SchemaCatalog& catalog() { return m_catalog; }
    StatementCache& statements() { return m_statements; }
    StatementTrace& trace() { return m_trace; }

    // -- the client's transaction --
    /// Begins the client's transaction (BEGIN IMMEDIATE: it will write, and waits for
    /// the write lock as long as a single write would). Not nested.
    void beginClientTransaction();
    /// Commits it. When SQLite ended it after an error on the way, or refuses the
    /// commit, it is rolled back and the error thrown: nothing of it was stored.
    void commitClientTransaction();
    /// Rolls it back; nothing when none is open. Never throws.
    void rollbackClientTransaction() noexcept;
    bool inClientTransaction() const { return m_clientTransaction; }
    /// Throws when the client's transaction is open but SQLite already rolled it back
    /// (an I/O error, a full disk): a statement would otherwise run on its own and be
    /// stored while the ones before it were not.
    void checkClientTransaction() const;

    const QString& dateFormat() const { return m_dateFormat; }
    void setDateFormat(const QString& format) { m_dateFormat = format; }

    /// The batch translated for the current date format; valid until the next call.
    const std::vector<TranslatedStatement>& translate(const QString& batch)
    {
        return m_translations.translate(batch, m_dateFormat);
    }

    /// While alive, the server's own code may read internal tables, and write
    /// when writes is true (procedures, the statement trace).
    class Trusted {
    public:
        Trusted(EmbeddedSession& session, bool writes);
        ~Trusted();
        Trusted(const Trusted&) = delete;
        Trusted& operator=(const Trusted&) = delete;

    private:
        EmbeddedSession& m_session;
        bool m_internal;
        bool m_writes;
    };

private:
    EmbeddedSession(sqlite3* db, Account account, QString databaseName);
    static int authorize(void* session, int action, const char* a, const char* b, const char* database,
                         const char* trigger);

    sqlite3* m_db;
    AccessPolicy m_policy;
    SchemaCatalog m_catalog;
    StatementCache m_statements;
    StatementTrace m_trace;
    DialectTranslator m_translator;
    QString m_dateFormat = QStringLiteral("mdy");
    bool m_internalAllowed = false;
    bool m_writesAllowed = false;
    bool m_clientTransaction = false;
    TranslationCache m_translations;
};

}  // namespace zel::server
