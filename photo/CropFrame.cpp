#include "photo/CropFrame.h"

#include <QPainter>

namespace zel {

CropFrame::CropFrame(QWidget* parent)
    : QWidget(parent)
{
    setCursor(Qt::SizeAllCursor);
}

void CropFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Silver, but let the face under the frame show through while it is placed.
    painter.fillRect(rect(), QColor(192, 192, 192, 110));
    QPen outline(Qt::black);
    outline.setStyle(Qt::DotLine);
    painter.setPen(outline);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace zel
