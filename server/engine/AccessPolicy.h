#pragma once

#include "server/ServerHooks.h"

#include <QAnyStringView>
#include <QString>

namespace zel::server {

struct CatalogTable;

/// What the signed-in account may touch, with the refusals worded as the
/// server words them (zel::DbError, Kind::PermissionDenied or InvalidObject).
class AccessPolicy {
public:
    AccessPolicy(Account account, QString databaseName);

    const Account& account() const { return m_account; }
    const QString& databaseName() const { return m_databaseName; }

    /// Internal tables exist only for the administrator account.
    bool canSee(const CatalogTable& table) const;
    void checkRead(const CatalogTable& table) const;
    /// verb: "INSERT", "UPDATE" or "DELETE". Besides the role's own limits,
    /// the settings table is the administrator's alone and the audit log takes
    /// nothing but new rows from anyone else.
    void checkWrite(const QString& verb, const CatalogTable& table) const;
    /// Whether a role other than the administrator's may run verb on the table
    /// named, as far as the administrator-owned tables go.
    static bool ownedTablePermits(QAnyStringView verb, QAnyStringView table);
    void checkExecute(const QString& procedure, const ProcedureInfo& info) const;

    [[noreturn]] static void denied(const QString& verb, const QString& object, const QString& database);

private:
    Account m_account;
    QString m_databaseName;
};

}  // namespace zel::server
