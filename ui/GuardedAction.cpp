#include "ui/GuardedAction.h"

#include "ui/MessageBoxes.h"

#include <exception>

namespace zel::ui {

bool runGuarded(QWidget* parent, const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const std::exception& failure) {
        MessageBoxes::showException(parent, failure);
    }
    return false;
}

}  // namespace zel::ui
