#include "server/engine/AccessPolicy.h"

#include "data/DbError.h"
#include "server/engine/SchemaCatalog.h"

namespace zel::server {

AccessPolicy::AccessPolicy(Account account, QString databaseName)
    : m_account(std::move(account)), m_databaseName(std::move(databaseName))
{
}

void AccessPolicy::denied(const QString& verb, const QString& object, const QString& database)
{
    throw DbError(QStringLiteral("The %1 permission was denied on the object '%2', database '%3', schema 'dbo'.")
                      .arg(verb, object, database),
                  DbError::Kind::PermissionDenied, QStringLiteral("42000"), 229);
}

bool AccessPolicy::canSee(const CatalogTable& table) const
{
    return !table.internal || m_account.role == AccountRole::Administrator;
}

void AccessPolicy::checkRead(const CatalogTable& table) const
{
    if (m_account.role == AccountRole::Bootstrap)
        denied(QStringLiteral("SELECT"), table.name, m_databaseName);
}

bool AccessPolicy::ownedTablePermits(QAnyStringView verb, QAnyStringView table)
{
    // VuzDefaults holds the addresses every workstation trusts (update and
    // report servers); ZEL_LOG is the audit trail.
    if (QAnyStringView::compare(table, QLatin1StringView("VuzDefaults"), Qt::CaseInsensitive) == 0)
        return false;
    if (QAnyStringView::compare(table, QLatin1StringView("ZEL_LOG"), Qt::CaseInsensitive) == 0)
        return QAnyStringView::compare(verb, QLatin1StringView("INSERT"), Qt::CaseInsensitive) == 0;
    return true;
}

void AccessPolicy::checkWrite(const QString& verb, const CatalogTable& table) const
{
    if (m_account.role == AccountRole::Administrator)
        return;
    if (m_account.role == AccountRole::Bootstrap || m_account.role == AccountRole::ReadOnly
        || !ownedTablePermits(verb, table.name))
        denied(verb, table.name, m_databaseName);
}

void AccessPolicy::checkExecute(const QString& procedure, const ProcedureInfo& info) const
{
    const bool refused = (m_account.role == AccountRole::Bootstrap && !info.bootstrapAllowed)
        || (m_account.role == AccountRole::ReadOnly && info.writes);
    if (refused)
        denied(QStringLiteral("EXECUTE"), procedure, m_databaseName);
}

}  // namespace zel::server
