// The order of the server's decisions in a sign-in attempt, at their edges, and
// credentials that cannot be decoded.
#include "signin/ConnectionString.h"
#include "signin/SignInController.h"
#include "tests/signin/SignInControllerTest.h"

#include <gtest/gtest.h>

using namespace zel;
using zel::testing::FakeBackend;
using zel::testing::FakeView;

namespace {

struct Decision : zel::testing::SignInControllerTest {
    // "trdq"/"qv" decode to "user"/"rw".
    void answer(int state, const QString& message = QString(), const QString& login = QStringLiteral("trdq"))
    {
        backend.answer(login, QStringLiteral("qv"), state, message, 2);
    }
};

}  // namespace

TEST_F(Decision, StateTwentySignsInAtTheFirstAction)
{
    answer(20);
    controller.SignInAction();
    EXPECT_TRUE(view.accepted);
    EXPECT_FALSE(view.mode);
    EXPECT_TRUE(view.label.isEmpty());
}

TEST_F(Decision, StateNineteenWithAnEmptyDatabaseLoginAsksNothing)
{
    answer(19, QString(), QString());
    controller.SignInAction();
    EXPECT_NE(view.label, signin_text::kMustChange);
    EXPECT_FALSE(view.mode);
    EXPECT_TRUE(view.accepted);
}

TEST_F(Decision, AServerMessageComesBeforeAnyPasswordChange)
{
    for (const int state : {-1, 19}) {
        FakeView v;
        FakeBackend b;
        b.answer(QStringLiteral("trdq"), QStringLiteral("qv"), state, QStringLiteral("Доступ закрыт до понедельника"), 2);
        SignInController c(v, b);
        c.SignInAction();
        EXPECT_EQ(v.label, QStringLiteral("Доступ закрыт до понедельника")) << state;
        EXPECT_FALSE(v.mode) << state;
        EXPECT_TRUE(v.toggleEnabled) << state;
        EXPECT_FALSE(v.accepted) << state;
        // The connection stays open after a server message.
        EXPECT_TRUE(b.connected) << state;
        EXPECT_FALSE(b.calls.contains(QStringLiteral("close"))) << state;
    }
}

TEST_F(Decision, ALocalRefusalCountsAsTheFirstAction)
{
    answer(19);
    view.mode = true;
    view.newPassword = QStringLiteral("abcdef");
    view.confirmation = QStringLiteral("abcdeg");
    controller.SignInAction();
    EXPECT_EQ(view.label, signin_text::kMismatch);
    EXPECT_TRUE(backend.statements.isEmpty());

    // Back in normal mode the second action is no longer the first: no change is asked.
    view.toggleNewPasswordMode();
    controller.SignInAction();
    EXPECT_EQ(controller.attemptCount(), 2);
    EXPECT_TRUE(view.accepted);
}

TEST_F(Decision, AForcedChangeClosesTheConnection)
{
    answer(-1);
    controller.SignInAction();
    EXPECT_FALSE(backend.connected);
    ASSERT_FALSE(backend.calls.isEmpty());
    EXPECT_EQ(backend.calls.last(), QStringLiteral("close"));
    EXPECT_EQ(backend.connectionStrings.size(), 1);
}

TEST_F(Decision, TheMainWindowFlagIsSetBeforeTheDatasetsOpen)
{
    answer(25);
    backend.datasetFailure = QStringLiteral("Нет доступа к таблице Educ");
    controller.SignInAction();
    const qsizetype flag = backend.calls.indexOf(QStringLiteral("signed in"));
    const qsizetype datasets = backend.calls.indexOf(QStringLiteral("datasets"));
    ASSERT_GE(flag, 0);
    EXPECT_LT(flag, datasets);
    EXPECT_FALSE(view.accepted);
}

TEST_F(Decision, AMissingRowIsReportedInRussian)
{
    backend.row.clear();
    controller.SignInAction();
    EXPECT_EQ(backend.errors, QStringList{QStringLiteral("Процедура GET_USER не вернула ни одной строки.")});
    EXPECT_EQ(view.label, signin_text::kWrongLogin);
    backend.errors.clear();
    backend.row = {QStringLiteral("trdq"), QStringLiteral("qv"), QVariant(), 25};
    controller.SignInAction();
    EXPECT_EQ(backend.errors, QStringList{QStringLiteral("Процедура GET_USER вернула меньше шести столбцов.")});
}

TEST_F(Decision, CredentialsThatDoNotDecodeFailTheAttemptAndCloseTheConnection)
{
    // A character outside Windows-1251, and one whose shifted byte 0x98 has no character.
    const QString undecodable[][2] = {
        {QStringLiteral("tr\u2713dq"), QStringLiteral("qv")},
        {QStringLiteral("trdq"), QStringLiteral("q\u2014v")},
    };
    for (const auto& pair : undecodable) {
        FakeView v;
        FakeBackend b;
        b.answer(pair[0], pair[1], 25, QString(), 2);
        SignInController c(v, b);
        EXPECT_NO_THROW(c.SignInAction());
        EXPECT_FALSE(v.accepted);
        EXPECT_FALSE(b.connected);
        ASSERT_EQ(b.errors.size(), 1);
        EXPECT_TRUE(b.errors.first().startsWith(
            QStringLiteral("Учётная запись базы данных, полученная от сервера, не читается: ")))
            << b.errors.first().toStdString();
        EXPECT_TRUE(b.errors.first().contains(QStringLiteral("Windows-1251")));
        // Never a connection string with a stand-in character.
        EXPECT_EQ(b.connectionStrings.size(), 1);
        EXPECT_FALSE(b.calls.contains(QStringLiteral("signed in")));
    }
}
