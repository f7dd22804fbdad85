#pragma once

#include "BootstrapSettings.h"

#include <QString>

namespace zel {

class SignInBackend;
class SignInView;

/// The sign-in and password-change logic of the sign-in window: the local
/// checks of a new password, the GET_USER call over the bootstrap connection,
/// the server's decisions in their order, and the reconnection under the
/// user's own database account.
class SignInController {
public:
    SignInController(SignInView& view, SignInBackend& backend);

    /// The sign-in action (the "Вход" area or Enter in any box).
    void SignInAction();

    int attemptCount() const { return m_attempts; }

    /// "EXEC GET_USER ..." as sent to the server. newPasswordHash empty = none.
    /// Apostrophes in the login are doubled so that it stays one literal.
    static QString getUserStatement(const QString& login, const QString& passwordHash,
                                    const QString& newPasswordHash, const QString& ipAddress,
                                    const QString& computerName);
    /// The main window's caption composed from the fixed base.
    static QString mainCaption();

private:
    bool Attempt(const QString& newPassword);
    void AskForPasswordChange();

    SignInView& m_view;
    SignInBackend& m_backend;
    quint8 m_attempts = 0;
};

/// Message texts of the sign-in window.
namespace signin_text {
inline const QString kMismatch = QStringLiteral("Новый пароль подтвержден не верно!!!\rПодтвердите пароль заново.");
inline const QString kTooShort =
    QStringLiteral("Пароль должен состоять не менее чем из 6 символов!!!\rВведите новый пароль заново.");
inline const QString kMustChange = QStringLiteral(
    "Вы должны поменять пароль\rЭто делается для безопастности и сохранения данных от злоумышлеников");
inline const QString kWrongLogin = QStringLiteral("Неверно ввели логин или пароль.");
}  // namespace signin_text

}  // namespace zel
