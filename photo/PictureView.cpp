#include "photo/PictureView.h"

#include <QPainter>

namespace zel {

PictureView::PictureView(QWidget* parent)
    : QFrame(parent)
{
}

void PictureView::setPicture(const QImage& picture)
{
    m_picture = picture;
    rescale();
}

void PictureView::setNaturalSize(bool natural)
{
    if (m_natural == natural)
        return;
    m_natural = natural;
    rescale();
}

QRect PictureView::pictureRect() const
{
    if (m_picture.isNull())
        return {};
    const QRect area = contentsRect();
    if (m_natural)
        return QRect(area.topLeft(), m_picture.size());
    const QSize fitted = m_picture.size().scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - fitted.width()) / 2, area.y() + (area.height() - fitted.height()) / 2,
                 fitted.width(), fitted.height());
}

void PictureView::rescale()
{
    const QRect target = pictureRect();
    if (m_picture.isNull() || target.isEmpty())
        m_shown = QPixmap();
    else if (target.size() == m_picture.size())
        m_shown = QPixmap::fromImage(m_picture);
    else
        m_shown = QPixmap::fromImage(
            m_picture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    update();
}

void PictureView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    rescale();
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_shown.isNull())
        return;
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawPixmap(pictureRect().topLeft(), m_shown);
}

}  // namespace zel
