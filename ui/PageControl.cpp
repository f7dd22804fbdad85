#include "ui/PageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QWheelEvent>

namespace zel::ui {

namespace {

/// Tab bar that hands every user change to its PageControl instead of switching
/// on its own.
class GuardedTabBar : public QTabBar {
public:
    explicit GuardedTabBar(PageControl* owner) : QTabBar(owner), m_owner(owner)
    {
        setDrawBase(false);
        setExpanding(false);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) {
            event->ignore();
            return;
        }
        const int index = tabAt(event->position().toPoint());
        event->accept();
        if (index >= 0 && index != currentIndex())
            m_owner->userSelect(index);
    }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
    void wheelEvent(QWheelEvent* event) override { event->accept(); }
    void keyPressEvent(QKeyEvent* event) override
    {
        int step = 0;
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Up)
            step = -1;
        else if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Down)
            step = 1;
        if (step == 0) {
            QTabBar::keyPressEvent(event);
            return;
        }
        event->accept();
        const int index = currentIndex() + step;
        if (index >= 0 && index < count())
            m_owner->userSelect(index);
    }

private:
    PageControl* m_owner;
};

}  // namespace

PageControl::PageControl(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new GuardedTabBar(this));
    setStyleSheet(QStringLiteral(
        "QTabBar::tab { font-weight: bold; padding: 3px 4px; margin-right: 1px;"
        " border: 1px solid palette(mid); border-radius: 2px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 palette(light), stop:1 palette(button)); }"
        "QTabBar::tab:selected { background: palette(midlight); border: 1px solid palette(dark); }"
        "QTabWidget::pane { border: 1px solid palette(mid); top: 2px; }"));
}

void PageControl::showPage(int index)
{
    setCurrentIndex(index);
}

bool PageControl::userSelect(int index)
{
    if (index < 0 || index >= count() || index == currentIndex())
        return false;
    if (m_guard && !m_guard(currentIndex(), index))
        return false;
    setCurrentIndex(index);
    emit changed();
    return true;
}

void PageControl::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+Tab and Ctrl+PgUp/PgDn would switch past the guard.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int step = 0;
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_PageDown))
        step = 1;
    else if (ctrl && (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp))
        step = -1;
    if (step == 0) {
        QTabWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    const int index = (currentIndex() + step + count()) % count();
    userSelect(index);
}

}  // namespace zel::ui
