#include "ui/EnterChain.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zel::ui {

namespace {

constexpr const char* successorProperty = "zelEnterSuccessor";

class EnterKeyFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto* control = qobject_cast<QWidget*>(watched);
        if (!control || !EnterChain::isInChain(control))
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // Claim the key before window shortcuts see it.
            event->accept();
            return true;
        }
        EnterChain::advance(control);
        return true;
    }
};

EnterKeyFilter* sharedFilter()
{
    static EnterKeyFilter filter;
    return &filter;
}

bool canTakeFocus(const QWidget* widget)
{
    const QWidget* target = widget->focusProxy() ? widget->focusProxy() : widget;
    return widget->isEnabled() && widget->isVisible() && target->focusPolicy() != Qt::NoFocus;
}

}  // namespace

void EnterChain::setSuccessor(QWidget* control, const QString& successorName)
{
    const bool wasInChain = isInChain(control);
    control->setProperty(successorProperty, successorName);
    if (!wasInChain)
        control->installEventFilter(sharedFilter());
}

QString EnterChain::successor(const QWidget* control)
{
    return control->property(successorProperty).toString();
}

bool EnterChain::isInChain(const QWidget* control)
{
    return control->property(successorProperty).isValid();
}

QWidget* EnterChain::advance(QWidget* control)
{
    const QString name = successor(control);
    if (name.isEmpty())
        return nullptr;
    QWidget* window = control->window();
    QWidget* next = window->objectName() == name ? window : window->findChild<QWidget*>(name);
    if (!next || next == control || !canTakeFocus(next))
        return nullptr;
    next->setFocus(Qt::TabFocusReason);
    return next;
}

}  // namespace zel::ui
