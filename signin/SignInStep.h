#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace zel {

class ZelApplication;

/// The sign-in as the main window's creation runs it: creates the sign-in
/// window, keeps the program-wide reference to it while it is shown modally,
/// requests termination when it ends cancelled, and destroys it. Returns
/// whether the sign-in was accepted. onAccepted runs (before the window is
/// destroyed) only when it was.
bool runSignIn(ZelApplication& app, const std::function<std::unique_ptr<QDialog>()>& createSignInWindow,
               const std::function<void()>& onAccepted = {});

/// The sign-in window while runSignIn shows it; nullptr otherwise.
QDialog* signInWindow();

}  // namespace zel
