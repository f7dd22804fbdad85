#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace zel {

/// Moves a borderless window while the left button is held on one of the
/// widgets it watches, as dragging a title bar would.
class WindowDragger : public QObject {
    Q_OBJECT
public:
    explicit WindowDragger(QWidget* window);
    void watch(QWidget* handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QPoint m_grabOffset;
    bool m_dragging = false;
};

}  // namespace zel
