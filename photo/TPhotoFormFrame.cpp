// The photo window's frame: drawing it with the mouse, moving it, typing its size.
#include "photo/TPhotoForm.h"

#include "data/DbError.h"
#include "photo/CropFrame.h"
#include "photo/PictureView.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <limits>

namespace zel {

namespace {

/// A size typed or pasted into "X:"/"Y:" as a number; anything that is not a whole
/// number of the integer range is refused with a message.
int wholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw Error(QStringLiteral("\"%1\" — не целое число или слишком большое число. "
                                   "Введите размер рамки в точках, например 90.")
                        .arg(text));
    return value;
}

bool onlyZeros(const QString& text)
{
    for (const QChar ch : text)
        if (ch != u'0')
            return false;
    return true;
}

}  // namespace

bool TPhotoForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 || watched == Edit2)
        return filterKey(event);
    if (watched == Image1 || watched == Shape1)
        return routeMouse(static_cast<QWidget*>(watched), event);
    return QDialog::eventFilter(watched, event);
}

bool TPhotoForm::filterKey(QEvent* event) const
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.isEmpty())
        return false;
    const QChar ch = text.front();
    if ((ch >= u'0' && ch <= u'9') || ch == u'\b')
        return false;
    // Any other typed character is dropped; keys without one (Delete, arrows,
    // Ctrl+V) keep their usual meaning.
    return ch.isPrint();
}

bool TPhotoForm::routeMouse(QWidget* target, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (target == Image1) {
        if (type == QEvent::MouseButtonPress)
            Image1MouseDown(mouse->button(), at);
        else if (type == QEvent::MouseMove)
            Image1MouseMove(mouse->buttons(), at);
        else
            Image1MouseUp(mouse->button());
    } else {
        if (type == QEvent::MouseButtonPress)
            Shape1MouseDown(at);
        else if (type == QEvent::MouseMove)
            Shape1MouseMove(at);
        else
            Shape1MouseUp();
    }
    return true;
}

void TPhotoForm::setFrame(int left, int top, int width, int height)
{
    m_frameLeft = left;
    m_frameTop = top;
    m_frameWidth = width;
    m_frameHeight = height;
    // The widget cannot be negative or beyond Qt's limit; the numbers keep what was computed.
    Shape1->setGeometry(left, top, qBound(0, width, QWIDGETSIZE_MAX), qBound(0, height, QWIDGETSIZE_MAX));
}

void TPhotoForm::showFrameSize()
{
    Edit1->setText(QString::number(m_frameWidth));
    Edit2->setText(QString::number(m_frameHeight));
}

void TPhotoForm::Image1MouseDown(Qt::MouseButton button, const QPoint& at)
{
    Image1->setFocus(Qt::MouseFocusReason);
    if (button != Qt::LeftButton)
        return;
    Shape1->show();
    Shape1->raise();
    m_drawing = true;
    setFrame(Image1->x() + at.x(), at.y(), 0, 0);
    m_pressX = at.x();
    showFrameSize();
}

void TPhotoForm::Image1MouseMove(Qt::MouseButtons held, const QPoint& at)
{
    if (!m_drawing || !(held & Qt::LeftButton))
        return;
    const int d = at.x() - m_pressX;
    int h = d + d / 3;
    const int areaTop = Image1->y();
    const int areaHeight = Image1->height();
    if (areaTop + areaHeight < m_frameTop + h)
        h = areaHeight - m_frameTop;
    setFrame(m_frameLeft, m_frameTop, h - h / 4, h);
    showFrameSize();
}

void TPhotoForm::Image1MouseUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        m_drawing = false;
}

void TPhotoForm::Shape1MouseDown(const QPoint& at)
{
    m_moving = true;
    m_grab = at;
}

void TPhotoForm::Shape1MouseMove(const QPoint& at)
{
    if (!m_moving)
        return;
    const QRect area = Image1->geometry();
    int top = m_frameTop + (at.y() - m_grab.y());
    int left = m_frameLeft + (at.x() - m_grab.x());
    // Bottom and right first: a frame larger than the area sits on those edges.
    if (top + m_frameHeight > area.y() + area.height())
        top = area.y() + area.height() - m_frameHeight;
    else if (top < area.y())
        top = area.y();
    if (left + m_frameWidth > area.x() + area.width())
        left = area.x() + area.width() - m_frameWidth;
    else if (left < area.x())
        left = area.x();
    setFrame(left, top, m_frameWidth, m_frameHeight);
}

void TPhotoForm::Shape1MouseUp()
{
    m_moving = false;
}

void TPhotoForm::Edit1Change()
{
    const QString text = Edit1->text();
    if (text.isEmpty() || onlyZeros(text)) {
        Edit2->setText(QStringLiteral("0"));
        return;
    }
    const qint64 width = wholeNumber(text);
    const qint64 height = width + width / 3;
    if (height > std::numeric_limits<int>::max() || height < std::numeric_limits<int>::min())
        throw Error(QStringLiteral("Ширина рамки %1 слишком велика: высота не помещается в целое число.")
                        .arg(width));
    Edit2->setText(QString::number(height));
}

void TPhotoForm::SpeedButton1Click()
{
    const int width = wholeNumber(Edit1->text());
    const int height = wholeNumber(Edit2->text());
    setFrame(m_frameLeft, m_frameTop, width, height);
}

}  // namespace zel
