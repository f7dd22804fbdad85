#include "ui/OuterSizeKeeper.h"

#include <QEvent>
#include <QWidget>

namespace zel::ui {

OuterSizeKeeper::OuterSizeKeeper(QWidget* window, const QSize& outer)
    : QObject(window), m_window(window), m_outer(outer)
{
    m_window->setFixedSize(outer);
    m_window->installEventFilter(this);
}

void OuterSizeKeeper::fit()
{
    const QSize frame = m_window->frameGeometry().size() - m_window->geometry().size();
    const QSize client = m_outer - frame;
    if (client.isValid() && client != m_window->size())
        m_window->setFixedSize(client);
}

bool OuterSizeKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window
        && (event->type() == QEvent::Show || event->type() == QEvent::Move || event->type() == QEvent::WinIdChange))
        fit();
    return QObject::eventFilter(watched, event);
}

}  // namespace zel::ui
