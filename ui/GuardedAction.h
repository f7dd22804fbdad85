#pragma once

#include <functional>

class QWidget;

namespace zel::ui {

/// Runs what a user's click or key started. An error leaving it ends the action
/// and is shown by the default error display (the silent abort shows nothing).
///
/// The error is caught here, at the handler, because Qt's own frames between an
/// event and its handler are built without exception support: an error unwinding
/// through them skips their clean-up and can leave Qt's input state behind.
/// Returns whether the action completed.
bool runGuarded(QWidget* parent, const std::function<void()>& action);

/// A slot for connect() that runs action through runGuarded.
inline std::function<void()> guarded(QWidget* parent, std::function<void()> action)
{
    return [parent, action = std::move(action)] { runGuarded(parent, action); };
}

}  // namespace zel::ui
