#include "server/accounts/ClerkAccounts.h"

#include "data/CharacterShift.h"
#include "data/DbError.h"
#include "data/PasswordHash.h"
#include "server/accounts/StoredVerifiers.h"
#include "server/schema/SqliteStatement.h"

#include <QDateTime>
#include <QRegularExpression>

namespace zel::server {

using schema::SqliteStatement;

namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

void storeVerifier(sqlite3* db, const QString& login, const PasswordVerifier::Stored& stored)
{
    StoredVerifiers::replace(db, "zel_users", login, stored);
}
}  // namespace

QString ClerkAccounts::normalizedHash(const QString& md5Hex)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{32}$"));
    return hex.match(md5Hex).hasMatch() ? md5Hex.toUpper() : QString();
}

void ClerkAccounts::set(sqlite3* db, Clerk clerk, const QString& password, const QString& databasePassword)
{
    clerk.databasePasswordShifted = shift::encodeText(databasePassword);
    const PasswordVerifier::Stored stored = PasswordVerifier::create(passwordHash(password).toLatin1());
    SqliteStatement insert(db, QStringLiteral(
        "INSERT OR REPLACE INTO zel_users (login, full_name, salt, verifier, iterations, must_change, "
        "password_expires, refusal_message, db_login, db_password_shifted) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)"));
    insert.bind(1, clerk.login);
    insert.bind(2, clerk.fullName);
    insert.bind(3, stored.salt);
    insert.bind(4, stored.verifier);
    insert.bind(5, stored.iterations);
    insert.bind(6, clerk.mustChange ? 1 : 0);
    insert.bind(7, clerk.passwordExpires.isValid() ? QVariant(clerk.passwordExpires.toString(kDateFormat)) : QVariant());
    insert.bind(8, clerk.refusalMessage.isEmpty() ? QVariant() : QVariant(clerk.refusalMessage));
    insert.bind(9, clerk.databaseLogin);
    insert.bind(10, clerk.databasePasswordShifted);
    insert.run();
}

std::optional<ClerkAccounts::Stored> ClerkAccounts::find(sqlite3* db, const QString& login)
{
    SqliteStatement select(db, QStringLiteral(
        "SELECT login, full_name, salt, verifier, iterations, must_change, password_expires, "
        "refusal_message, db_login, db_password_shifted FROM zel_users WHERE login = ?1"));
    select.bind(1, login);
    if (!select.step())
        return std::nullopt;
    Stored stored;
    stored.clerk.login = select.text(0);
    stored.clerk.fullName = select.text(1);
    stored.verifier = {select.blob(2), select.blob(3), int(select.integer(4))};
    stored.clerk.mustChange = select.integer(5) != 0;
    stored.clerk.passwordExpires = QDate::fromString(select.text(6), kDateFormat);
    stored.clerk.refusalMessage = select.text(7);
    stored.clerk.databaseLogin = select.text(8);
    stored.clerk.databasePasswordShifted = select.text(9);
    return stored;
}

bool ClerkAccounts::hashMatches(const Stored& stored, const QString& md5Hex)
{
    const QString hash = normalizedHash(md5Hex);
    if (hash.isEmpty())
        return false;
    return PasswordVerifier::matches(hash.toLatin1(), stored.verifier);
}

std::optional<ClerkAccounts::Stored> ClerkAccounts::verify(sqlite3* db, const QString& login,
                                                           const QString& md5Hex)
{
    const PasswordVerifier::Stored& decoy = StoredVerifiers::decoy();
    std::optional<Stored> stored = find(db, login);
    const QString hash = normalizedHash(md5Hex);
    // Derived in every case: a missing clerk or a malformed hash takes as long as a wrong one.
    const QByteArray secret = hash.isEmpty() ? QByteArray(32, '0') : hash.toLatin1();
    const bool matches = PasswordVerifier::matches(secret, stored ? stored->verifier : decoy);
    if (!stored || hash.isEmpty() || !matches)
        return std::nullopt;
    if (PasswordVerifier::needsUpgrade(stored->verifier)) {
        try {
            stored->verifier = PasswordVerifier::create(hash.toLatin1());
            storeVerifier(db, stored->clerk.login, stored->verifier);
        } catch (const std::exception&) {
            // a busy file only postpones the upgrade to the next sign-in
        }
    }
    return stored;
}

void ClerkAccounts::changePasswordHash(sqlite3* db, const QString& login, const QString& md5Hex,
                                       const QDate& today)
{
    const QString hash = normalizedHash(md5Hex);
    if (hash.isEmpty())
        throw DbError(QStringLiteral("Новый пароль передан в неверном виде."));
    storeVerifier(db, login, PasswordVerifier::create(hash.toLatin1()));
    SqliteStatement update(db, QStringLiteral(
        "UPDATE zel_users SET must_change = 0, password_expires = ?2 WHERE login = ?1"));
    update.bind(1, login);
    update.bind(2, today.addDays(kPasswordLifetimeDays).toString(kDateFormat));
    update.run();
}

bool ClerkAccounts::setPassword(sqlite3* db, const QString& login, const QString& password, bool mustChange)
{
    const std::optional<Stored> stored = find(db, login);
    if (!stored)
        return false;
    storeVerifier(db, stored->clerk.login, PasswordVerifier::create(passwordHash(password).toLatin1()));
    SqliteStatement update(db, QStringLiteral("UPDATE zel_users SET must_change = ?2 WHERE login = ?1"));
    update.bind(1, stored->clerk.login);
    update.bind(2, mustChange ? 1 : 0);
    update.run();
    return true;
}

void ClerkAccounts::recordSignIn(sqlite3* db, const QString& login, const QString& workstation)
{
    SqliteStatement update(db, QStringLiteral(
        "UPDATE zel_users SET last_sign_in = ?2, last_workstation = ?3 WHERE login = ?1"));
    update.bind(1, login);
    update.bind(2, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    update.bind(3, workstation);
    update.run();
}

int ClerkAccounts::passwordState(const Clerk& clerk, const QDate& today)
{
    if (clerk.mustChange)
        return kStateMustChange;
    if (!clerk.passwordExpires.isValid())
        return kStateNoExpiry;
    const qint64 daysLeft = today.daysTo(clerk.passwordExpires);
    if (daysLeft < 0)
        return kStateMustChange;
    return int(std::min<qint64>(daysLeft, kStateNoExpiry));
}

}  // namespace zel::server
