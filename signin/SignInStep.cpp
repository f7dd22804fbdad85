#include "SignInStep.h"

#include "ZelApplication.h"

#include <QPointer>

namespace zel {

namespace {
QPointer<QDialog> g_signInWindow;
}

QDialog* signInWindow()
{
    return g_signInWindow.data();
}

bool runSignIn(ZelApplication& app, const std::function<std::unique_ptr<QDialog>()>& createSignInWindow,
               const std::function<void()>& onAccepted)
{
    std::unique_ptr<QDialog> window = createSignInWindow();
    g_signInWindow = window.get();
    // A termination requested while the window is up (its exit control, the
    // self-update) also ends the modal loop: that is a cancelled sign-in.
    const bool accepted = !app.Terminated() && window->exec() == QDialog::Accepted && !app.Terminated();
    if (!accepted)
        app.Terminate();
    else if (onAccepted)
        onAccepted();
    window.reset();
    g_signInWindow = nullptr;
    return accepted;
}

}  // namespace zel
