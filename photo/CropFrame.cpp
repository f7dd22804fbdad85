#include "photo/CropFrame.h"

#include <QPainter>

namespace zel {

CropFrame::CropFrame(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::SizeAllCursor);
}

void CropFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    QPen outline(Qt::black);
    outline.setStyle(Qt::DotLine);
    painter.setPen(outline);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace zel
