#pragma once

#include "server/ServerHooks.h"

#include <QString>

#include <optional>

struct sqlite3;

namespace zel::server {

/// The server's own logins (zel_logins): the User ID and Password of a
/// connection string are checked against them. Passwords are kept only as
/// salted verifiers (PasswordVerifier).
class DatabaseAccounts {
public:
    /// Adds or replaces a login. Throws zel::DbError on a database failure.
    static void set(sqlite3* db, const QString& login, const QString& password, AccountRole role);
    /// Replaces the password of an existing login (its role stays); false when
    /// there is no such login.
    static bool setPassword(sqlite3* db, const QString& login, const QString& password);
    /// The account when login and password match; nullopt otherwise. Logins
    /// match without regard to letter case, passwords exactly. An unknown
    /// login costs as much time as a wrong password. A verifier cheaper than new
    /// ones is replaced by one of the current cost once the password matched.
    static std::optional<Account> verify(sqlite3* db, const QString& login, const QString& password);

    static QString roleName(AccountRole role);  ///< "bootstrap", "editor", "readonly", "administrator"
    static std::optional<AccountRole> parseRole(const QString& name);

    /// Installs verify() as the server's AccountVerifier.
    static void install();
};

}  // namespace zel::server
