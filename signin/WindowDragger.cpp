#include "WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace zel {

WindowDragger::WindowDragger(QWidget* window, SystemMove systemMove)
    : QObject(window), m_window(window), m_systemMove(std::move(systemMove))
{
    if (!m_systemMove)
        m_systemMove = [](QWindow* handle) { return handle && handle->startSystemMove(); };
}

void WindowDragger::watch(QWidget* handle)
{
    handle->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (m_systemMove(m_window->windowHandle())) {
                m_dragging = false;
                return true;
            }
            m_dragging = true;
            m_grabOffset = mouse->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        if (m_dragging) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            m_window->move(mouse->globalPosition().toPoint() - m_grabOffset);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zel
