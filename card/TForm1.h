#pragma once

#include <QDialog>
#include <QMainWindow>

#include <functional>
#include <memory>

namespace zel {

/// The employee card window, the program's main window. Its creation runs the
/// sign-in: the window exists even when the sign-in is cancelled, but it is
/// shown only after a successful one.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    using SignInFactory = std::function<std::unique_ptr<QDialog>()>;

    explicit TForm1(const SignInFactory& createSignInWindow, QWidget* parent = nullptr);

private:
    void FormCreate(const SignInFactory& createSignInWindow);
};

}  // namespace zel
