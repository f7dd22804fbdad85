#include "server/accounts/DatabaseAccounts.h"

#include "server/accounts/PasswordVerifier.h"
#include "server/accounts/StoredVerifiers.h"
#include "server/schema/SqliteStatement.h"

namespace zel::server {

using schema::SqliteStatement;

namespace {
void storeVerifier(sqlite3* db, const QString& login, const PasswordVerifier::Stored& stored)
{
    StoredVerifiers::replace(db, "zel_logins", login, stored);
}
}  // namespace

QString DatabaseAccounts::roleName(AccountRole role)
{
    switch (role) {
    case AccountRole::Bootstrap:
        return QStringLiteral("bootstrap");
    case AccountRole::Editor:
        return QStringLiteral("editor");
    case AccountRole::ReadOnly:
        return QStringLiteral("readonly");
    case AccountRole::Administrator:
        return QStringLiteral("administrator");
    }
    return {};
}

std::optional<AccountRole> DatabaseAccounts::parseRole(const QString& name)
{
    for (AccountRole role : {AccountRole::Bootstrap, AccountRole::Editor, AccountRole::ReadOnly,
                             AccountRole::Administrator})
        if (roleName(role).compare(name, Qt::CaseInsensitive) == 0)
            return role;
    return std::nullopt;
}

bool DatabaseAccounts::setPassword(sqlite3* db, const QString& login, const QString& password)
{
    SqliteStatement select(db, QStringLiteral("SELECT login FROM zel_logins WHERE login = ?1"));
    select.bind(1, login);
    if (!select.step())
        return false;
    const QString stored = select.text(0);
    select.reset();
    storeVerifier(db, stored, PasswordVerifier::create(password.toUtf8()));
    return true;
}

void DatabaseAccounts::set(sqlite3* db, const QString& login, const QString& password, AccountRole role)
{
    const PasswordVerifier::Stored stored = PasswordVerifier::create(password.toUtf8());
    SqliteStatement insert(db, QStringLiteral(
        "INSERT OR REPLACE INTO zel_logins (login, salt, verifier, iterations, role) VALUES (?1, ?2, ?3, ?4, ?5)"));
    insert.bind(1, login);
    insert.bind(2, stored.salt);
    insert.bind(3, stored.verifier);
    insert.bind(4, stored.iterations);
    insert.bind(5, roleName(role));
    insert.run();
}

std::optional<Account> DatabaseAccounts::verify(sqlite3* db, const QString& login, const QString& password)
{
    SqliteStatement select(db, QStringLiteral(
        "SELECT login, salt, verifier, iterations, role FROM zel_logins WHERE login = ?1"));
    select.bind(1, login);
    if (!select.step()) {
        PasswordVerifier::matches(password.toUtf8(), StoredVerifiers::decoy());
        return std::nullopt;
    }
    const PasswordVerifier::Stored stored{select.blob(1), select.blob(2), int(select.integer(3))};
    const std::optional<AccountRole> role = parseRole(select.text(4));
    if (!PasswordVerifier::matches(password.toUtf8(), stored) || !role)
        return std::nullopt;
    const Account account{select.text(0), *role};
    select.reset();
    if (PasswordVerifier::needsUpgrade(stored)) {
        // Brought up to the current cost while the password is at hand; a busy
        // file only postpones that to the next sign-in.
        try {
            storeVerifier(db, account.login, PasswordVerifier::create(password.toUtf8()));
        } catch (const std::exception&) {
        }
    }
    return account;
}

void DatabaseAccounts::install()
{
    setAccountVerifier(&DatabaseAccounts::verify);
}

}  // namespace zel::server
