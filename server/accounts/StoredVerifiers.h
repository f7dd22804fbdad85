#pragma once

#include "server/accounts/PasswordVerifier.h"

#include <QString>

struct sqlite3;

namespace zel::server {

/// The verifier columns (salt, verifier, iterations) that the server's account
/// tables, zel_logins and zel_users, keep for each login.
class StoredVerifiers {
public:
    /// Replaces the verifier of login in table. Throws zel::DbError on a
    /// database failure.
    static void replace(sqlite3* db, const char* table, const QString& login,
                        const PasswordVerifier::Stored& stored);

    /// Checked against when there is no such account, so that a missing one
    /// costs as much time as a wrong secret. Made on first use.
    static const PasswordVerifier::Stored& decoy();
};

}  // namespace zel::server
