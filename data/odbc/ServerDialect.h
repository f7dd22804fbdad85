#pragma once

#include <QString>

namespace zel::db {

/// How the identity a server assigned to an inserted row is read back, by
/// server family. SQL Server: "SELECT SCOPE_IDENTITY()" in the same batch as
/// the INSERT, which ignores identities that triggers insert elsewhere
/// (@@IDENTITY would report those). SQLite: last_insert_rowid() right after.
struct IdentityReadBack {
    QString query;        ///< the statement that answers the identity
    bool sameBatch = false;  ///< appended to the INSERT with "; " instead of run after it

    /// The read-back for the DBMS name the driver reports (SQL_DBMS_NAME).
    static IdentityReadBack forDbms(const QString& dbmsName);
};

}  // namespace zel::db
