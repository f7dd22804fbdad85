#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QWidget;
class QWindow;

namespace zel {

/// Moves a borderless window while the left button is held on one of the
/// widgets it watches, as dragging a title bar would.
///
/// The move is asked of the window system first (QWindow::startSystemMove), so
/// that it also works where a program may not place its own windows; where the
/// window system declines, the window follows the mouse itself.
class WindowDragger : public QObject {
    Q_OBJECT
public:
    /// Asks the window system to move the window with the mouse; true when it took over.
    using SystemMove = std::function<bool(QWindow*)>;

    /// window is the window moved (not owned; it becomes the parent). systemMove
    /// replaces the window system's move request (tests); empty = startSystemMove.
    explicit WindowDragger(QWidget* window, SystemMove systemMove = {});
    void watch(QWidget* handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    SystemMove m_systemMove;
    QPoint m_grabOffset;
    bool m_dragging = false;
};

}  // namespace zel
