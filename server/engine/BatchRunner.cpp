#include "server/engine/BatchRunner.h"

#include "server/engine/EmbeddedSession.h"
#include "server/engine/ProcedureRunner.h"
#include "server/engine/ResultReader.h"
#include "server/engine/ServerErrors.h"
#include "server/engine/StatementTrace.h"
#include "server/engine/TransactionScope.h"
#include "server/engine/ValueBinder.h"

#include "data/DbError.h"

#include <sqlite3.h>

#include <optional>

namespace zel::server {

namespace {

ErrorContext contextOf(EmbeddedSession& session, const TranslatedStatement& st)
{
    return {st.verb, st.table, session.databaseName(), &session.catalog()};
}

sqlite3_stmt* prepared(EmbeddedSession& session, const TranslatedStatement& st)
{
    sqlite3_stmt* statement = session.statements().prepare(st.sql);
    if (!statement)
        throw ServerErrors::fromSqlite(session.db(), sqlite3_errcode(session.db()), contextOf(session, st));
    for (std::size_t i = 0; i < st.parameters.size(); ++i)
        ValueBinder::bind(statement, int(i + 1), st.parameters[i]);
    return statement;
}

// Records the batch in the trace when the run ends, however it ends.
class TraceOnExit {
public:
    TraceOnExit(EmbeddedSession& session, const QString& batch)
        : m_session(session), m_batch(batch), m_receivedMs(QDateTime::currentMSecsSinceEpoch())
    {
    }
    ~TraceOnExit() { m_session.trace().record(m_session, m_batch, m_receivedMs); }
    TraceOnExit(const TraceOnExit&) = delete;
    TraceOnExit& operator=(const TraceOnExit&) = delete;

private:
    EmbeddedSession& m_session;
    const QString& m_batch;
    qint64 m_receivedMs;
};

}  // namespace

qint64 BatchRunner::run(EmbeddedSession& session, const QString& batch, db::RowSet* result)
{
    TraceOnExit trace(session, batch);
    const std::vector<TranslatedStatement>& statements = session.translate(batch);

    bool writes = false;
    bool readsWhileWriting = false;
    bool afterQuery = false;
    for (const auto& st : statements) {
        const bool isWrite = st.kind == TranslatedStatement::Kind::Write;
        const bool changes = isWrite || st.kind == TranslatedStatement::Kind::Procedure;
        if (result && afterQuery && changes)
            throw DbError(QStringLiteral("A query opened for its rows may not change data after its SELECT; nothing was run.\nStatement: %1")
                              .arg(batch.trimmed().left(300)),
                          DbError::Kind::Syntax, QStringLiteral("42000"));
        afterQuery = afterQuery || st.kind == TranslatedStatement::Kind::Query;
        writes = writes || changes;
        readsWhileWriting = readsWhileWriting || (isWrite && st.readsTables);
    }
    std::optional<TransactionScope> transaction;
    if (writes && (statements.size() > 1 || readsWhileWriting))
        transaction.emplace(session.db());

    bool haveResult = false;
    qint64 affected = -1;
    for (const auto& st : statements) {
        switch (st.kind) {
        case TranslatedStatement::Kind::SetOption:
            if (st.option == QLatin1String("DATEFORMAT"))
                session.setDateFormat(st.optionValue);
            break;
        case TranslatedStatement::Kind::Query: {
            sqlite3_stmt* statement = prepared(session, st);
            StatementReset reset(statement);
            int rc;
            if (result && !haveResult) {
                rc = ResultReader::read(statement, session.catalog(), st.tablesRead, *result, &st.resultTextSizes);
                haveResult = true;
            } else {
                while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
                }
            }
            if (rc != SQLITE_DONE)
                throw ServerErrors::fromSqlite(session.db(), rc, contextOf(session, st));
            break;
        }
        case TranslatedStatement::Kind::Write: {
            sqlite3_stmt* statement = prepared(session, st);
            StatementReset reset(statement);
            const int rc = sqlite3_step(statement);
            if (rc != SQLITE_DONE)
                throw ServerErrors::fromSqlite(session.db(), rc, contextOf(session, st));
            affected = std::max<qint64>(affected, 0) + sqlite3_changes64(session.db());
            break;
        }
        case TranslatedStatement::Kind::Procedure:
            if (ProcedureRunner::run(session, st.procedure, st.procedureInfo, st.arguments,
                                     haveResult ? nullptr : result))
                haveResult = true;
            break;
        }
    }
    if (transaction)
        transaction->commit();
    if (writes)
        session.trace().invalidate();
    return affected;
}

}  // namespace zel::server
