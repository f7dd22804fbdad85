#pragma once

#include "SelfUpdate.h"
#include "SignInView.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zel {

class SignInBackend;
class SignInController;
class SignInPicture;

/// The sign-in window: borderless, centred, 497 x 275 (416 with the new-
/// password boxes). Ends accepted only through a successful sign-in; the exit
/// area requests termination of the program.
class TForm8 : public QDialog, public SignInView {
    Q_OBJECT
public:
    /// backend is not owned and must outlive the window.
    explicit TForm8(SignInBackend& backend, QWidget* parent = nullptr);
    ~TForm8() override;

    QLineEdit* Login_Edit;
    QLineEdit* Password_Edit;
    QLineEdit* Edit1;  ///< new password
    QLineEdit* Edit2;  ///< confirmation
    QLabel* RzLabel1;  ///< message label
    QLabel* Label1;    ///< version label
    QPushButton* SignInArea;
    QPushButton* ExitArea;
    QPushButton* NewPasswordToggle;

    const SignInController& controller() const { return *m_controller; }

    /// "V.2   [ <build timestamp> ]"
    static QString versionText();

    // SignInView
    QString loginText() const override;
    QString passwordText() const override;
    QString newPasswordText() const override;
    QString confirmationText() const override;
    void clearNewPasswordBoxes() override;
    void setMessage(const QString& text) override;
    QString message() const override;
    bool newPasswordMode() const override { return m_newPasswordMode; }
    void toggleNewPasswordMode() override;
    void disableNewPasswordToggle() override;
    void acceptSignIn() override;
    void startSelfUpdate(const QString& updateServer) override;

    /// What the self-update replaces and waits for; empty values mean this program
    /// (tests point it elsewhere). The update server comes from the sign-in.
    SelfUpdate::Settings updateSettings;

    /// The update running from this window, if any.
    class SelfUpdate* selfUpdate() const { return m_selfUpdate; }
    /// The update has started (the program is ending): sign-in actions are ignored.
    bool updating() const { return m_updating; }

public slots:
    void SignInAction();
    void ExitAction();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    /// Escape does not end the window: only the exit area, a termination request
    /// or the window system do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* makeBox(const QRect& geometry, bool masked);
    QPushButton* makeArea(const QRect& geometry);

    std::unique_ptr<SignInController> m_controller;
    SignInPicture* m_upper;
    SignInPicture* m_lower;
    bool m_newPasswordMode = false;
    class SelfUpdate* m_selfUpdate = nullptr;
    bool m_updating = false;
};

}  // namespace zel
