#include "ui/ControlCommit.h"

#include "ui/FieldDataLink.h"
#include "ui/MessageBoxes.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace zel::ui::ControlCommit {

bool onFocusLeft(QWidget* control, FieldDataLink& link)
{
    if (!link.isModified())
        return true;
    try {
        link.commit();
        return true;
    } catch (const std::exception& failure) {
        MessageBoxes::showException(control, failure);
        QPointer<QWidget> guard(control);
        QTimer::singleShot(0, control, [guard] {
            if (guard && guard->isVisible() && guard->isEnabled())
                guard->setFocus(Qt::OtherFocusReason);
        });
        return false;
    }
}

}  // namespace zel::ui::ControlCommit
