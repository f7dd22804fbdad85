#include "DemoDatabaseFixture.h"

#include "data/CharacterShift.h"
#include "data/PasswordHash.h"
#include "server/accounts/PasswordVerifier.h"

using zel::DbError;
using zel::db::RowSet;

namespace {
// The nine arguments exactly as the sign-in window sends them.
QVariantList signIn(const QString& login, const QString& password, const QString& newPassword = {})
{
    const QVariant third = newPassword.isEmpty() ? QVariant() : QVariant(zel::passwordHash(newPassword));
    return {login, zel::passwordHash(password), third, QStringLiteral("ZEL 4"), QStringLiteral("10.0.0.7"),
            QStringLiteral("PC12"), login, QStringLiteral("0"),
            newPassword.isEmpty() ? QStringLiteral("4") : QStringLiteral("34")};
}
}  // namespace

class GetUserTest : public DemoDatabaseFixture {};

TEST_F(GetUserTest, AcceptedUserGetsShiftedDatabaseAccountAndVersion)
{
    const RowSet rows = call(QStringLiteral("GET_USER"), signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1")));
    ASSERT_EQ(rows.rowCount(), 1);
    ASSERT_EQ(rows.columnCount(), 6);
    EXPECT_EQ(zel::shift::decodeText(rows.text(0, 0)), QStringLiteral("zel_editor"));
    EXPECT_EQ(zel::shift::decodeText(rows.text(0, 1)), QStringLiteral("Kadry2026x"));
    EXPECT_NE(rows.text(0, 0), QStringLiteral("zel_editor"));  // really shifted
    EXPECT_GE(rows.integer(0, 3), 20);
    EXPECT_TRUE(rows.text(0, 4).isEmpty());
    EXPECT_EQ(rows.integer(0, 5), 2);
    EXPECT_FALSE(text("SELECT last_workstation FROM zel_users WHERE login = 'ivanova'").isEmpty());
}

TEST_F(GetUserTest, LoginMatchesWithoutCaseAndHashInAnyCase)
{
    QVariantList args = signIn(QStringLiteral("IVANOVA"), QStringLiteral("ivanova1"));
    args[1] = args[1].toString().toLower();
    const RowSet rows = call(QStringLiteral("get_user"), args);
    EXPECT_EQ(zel::shift::decodeText(rows.text(0, 0)), QStringLiteral("zel_editor"));
}

TEST_F(GetUserTest, WrongPasswordAndUnknownLoginRaiseTheSameError)
{
    QString wrongPassword;
    QString unknownLogin;
    try {
        call(QStringLiteral("GET_USER"), signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova2")));
        FAIL() << "wrong password accepted";
    } catch (const DbError& e) {
        wrongPassword = e.message();
    }
    try {
        call(QStringLiteral("GET_USER"), signIn(QStringLiteral("nobody"), QStringLiteral("ivanova1")));
        FAIL() << "unknown login accepted";
    } catch (const DbError& e) {
        unknownLogin = e.message();
    }
    EXPECT_FALSE(wrongPassword.isEmpty());
    EXPECT_EQ(wrongPassword, unknownLogin);
    // A login with a quote is just an unknown login, not a broken statement.
    EXPECT_THROW(call(QStringLiteral("GET_USER"), signIn(QStringLiteral("o'brien"), QStringLiteral("x"))), DbError);
}

TEST_F(GetUserTest, MustChangeWithholdsAccountUntilNewPasswordIsSet)
{
    RowSet rows = call(QStringLiteral("GET_USER"), signIn(QStringLiteral("sidorova"), QStringLiteral("sidorova1")));
    EXPECT_LT(rows.integer(0, 3), 0);
    EXPECT_TRUE(rows.text(0, 0).isEmpty());
    EXPECT_TRUE(rows.text(0, 4).isEmpty());

    // The same password as the new one is refused.
    EXPECT_THROW(call(QStringLiteral("GET_USER"),
                      signIn(QStringLiteral("sidorova"), QStringLiteral("sidorova1"), QStringLiteral("sidorova1"))),
                 DbError);

    rows = call(QStringLiteral("GET_USER"),
                signIn(QStringLiteral("sidorova"), QStringLiteral("sidorova1"), QStringLiteral("Novyi_2027")));
    EXPECT_GE(rows.integer(0, 3), 20);
    EXPECT_EQ(zel::shift::decodeText(rows.text(0, 0)), QStringLiteral("zel_editor"));

    EXPECT_THROW(call(QStringLiteral("GET_USER"), signIn(QStringLiteral("sidorova"), QStringLiteral("sidorova1"))),
                 DbError);
    rows = call(QStringLiteral("GET_USER"), signIn(QStringLiteral("sidorova"), QStringLiteral("Novyi_2027")));
    EXPECT_GE(rows.integer(0, 3), 20);
}

TEST_F(GetUserTest, ExpiringPasswordIsOfferedForChangeWithAccountPresent)
{
    const RowSet rows = call(QStringLiteral("GET_USER"), signIn(QStringLiteral("smirnov"), QStringLiteral("smirnov1")));
    EXPECT_GE(rows.integer(0, 3), 0);
    EXPECT_LT(rows.integer(0, 3), 20);
    EXPECT_FALSE(rows.text(0, 0).isEmpty());
}

TEST_F(GetUserTest, RefusedUserGetsMessageAndNoPasswordChange)
{
    const RowSet rows = call(QStringLiteral("GET_USER"),
                             signIn(QStringLiteral("kuznetsov"), QStringLiteral("kuznetsov1"), QStringLiteral("Other_pass1")));
    EXPECT_FALSE(rows.text(0, 4).isEmpty());
    EXPECT_TRUE(rows.text(0, 0).isEmpty());
    // The old password still works: a refused user cannot change it.
    EXPECT_NO_THROW(call(QStringLiteral("GET_USER"), signIn(QStringLiteral("kuznetsov"), QStringLiteral("kuznetsov1"))));
}

TEST_F(GetUserTest, ReportsTheServersProgramVersion)
{
    exec(QStringLiteral("UPDATE zel_settings SET value = '3' WHERE name = 'program_version'"));
    const RowSet rows = call(QStringLiteral("GET_USER"), signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1")));
    EXPECT_EQ(rows.integer(0, 5), 3);
}

TEST_F(GetUserTest, OnlyGetUserIsOpenToTheBootstrapAccount)
{
    EXPECT_TRUE(zel::server::findProcedure(QStringLiteral("GET_USER"))->bootstrapAllowed);
    for (const char* name : {"CopyDataFromTeacher", "DeleteTeacher", "DeleteTeacher2", "Update_Family_Staus",
                             "Ab_RepublicProcSchool", "ab_VillageProcSchool"}) {
        const auto info = zel::server::findProcedure(QString::fromLatin1(name));
        ASSERT_TRUE(info) << name;
        EXPECT_FALSE(info->bootstrapAllowed) << name;
    }
}

TEST_F(GetUserTest, UnknownLoginNullAndMalformedDigestCostAsMuchAsAWrongPassword)
{
    // Each refusal must derive exactly one verifier, as a wrong password does,
    // so that the delay of the answer does not reveal which logins exist.
    auto derivationsFor = [](const QVariantList& args) {
        const quint64 before = zel::server::PasswordVerifier::derivations();
        EXPECT_THROW(call(QStringLiteral("GET_USER"), args), DbError);
        return zel::server::PasswordVerifier::derivations() - before;
    };
    const quint64 wrongPassword = derivationsFor(signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova2")));
    EXPECT_EQ(wrongPassword, 1u);
    EXPECT_EQ(derivationsFor(signIn(QStringLiteral("nobody"), QStringLiteral("ivanova1"))), wrongPassword);

    QVariantList nullPassword = signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1"));
    nullPassword[1] = QVariant();
    EXPECT_EQ(derivationsFor(nullPassword), wrongPassword);

    QVariantList shortDigest = signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1"));
    shortDigest[1] = shortDigest[1].toString().left(31);
    EXPECT_EQ(derivationsFor(shortDigest), wrongPassword);
}

TEST_F(GetUserTest, NullPasswordNeitherSignsInNorChangesThePassword)
{
    QVariantList args = signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1"), QStringLiteral("Takeover_1"));
    args[1] = QVariant();
    EXPECT_THROW(call(QStringLiteral("GET_USER"), args), DbError);
    // The old password still signs in; the one an intruder tried to set does not.
    EXPECT_NO_THROW(call(QStringLiteral("GET_USER"), signIn(QStringLiteral("ivanova"), QStringLiteral("ivanova1"))));
    EXPECT_THROW(call(QStringLiteral("GET_USER"), signIn(QStringLiteral("ivanova"), QStringLiteral("Takeover_1"))),
                 DbError);
}
