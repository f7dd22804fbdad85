#pragma once

#include <QString>

class QWidget;

namespace zel::ui {

/// Enter-key navigation between the data controls of a window. A control in a
/// chain keeps the object name of its successor (never shown to the user) and
/// reacts to Enter by moving the focus there, provided a widget of that name
/// exists in the control's window, is enabled, visible (not on a hidden tab)
/// and takes the focus. Otherwise Enter does nothing. Either way the key is
/// consumed, so it does not also press a default button.
class EnterChain {
public:
    /// Puts control into a chain; an empty name makes Enter a no-op on it.
    static void setSuccessor(QWidget* control, const QString& successorName);
    /// The successor name stored on control; empty when none.
    static QString successor(const QWidget* control);
    /// True when control reacts to Enter.
    static bool isInChain(const QWidget* control);

    /// What Enter on control does; returns the widget that received the focus,
    /// or nullptr when nothing happened.
    static QWidget* advance(QWidget* control);
};

}  // namespace zel::ui
