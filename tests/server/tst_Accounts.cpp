#include "data/PasswordHash.h"
#include "server/accounts/ClerkAccounts.h"
#include "server/accounts/DatabaseAccounts.h"
#include "server/accounts/PasswordVerifier.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteSchemaWriter.h"
#include "server/schema/SqliteStatement.h"

#include <gtest/gtest.h>

using namespace zel::server;

TEST(PasswordVerifier, Pbkdf2MatchesPublishedVectors)
{
    // PBKDF2-HMAC-SHA256 test vectors (RFC 7914, section 11 / common reference values).
    EXPECT_EQ(PasswordVerifier::pbkdf2("password", "salt", 1).toHex(),
              QByteArray("120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"));
    EXPECT_EQ(PasswordVerifier::pbkdf2("password", "salt", 2).toHex(),
              QByteArray("ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"));
    EXPECT_EQ(PasswordVerifier::pbkdf2("password", "salt", 4096).toHex(),
              QByteArray("c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"));
    EXPECT_EQ(PasswordVerifier::pbkdf2("passwd", "salt", 1, 64).toHex().left(16), QByteArray("55ac046e56e3089f"));
}

TEST(PasswordVerifier, SaltedSoSameSecretsGiveDifferentVerifiers)
{
    const PasswordVerifier::Stored a = PasswordVerifier::create("секрет", 1000);
    const PasswordVerifier::Stored b = PasswordVerifier::create("секрет", 1000);
    EXPECT_EQ(a.salt.size(), PasswordVerifier::kSaltSize);
    EXPECT_NE(a.salt, b.salt);
    EXPECT_NE(a.verifier, b.verifier);
    EXPECT_TRUE(PasswordVerifier::matches("секрет", a));
    EXPECT_TRUE(PasswordVerifier::matches("секрет", b));
    EXPECT_FALSE(PasswordVerifier::matches("Секрет", a));
    EXPECT_FALSE(PasswordVerifier::matches("", a));
    EXPECT_FALSE(PasswordVerifier::matches("секрет", {a.salt, a.verifier, 0}));
}

class AccountsTest : public ::testing::Test {
protected:
    void SetUp() override { schema::SqliteSchemaWriter::create(connection.handle()); }
    sqlite3* db() { return connection.handle(); }
    schema::SqliteConnection connection;
};

TEST_F(AccountsTest, DatabaseLoginsVerifyPasswordAndRole)
{
    DatabaseAccounts::set(db(), QStringLiteral("zel_boot"), QStringLiteral("Start2026"), AccountRole::Bootstrap);
    DatabaseAccounts::set(db(), QStringLiteral("zel_reader"), QStringLiteral("Start2026"), AccountRole::ReadOnly);

    const auto boot = DatabaseAccounts::verify(db(), QStringLiteral("ZEL_BOOT"), QStringLiteral("Start2026"));
    ASSERT_TRUE(boot);
    EXPECT_EQ(boot->role, AccountRole::Bootstrap);
    EXPECT_EQ(boot->login, QStringLiteral("zel_boot"));
    EXPECT_EQ(DatabaseAccounts::verify(db(), QStringLiteral("zel_reader"), QStringLiteral("Start2026"))->role,
              AccountRole::ReadOnly);
    EXPECT_FALSE(DatabaseAccounts::verify(db(), QStringLiteral("zel_boot"), QStringLiteral("start2026")));
    EXPECT_FALSE(DatabaseAccounts::verify(db(), QStringLiteral("nobody"), QStringLiteral("Start2026")));
    EXPECT_FALSE(DatabaseAccounts::verify(db(), QStringLiteral("zel_boot' OR '1'='1"), QStringLiteral("x")));

    // Same password, different accounts: nothing stored is equal, nothing stored is the password.
    schema::SqliteStatement stored(db(), QStringLiteral(
        "SELECT count(DISTINCT verifier), count(DISTINCT salt), sum(instr(verifier, 'Start2026')) FROM zel_logins"));
    ASSERT_TRUE(stored.step());
    EXPECT_EQ(stored.integer(0), 2);
    EXPECT_EQ(stored.integer(1), 2);
    EXPECT_EQ(stored.integer(2), 0);
}

