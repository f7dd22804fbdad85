#include "signin/BuildInfo.h"
#include "signin/ConnectionString.h"
#include "signin/SignInBackend.h"
#include "signin/SignInController.h"
#include "signin/SignInView.h"
#include "tests/signin/SignInControllerTest.h"

#include "data/CharacterShift.h"
#include "data/DbError.h"
#include "data/PasswordHash.h"

#include <gtest/gtest.h>

using namespace zel;
using zel::testing::FakeBackend;
using zel::testing::FakeView;

namespace {

struct SignIn : zel::testing::SignInControllerTest {};

}  // namespace

TEST_F(SignIn, GetUserTextWithoutNewPassword)
{
    controller.SignInAction();
    ASSERT_FALSE(backend.statements.isEmpty());
    EXPECT_EQ(backend.statements.first(),
              QStringLiteral("EXEC GET_USER 'ivanova','") + passwordHash(QStringLiteral("secret"))
                  + QStringLiteral("',NULL, 'ZEL 4', '10.0.0.7', 'KADRY-01', 'ivanova','0','4'"));
}

TEST_F(SignIn, GetUserTextWithNewPasswordCarriesTheQuotedHashAndLength34)
{
    view.mode = true;
    view.newPassword = view.confirmation = QStringLiteral("abc_123");
    controller.SignInAction();
    ASSERT_FALSE(backend.statements.isEmpty());
    const QString expected = QStringLiteral("EXEC GET_USER 'ivanova','") + passwordHash(QStringLiteral("secret"))
        + QStringLiteral("','") + passwordHash(QStringLiteral("abc_123"))
        + QStringLiteral("', 'ZEL 4', '10.0.0.7', 'KADRY-01', 'ivanova','0','34'");
    EXPECT_EQ(backend.statements.first(), expected);
}

TEST_F(SignIn, ApostropheInTheLoginStaysInsideItsLiteral)
{
    view.login = QStringLiteral("o'hara'; DROP TABLE TEACHER--");
    controller.SignInAction();
    ASSERT_FALSE(backend.statements.isEmpty());
    EXPECT_TRUE(backend.statements.first().startsWith(
        QStringLiteral("EXEC GET_USER 'o''hara''; DROP TABLE TEACHER--','")));
    EXPECT_TRUE(backend.statements.first().contains(QStringLiteral(", 'o''hara''; DROP TABLE TEACHER--','0','4'")));
    // The login kept for the program is the text as typed.
    EXPECT_EQ(backend.signedLogin, view.login);
}

TEST_F(SignIn, AcceptedAttemptReconnectsWithTheDecodedAccountAndSetsTheDateFormat)
{
    controller.SignInAction();
    EXPECT_TRUE(view.accepted);
    ASSERT_EQ(backend.connectionStrings.size(), 2);
    EXPECT_EQ(backend.connectionStrings[0], buildConnectionString(backend.bootstrapInfo));
    // "trdq"/"qv" are "user"/"rw" shifted down by one.
    EXPECT_EQ(backend.connectionStrings[1].toStdString(),
              buildConnectionString(QStringLiteral("user"), QStringLiteral("rw"), QStringLiteral("ZEL"),
                                    QStringLiteral("demo.db")).toStdString());
    EXPECT_EQ(backend.signedLogin, QStringLiteral("ivanova"));
    EXPECT_EQ(backend.signedPassword, QStringLiteral("secret"));
    EXPECT_EQ(backend.statements.last(), QStringLiteral("SET DATEFORMAT dmy"));
    EXPECT_EQ(backend.calls, (QStringList{QStringLiteral("read bootstrap"), QStringLiteral("open"),
                                          QStringLiteral("close"), QStringLiteral("open"),
                                          QStringLiteral("signed in"), QStringLiteral("datasets")}));
}

TEST_F(SignIn, StateBelow20AsksForAChangeAtTheFirstActionOnly)
{
    backend.answer(QStringLiteral("trdq"), QStringLiteral("qv"), 19, QString(), 2);
    controller.SignInAction();
    EXPECT_FALSE(view.accepted);
    EXPECT_EQ(view.label, signin_text::kMustChange);
    EXPECT_TRUE(view.mode);
    EXPECT_TRUE(view.toggleEnabled);
    EXPECT_FALSE(backend.connected);

    // The user switches back and signs in unchanged.
    view.toggleNewPasswordMode();
    controller.SignInAction();
    EXPECT_TRUE(view.accepted);
    EXPECT_EQ(controller.attemptCount(), 2);
}

TEST_F(SignIn, NegativeStateAsksAtEveryActionAndDisablesTheToggle)
{
    backend.answer(QStringLiteral("trdq"), QStringLiteral("qv"), -1, QString(), 2);
    controller.SignInAction();
    EXPECT_EQ(view.label, signin_text::kMustChange);
    EXPECT_FALSE(view.toggleEnabled);
    EXPECT_TRUE(view.mode);

    view.newPassword = view.confirmation = QStringLiteral("newpass1");
    controller.SignInAction();
    EXPECT_FALSE(view.accepted);
    EXPECT_EQ(view.label, signin_text::kMustChange);
    // Toggled back off by the second refusal; the window shows it as asked.
    EXPECT_FALSE(view.mode);
}

