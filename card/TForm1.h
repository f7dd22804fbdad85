#pragma once

#include <QDialog>
#include <QMainWindow>

#include <functional>
#include <memory>

namespace zel {

class SignInBackend;
class TDM_PUM;

/// The employee card window, the program's main window. Its creation runs the
/// sign-in: the window exists even when the sign-in is cancelled, but it is
/// shown only after a successful one.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    using SignInFactory = std::function<std::unique_ptr<QDialog>(SignInBackend&)>;

    /// dm is not owned and outlives the window. createSignInWindow replaces
    /// the sign-in window (tests); empty = TForm8.
    explicit TForm1(TDM_PUM& dm, SignInFactory createSignInWindow = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    /// The login and password as typed at sign-in, kept for the whole run.
    QString UserLogin;
    QString UserPassword;

private:
    void FormCreate(const SignInFactory& createSignInWindow);

    TDM_PUM& m_dm;
    std::unique_ptr<SignInBackend> m_signInBackend;
};

}  // namespace zel
