#pragma once

#include <QString>
#include <QStringList>

namespace zel::db {

/// What differs between the server families behind ODBC, chosen by the DBMS
/// name the driver reports (SQL_DBMS_NAME).
///
/// Identity read-back. SQL Server: "SELECT SCOPE_IDENTITY()" in the same
/// batch as the INSERT, which ignores identities that triggers insert
/// elsewhere (@@IDENTITY would report those). SQLite, which knows no batches
/// through its ODBC driver: last_insert_rowid() right after.
///
/// Session setup. SQL Server: "SET NO_BROWSETABLE ON", so every result names
/// the base table of its columns, as OLE DB asks for it; FreeTDS keeps the key
/// columns that browse mode adds hidden.
struct ServerDialect {
    QString identityQuery;          ///< the statement that answers the identity
    bool identityInSameBatch = false;  ///< appended to the INSERT with "; " instead of run after it
    QStringList sessionSetup;        ///< run once after connecting
    /// A value compared with a stored date or date-time is first cast to the
    /// column's type, so that it is rounded as the stored one was (SQL Server
    /// keeps datetime in steps of 1/300 s).
    bool castsDateComparisons = false;

    static ServerDialect forDbms(const QString& dbmsName);
};

}  // namespace zel::db
