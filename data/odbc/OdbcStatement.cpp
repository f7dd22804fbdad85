#include "data/odbc/OdbcStatement.h"

#include "data/odbc/OdbcDiagnostics.h"

#include <sqlext.h>

namespace zel::db {

OdbcStatement::OdbcStatement(SQLHDBC connection, OdbcTextMode mode, unsigned timeoutSeconds)
    : m_handle(SQL_HANDLE_STMT, connection), m_mode(mode)
{
    // Drivers that cannot time out a statement ignore it; that is no failure.
    SQLSetStmtAttr(m_handle.get(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(timeoutSeconds)), 0);
}

void OdbcStatement::check(SQLRETURN rc, const QString& what) const
{
    checkOdbc(rc, SQL_HANDLE_STMT, m_handle.get(), what, m_mode);
}

void OdbcStatement::execDirect(const QString& text)
{
    SQLRETURN rc;
    if (m_mode == OdbcTextMode::Wide) {
        std::u16string wide = OdbcText::toWide(text);
        rc = SQLExecDirectW(m_handle.get(), OdbcText::data(wide), SQLINTEGER(wide.size()));
    } else {
        QByteArray utf8 = text.toUtf8();
        rc = SQLExecDirect(m_handle.get(), reinterpret_cast<SQLCHAR*>(utf8.data()), SQLINTEGER(utf8.size()));
    }
    // SQL_NO_DATA: a searched UPDATE or DELETE that touched no row.
    check(rc, QStringLiteral("Executing the statement"));
}

int OdbcStatement::columnCount()
{
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(m_handle.get(), &count), QStringLiteral("Reading the result columns"));
    return count;
}

qint64 OdbcStatement::rowCount()
{
    SQLLEN count = -1;
    if (!SQL_SUCCEEDED(SQLRowCount(m_handle.get(), &count)))
        return -1;
    return count;
}

bool OdbcStatement::nextResult()
{
    const SQLRETURN rc = SQLMoreResults(m_handle.get());
    if (rc == SQL_NO_DATA)
        return false;
    check(rc, QStringLiteral("Reading the next result"));
    return true;
}

void OdbcStatement::drain()
{
    while (nextResult()) {
    }
}

void OdbcStatement::closeCursor()
{
    SQLFreeStmt(m_handle.get(), SQL_CLOSE);
}

}  // namespace zel::db
