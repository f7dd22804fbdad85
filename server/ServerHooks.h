#pragma once

#include "data/RowSet.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

struct sqlite3;

namespace zel::server {

/// What a server account may do.
enum class AccountRole {
    Bootstrap,  ///< may only run GET_USER
    Editor,     ///< reads and writes the personnel data
    ReadOnly,   ///< reads only: every write is refused with a permission error
    Administrator,  ///< everything, the administration tool's account
};

struct Account {
    QString login;
    AccountRole role = AccountRole::ReadOnly;
};

/// Checks a database account's login and password against the server's own
/// logins; nullopt when they do not match. Installed by the accounts module.
using AccountVerifier = std::optional<Account> (*)(sqlite3* db, const QString& login,
                                                   const QString& password);
void setAccountVerifier(AccountVerifier verifier);
AccountVerifier accountVerifier();

/// One argument of an EXEC: positional (name empty) or named ("@id_teacher").
struct ProcedureArgument {
    QString name;
    QVariant value;  ///< null QVariant for NULL
};

/// What a native procedure runs with. Writes go through db inside the
/// transaction the engine opened for the call; errors are thrown as zel::DbError.
struct ProcedureContext {
    sqlite3* db = nullptr;
    QString databaseName;  ///< the Initial Catalog
    Account account;       ///< who calls
    db::RowSet* result = nullptr;  ///< the rows the procedure returns (may stay without columns)
};

using ProcedureFunction = void (*)(ProcedureContext& context,
                                   const std::vector<ProcedureArgument>& arguments);

struct ProcedureInfo {
    ProcedureFunction function = nullptr;
    bool writes = false;        ///< refused for read-only accounts; runs under the write lock
    bool bootstrapAllowed = false;  ///< the bootstrap account may call it
};

/// Registry of the server's native procedures, names matched without regard to case.
void registerProcedure(const QString& name, ProcedureInfo info);
std::optional<ProcedureInfo> findProcedure(const QString& name);

}  // namespace zel::server
