#pragma once

#include <QString>

namespace zel {

/// The parts of the sign-in window that the sign-in logic reads and changes.
class SignInView {
public:
    virtual ~SignInView() = default;

    virtual QString loginText() const = 0;
    virtual QString passwordText() const = 0;
    virtual QString newPasswordText() const = 0;
    virtual QString confirmationText() const = 0;
    virtual void clearNewPasswordBoxes() = 0;

    virtual void setMessage(const QString& text) = 0;
    virtual QString message() const = 0;

    virtual bool newPasswordMode() const = 0;
    /// Switches new-password mode and the window height (416 on, 275 off).
    virtual void toggleNewPasswordMode() = 0;
    virtual void disableNewPasswordToggle() = 0;

    /// Closes the window as accepted.
    virtual void acceptSignIn() = 0;

    /// Replaces the program with the one on the update server (scheme, host
    /// and port); the program then ends. Throws zel::Error when the update
    /// cannot be prepared.
    virtual void startSelfUpdate(const QString& updateServer) = 0;
};

}  // namespace zel
