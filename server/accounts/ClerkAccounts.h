#pragma once

#include "server/accounts/PasswordVerifier.h"

#include <QDate>
#include <QString>

#include <optional>

struct sqlite3;

namespace zel::server {

/// A clerk who signs in through GET_USER (table zel_users).
struct Clerk {
    QString login;
    QString fullName;
    bool mustChange = false;          ///< the next sign-in must set a new password
    QDate passwordExpires;            ///< null: the password does not expire
    QString refusalMessage;           ///< not empty: sign-in is refused with this text
    QString databaseLogin;            ///< the database account the clerk works under
    QString databasePasswordShifted;  ///< its password, shifted as GET_USER hands it out
};

/// Storage of the clerks. The client sends the MD5 hash of a password; only a
/// salted PBKDF2 verifier of that hash is stored, never the hash itself.
class ClerkAccounts {
public:
    /// Password states GET_USER reports: below 0 a change is required, below
    /// kStateAskToChange a change is offered; otherwise the days left, capped.
    static constexpr int kStateMustChange = -1;
    static constexpr int kStateAskToChange = 20;
    static constexpr int kStateNoExpiry = 999;
    static constexpr int kPasswordLifetimeDays = 180;

    struct Stored {
        Clerk clerk;
        PasswordVerifier::Stored verifier;
    };

    /// Adds or replaces a clerk with a plain password (hashed as the client does)
    /// and a plain database password (stored shifted).
    static void set(sqlite3* db, Clerk clerk, const QString& password, const QString& databasePassword);
    static std::optional<Stored> find(sqlite3* db, const QString& login);

    /// Whether the 32 hex digits (any letter case) are the hash of the clerk's password.
    static bool hashMatches(const Stored& stored, const QString& md5Hex);
    /// The clerk when login and hash match, nullopt otherwise. An unknown login
    /// is checked against a decoy verifier, so that it costs as much time as a
    /// wrong password and the answer's delay tells nothing about which logins exist.
    /// A verifier cheaper than new ones is replaced once the hash matched.
    static std::optional<Stored> verify(sqlite3* db, const QString& login, const QString& md5Hex);
    /// Replaces the password by its hash; clears the must-change flag and starts a new lifetime.
    static void changePasswordHash(sqlite3* db, const QString& login, const QString& md5Hex, const QDate& today);
    static void recordSignIn(sqlite3* db, const QString& login, const QString& workstation);
    /// Replaces the password of an existing clerk (typed text, hashed as the
    /// client does); false when there is no such clerk.
    static bool setPassword(sqlite3* db, const QString& login, const QString& password, bool mustChange);

    static int passwordState(const Clerk& clerk, const QDate& today);
    /// "0123...EF" upper case when md5Hex is 32 hex digits; empty otherwise.
    static QString normalizedHash(const QString& md5Hex);
};

}  // namespace zel::server
