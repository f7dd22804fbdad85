#pragma once

#include "data/odbc/OdbcHandle.h"
#include "data/odbc/OdbcText.h"

#include <QString>

#include <sql.h>

namespace zel::db {

/// One statement handle on a connection. Texts cross in the connection's
/// OdbcTextMode. Every failure throws DbError with the handle's diagnostics.
///
/// A batch answers with several results (row counts, result sets, errors of
/// later statements). Callers walk them with nextResult() until it returns
/// false; a result left unread makes the connection's next statement fail
/// with "Invalid cursor state", and an error raised after the first result
/// only shows while walking.
class OdbcStatement {
public:
    /// A statement that runs longer than timeoutSeconds fails with HYT00
    /// (DbError::Kind::Timeout); 0 waits for ever.
    OdbcStatement(SQLHDBC connection, OdbcTextMode mode, unsigned timeoutSeconds);

    SQLHSTMT handle() const { return m_handle.get(); }
    OdbcTextMode textMode() const { return m_mode; }

    /// Runs text directly (after any parameters were bound).
    void execDirect(const QString& text);
    /// Columns of the current result; 0 for a row count or none.
    int columnCount();
    /// Rows affected by the current result; -1 when the driver does not know.
    qint64 rowCount();
    /// Moves to the next result; false when there is none left.
    bool nextResult();
    /// Walks past every remaining result, raising any error among them.
    void drain();
    /// Closes the cursor, keeping the bindings.
    void closeCursor();

    /// Throws the statement's diagnostics unless rc is a success.
    void check(SQLRETURN rc, const QString& what) const;

private:
    OdbcHandle m_handle;
    OdbcTextMode m_mode;
};

}  // namespace zel::db