TEST_F(SignIn, LocalChecksOfTheNewPassword)
{
    view.mode = true;
    view.newPassword = QStringLiteral("abc");
    view.confirmation = QStringLiteral("abd");
    controller.SignInAction();
    EXPECT_EQ(view.label, signin_text::kMismatch);  // mismatch wins over length
    EXPECT_TRUE(view.newPassword.isEmpty());
    EXPECT_TRUE(view.confirmation.isEmpty());

    view.newPassword = view.confirmation = QStringLiteral("abcde");
    controller.SignInAction();
    EXPECT_EQ(view.label, signin_text::kTooShort);
    EXPECT_TRUE(view.newPassword.isEmpty() && view.confirmation.isEmpty());

    view.newPassword = QStringLiteral("Abcdef");
    view.confirmation = QStringLiteral("abcdef");  // letter case counts
    controller.SignInAction();
    EXPECT_EQ(view.label, signin_text::kMismatch);

    EXPECT_TRUE(backend.statements.isEmpty());  // none reached the server
    EXPECT_EQ(controller.attemptCount(), 3);

    view.newPassword = view.confirmation = QStringLiteral("abcdef");
    controller.SignInAction();
    EXPECT_TRUE(view.accepted);
}

TEST_F(SignIn, ServerMessageRefusesAndKeepsTheConnection)
{
    backend.answer(QStringLiteral("trdq"), QStringLiteral("qv"), 25, QStringLiteral("Учетная запись заблокирована"), 2);
    controller.SignInAction();
    EXPECT_EQ(view.label, QStringLiteral("Учетная запись заблокирована"));
    EXPECT_FALSE(view.accepted);
    EXPECT_TRUE(backend.connected);
}

TEST_F(SignIn, NewerServerVersionStartsTheSelfUpdate)
{
    backend.answer(QStringLiteral("trdq"), QStringLiteral("qv"), 25, QStringLiteral("ignored"), 3);
    backend.row[2] = QStringLiteral("http://updates.local:8080");
    controller.SignInAction();
    EXPECT_TRUE(view.selfUpdate);
    EXPECT_EQ(view.updateServer, QStringLiteral("http://updates.local:8080"));
    EXPECT_FALSE(view.accepted);
    EXPECT_TRUE(view.label.isEmpty());

    // Version 2 is the program's own: no update.
    FakeView current;
    FakeBackend same;
    SignInController{current, same}.SignInAction();
    EXPECT_FALSE(current.selfUpdate);
    EXPECT_TRUE(current.accepted);
}

TEST_F(SignIn, FailedBootstrapConnectionShowsTheErrorWithoutTheLogin)
{
    backend.bootstrapFailure = QStringLiteral("Login failed for user 'zel_boot'.");
    controller.SignInAction();
    EXPECT_EQ(view.label, QStringLiteral("Login failed for user ''."));
    EXPECT_TRUE(backend.statements.isEmpty());
    EXPECT_FALSE(view.accepted);
}

TEST_F(SignIn, GetUserErrorShowsTheTextAndTheWrongLoginMessage)
{
    backend.getUserFailure = QStringLiteral("Could not find stored procedure 'GET_USER'.");
    controller.SignInAction();
    EXPECT_EQ(backend.errors, QStringList{backend.getUserFailure});
    EXPECT_EQ(view.label, signin_text::kWrongLogin);
    EXPECT_FALSE(backend.connected);
}

TEST_F(SignIn, ShortRowIsAnErrorLikeAServerRefusal)
{
    backend.row = {QStringLiteral("trdq"), QStringLiteral("qv")};
    controller.SignInAction();
    EXPECT_EQ(backend.errors.size(), 1);
    EXPECT_EQ(view.label, signin_text::kWrongLogin);
    EXPECT_FALSE(view.accepted);
}

TEST_F(SignIn, DatasetFailureAfterReconnectionEmptiesTheLabel)
{
    view.label = QStringLiteral("old text");
    backend.datasetFailure = QStringLiteral("Invalid object name 'Edu'.");
    controller.SignInAction();
    EXPECT_EQ(backend.errors, QStringList{backend.datasetFailure});
    EXPECT_TRUE(view.label.isEmpty());
    EXPECT_FALSE(backend.connected);
    EXPECT_FALSE(view.accepted);
}

TEST_F(SignIn, MissingBootstrapFileLeavesTheLabelAndPropagates)
{
    view.label = QStringLiteral("previous");
    backend.bootstrapMissing = true;
    EXPECT_THROW(controller.SignInAction(), IoError);
    EXPECT_EQ(view.label, QStringLiteral("previous"));
}

TEST_F(SignIn, CaptionIsComposedFromTheFixedBaseAtEveryAttempt)
{
    backend.getUserFailure = QStringLiteral("wrong");
    controller.SignInAction();
    controller.SignInAction();
    controller.SignInAction();
    backend.getUserFailure.clear();
    controller.SignInAction();
    ASSERT_EQ(backend.captions.size(), 4);
    const QString expected = program::title() + QStringLiteral(" V2 [ ") + program::buildTimestampText()
        + QStringLiteral(" ] - Учебное управление");
    for (const QString& caption : backend.captions)
        EXPECT_EQ(caption, expected);
    EXPECT_TRUE(view.accepted);
}
