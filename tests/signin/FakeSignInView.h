#pragma once

#include "signin/SignInView.h"

namespace zel::testing {

// The sign-in window as the controller sees it: boxes, label, mode and toggle as plain values.
class FakeView : public SignInView {
public:
    QString login = QStringLiteral("ivanova"), password = QStringLiteral("secret"), newPassword, confirmation;
    QString label;
    bool mode = false, toggleEnabled = true, accepted = false;

    QString loginText() const override { return login; }
    QString passwordText() const override { return password; }
    QString newPasswordText() const override { return newPassword; }
    QString confirmationText() const override { return confirmation; }
    void clearNewPasswordBoxes() override { newPassword.clear(), confirmation.clear(); }
    void setMessage(const QString& text) override { label = text; }
    QString message() const override { return label; }
    bool newPasswordMode() const override { return mode; }
    void toggleNewPasswordMode() override { mode = !mode; }
    void disableNewPasswordToggle() override { toggleEnabled = false; }
    void acceptSignIn() override { accepted = true; }
    void startSelfUpdate(const QString& server) override { updateServer = server, selfUpdate = true; }
    QString updateServer;
    bool selfUpdate = false;
};

}  // namespace zel::testing