TEST_F(AccountsTest, InstalledVerifierIsTheServersAccountCheck)
{
    DatabaseAccounts::install();
    DatabaseAccounts::set(db(), QStringLiteral("zel_editor"), QStringLiteral("Kadry2026x"), AccountRole::Editor);
    ASSERT_NE(accountVerifier(), nullptr);
    EXPECT_EQ(accountVerifier()(db(), QStringLiteral("zel_editor"), QStringLiteral("Kadry2026x"))->role,
              AccountRole::Editor);
    EXPECT_FALSE(accountVerifier()(db(), QStringLiteral("zel_editor"), QStringLiteral("wrong")));
}

TEST_F(AccountsTest, RoleNamesRoundTrip)
{
    for (AccountRole role : {AccountRole::Bootstrap, AccountRole::Editor, AccountRole::ReadOnly, AccountRole::Administrator})
        EXPECT_EQ(DatabaseAccounts::parseRole(DatabaseAccounts::roleName(role)), role);
    EXPECT_FALSE(DatabaseAccounts::parseRole(QStringLiteral("root")));
}

TEST_F(AccountsTest, ClerksKeepOnlyAVerifierOfTheHash)
{
    Clerk clerk;
    clerk.login = QStringLiteral("ivanova");
    clerk.databaseLogin = QStringLiteral("zel_editor");
    ClerkAccounts::set(db(), clerk, QStringLiteral("пароль1"), QStringLiteral("Kadry2026x"));
    const auto stored = ClerkAccounts::find(db(), QStringLiteral("Ivanova"));
    ASSERT_TRUE(stored);
    EXPECT_TRUE(ClerkAccounts::hashMatches(*stored, zel::passwordHash(QStringLiteral("пароль1"))));
    EXPECT_TRUE(ClerkAccounts::hashMatches(*stored, zel::passwordHash(QStringLiteral("пароль1")).toLower()));
    EXPECT_FALSE(ClerkAccounts::hashMatches(*stored, zel::passwordHash(QStringLiteral("пароль2"))));
    EXPECT_FALSE(ClerkAccounts::hashMatches(*stored, QStringLiteral("not a hash")));
    EXPECT_NE(stored->verifier.verifier, zel::passwordHash(QStringLiteral("пароль1")).toLatin1());
    EXPECT_NE(stored->clerk.databasePasswordShifted, QStringLiteral("Kadry2026x"));
}

TEST(ClerkAccounts, PasswordStateFollowsFlagAndExpiry)
{
    const QDate today(2026, 12, 9);
    Clerk clerk;
    EXPECT_EQ(ClerkAccounts::passwordState(clerk, today), ClerkAccounts::kStateNoExpiry);
    clerk.passwordExpires = today.addDays(19);
    EXPECT_EQ(ClerkAccounts::passwordState(clerk, today), 19);
    clerk.passwordExpires = today.addDays(5000);
    EXPECT_EQ(ClerkAccounts::passwordState(clerk, today), ClerkAccounts::kStateNoExpiry);
    clerk.passwordExpires = today.addDays(-1);
    EXPECT_LT(ClerkAccounts::passwordState(clerk, today), 0);
    clerk.passwordExpires = today.addDays(100);
    clerk.mustChange = true;
    EXPECT_LT(ClerkAccounts::passwordState(clerk, today), 0);
}

