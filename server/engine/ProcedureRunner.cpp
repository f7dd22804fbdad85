#include "server/engine/ProcedureRunner.h"

#include "data/DbError.h"
#include "server/engine/EmbeddedSession.h"
#include "server/engine/TransactionScope.h"

#include <exception>

namespace zel::server {

bool ProcedureRunner::run(EmbeddedSession& session, const QString& name, const ProcedureInfo& info,
                          const std::vector<ProcedureArgument>& arguments, db::RowSet* result)
{
    session.policy().checkExecute(name, info);
    // Procedures are the server's own code: they may read internal tables; a
    // read-only account still writes nothing, even through one.
    EmbeddedSession::Trusted trusted(session, session.account().role != AccountRole::ReadOnly);
    // A procedure that only reads must not queue behind a writer for the write lock.
    TransactionScope transaction(session.db(), info.writes ? TransactionScope::Mode::Write
                                                           : TransactionScope::Mode::Read);
    db::RowSet rows;
    ProcedureContext context;
    context.db = session.db();
    context.databaseName = session.databaseName();
    context.account = session.account();
    context.result = &rows;
    try {
        info.function(context, arguments);
    } catch (const Error&) {
        throw;
    } catch (const std::exception& e) {
        throw DbError(QString::fromUtf8(e.what()));
    }
    transaction.commit();
    if (!result || rows.columnCount() == 0)
        return false;
    *result = std::move(rows);
    return true;
}

}  // namespace zel::server
