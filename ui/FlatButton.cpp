#include "ui/FlatButton.h"

namespace zel::ui {

FlatButton::FlatButton(QWidget* parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setFocusPolicy(Qt::NoFocus);
}

FlatButton::FlatButton(const QIcon& picture, const QString& hint, QWidget* parent)
    : FlatButton(parent)
{
    setIcon(picture);
    setHint(hint);
}

void FlatButton::setHint(const QString& hint)
{
    m_hint = hint;
    updateToolTip();
}

void FlatButton::setShowHint(bool show)
{
    m_showHint = show;
    updateToolTip();
}

void FlatButton::updateToolTip()
{
    setToolTip(m_showHint ? m_hint : QString());
}

}  // namespace zel::ui
