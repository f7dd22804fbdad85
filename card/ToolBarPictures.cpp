#include "card/ToolBarPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace zel::ToolBarPictures {

namespace {

constexpr int kSize = 20;

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(picture);
}

void plusSign(QPainter& p, QPointF centre, const QColor& colour)
{
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-3.5, 0), centre + QPointF(3.5, 0));
    p.drawLine(centre + QPointF(0, -3.5), centre + QPointF(0, 3.5));
}

}  // namespace

QIcon addToDictionary()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(60, 70, 110), 1));
        p.setBrush(QColor(120, 150, 210));
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 15), 1.5, 1.5);
        p.setPen(QPen(Qt::white, 1));
        for (double y : {6.5, 9.5, 12.5})
            p.drawLine(QPointF(5, y), QPointF(11, y));
        plusSign(p, {15.5, 15}, QColor(20, 140, 40));
    });
}

QIcon save()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(40, 50, 90), 1));
        p.setBrush(QColor(70, 100, 170));
        p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 1.5, 1.5);
        p.setBrush(QColor(235, 238, 245));
        p.drawRect(QRectF(5.5, 2.5, 9, 6));
        p.setBrush(QColor(200, 205, 215));
        p.drawRect(QRectF(5.5, 11.5, 9, 6));
    });
}

QIcon search()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(50, 60, 80), 2));
        p.setBrush(QColor(210, 230, 250));
        p.drawEllipse(QPointF(8, 8), 5, 5);
        p.setPen(QPen(QColor(120, 80, 40), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 12), QPointF(17, 17));
    });
}

QIcon newRecord()
{
    return drawn([](QPainter& p) {
        QPainterPath page;
        page.moveTo(3.5, 2.5);
        page.lineTo(11.5, 2.5);
        page.lineTo(15.5, 6.5);
        page.lineTo(15.5, 17.5);
        page.lineTo(3.5, 17.5);
        page.closeSubpath();
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(Qt::white);
        p.drawPath(page);
        plusSign(p, {14.5, 14.5}, QColor(20, 140, 40));
    });
}

QIcon cancel()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
    });
}

}  // namespace zel::ToolBarPictures
