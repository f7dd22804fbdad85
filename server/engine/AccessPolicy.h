#pragma once

#include "server/ServerHooks.h"

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
    /// verb: "INSERT", "UPDATE" or "DELETE".
    void checkWrite(const QString& verb, const CatalogTable& table) const;
    void checkExecute(const QString& procedure, const ProcedureInfo& info) const;

    [[noreturn]] static void denied(const QString& verb, const QString& object, const QString& database);

private:
    Account m_account;
    QString m_databaseName;
};

}  // namespace zel::server