TEST_F(AccountsTest, CheaperVerifiersStillSignInAndAreRaisedToTheCurrentCost)
{
    const int current = PasswordVerifier::iterationsForNewVerifiers();
    ASSERT_GT(current, 2);
    DatabaseAccounts::set(db(), QStringLiteral("zel_editor"), QStringLiteral("Kadry2026x"), AccountRole::Editor);
    Clerk clerk;
    clerk.login = QStringLiteral("ivanova");
    clerk.databaseLogin = QStringLiteral("zel_editor");
    ClerkAccounts::set(db(), clerk, QStringLiteral("ivanova1"), QStringLiteral("Kadry2026x"));

    // Verifiers written by an older release, at a lower cost.
    const PasswordVerifier::Stored oldAccount = PasswordVerifier::create("Kadry2026x", current / 2);
    const PasswordVerifier::Stored oldClerk = PasswordVerifier::create(zel::passwordHash(QStringLiteral("ivanova1")).toLatin1(), current / 2);
    for (const auto& [table, stored] : {std::pair{"zel_logins", oldAccount}, std::pair{"zel_users", oldClerk}}) {
        schema::SqliteStatement update(db(), QStringLiteral("UPDATE %1 SET salt = ?1, verifier = ?2, iterations = ?3")
                                                 .arg(QLatin1String(table)));
        update.bind(1, stored.salt);
        update.bind(2, stored.verifier);
        update.bind(3, stored.iterations);
        update.run();
    }
    auto iterationsOf = [&](const char* table) {
        schema::SqliteStatement select(db(), QStringLiteral("SELECT iterations FROM %1").arg(QLatin1String(table)));
        return select.step() ? select.integer(0) : -1;
    };

    // A wrong password upgrades nothing.
    EXPECT_FALSE(DatabaseAccounts::verify(db(), QStringLiteral("zel_editor"), QStringLiteral("wrong")));
    EXPECT_FALSE(ClerkAccounts::verify(db(), QStringLiteral("ivanova"), zel::passwordHash(QStringLiteral("wrong"))));
    EXPECT_EQ(iterationsOf("zel_logins"), current / 2);
    EXPECT_EQ(iterationsOf("zel_users"), current / 2);

    ASSERT_TRUE(DatabaseAccounts::verify(db(), QStringLiteral("zel_editor"), QStringLiteral("Kadry2026x")));
    ASSERT_TRUE(ClerkAccounts::verify(db(), QStringLiteral("ivanova"), zel::passwordHash(QStringLiteral("ivanova1"))));
    EXPECT_EQ(iterationsOf("zel_logins"), current);
    EXPECT_EQ(iterationsOf("zel_users"), current);
    // The new verifiers check the same passwords.
    EXPECT_TRUE(DatabaseAccounts::verify(db(), QStringLiteral("zel_editor"), QStringLiteral("Kadry2026x")));
    EXPECT_TRUE(ClerkAccounts::verify(db(), QStringLiteral("ivanova"), zel::passwordHash(QStringLiteral("ivanova1"))));
    EXPECT_FALSE(DatabaseAccounts::verify(db(), QStringLiteral("zel_editor"), QStringLiteral("kadry2026x")));
}

TEST_F(AccountsTest, PasswordsOfExistingAccountsCanBeReplaced)
{
    DatabaseAccounts::set(db(), QStringLiteral("zel_editor"), QStringLiteral("Kadry2026x"), AccountRole::Editor);
    Clerk clerk;
    clerk.login = QStringLiteral("ivanova");
    clerk.databaseLogin = QStringLiteral("zel_editor");
    ClerkAccounts::set(db(), clerk, QStringLiteral("ivanova1"), QStringLiteral("Kadry2026x"));

    EXPECT_TRUE(DatabaseAccounts::setPassword(db(), QStringLiteral("zel_editor"), QStringLiteral("Новый-2027")));
    EXPECT_FALSE(DatabaseAccounts::verify(db(), QStringLiteral("zel_editor"), QStringLiteral("Kadry2026x")));
    EXPECT_EQ(DatabaseAccounts::verify(db(), QStringLiteral("zel_editor"), QStringLiteral("Новый-2027"))->role,
              AccountRole::Editor);
    EXPECT_FALSE(DatabaseAccounts::setPassword(db(), QStringLiteral("nobody"), QStringLiteral("x")));

    EXPECT_TRUE(ClerkAccounts::setPassword(db(), QStringLiteral("ivanova"), QStringLiteral("ivanova2"), true));
    EXPECT_FALSE(ClerkAccounts::verify(db(), QStringLiteral("ivanova"), zel::passwordHash(QStringLiteral("ivanova1"))));
    const auto changed = ClerkAccounts::verify(db(), QStringLiteral("ivanova"), zel::passwordHash(QStringLiteral("ivanova2")));
    ASSERT_TRUE(changed);
    EXPECT_TRUE(changed->clerk.mustChange);
    EXPECT_FALSE(ClerkAccounts::setPassword(db(), QStringLiteral("nobody"), QStringLiteral("x"), false));
}
