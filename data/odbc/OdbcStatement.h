#pragma once

#include "data/odbc/OdbcHandle.h"

#include <QString>

#include <sql.h>

namespace zel::db {

/// One statement handle on a connection. Texts go to the driver as UTF-8
/// through the narrow API: FreeTDS with ClientCharset=UTF-8 and the SQLite
/// driver both take UTF-8 there, and the SQLite driver has no wide entry
/// points. Every failure throws DbError with the handle's diagnostics.
///
/// A batch answers with several results (row counts, result sets, errors of
/// later statements). Callers walk them with nextResult() until it returns
/// false; a result left unread makes the connection's next statement fail
/// with "Invalid cursor state", and an error raised after the first result
/// only shows while walking.
class OdbcStatement {
public:
    explicit OdbcStatement(SQLHDBC connection);

    SQLHSTMT handle() const { return m_handle.get(); }

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
};

}  // namespace zel::db
