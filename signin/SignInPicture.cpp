#include "SignInPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zel {

namespace {
const QColor kDeep(20, 52, 96);
const QColor kLight(58, 110, 165);
const QColor kPanel(236, 241, 247);

void caption(QPainter& p, const QRect& r, const QString& text, int flags = Qt::AlignVCenter | Qt::AlignLeft)
{
    p.drawText(r, flags, text);
}
}  // namespace

SignInPicture::SignInPicture(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SignInPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_kind == Kind::Upper)
        paintUpper(painter);
    else
        paintLower(painter);
}

void SignInPicture::paintUpper(QPainter& p)
{
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, kDeep);
    sky.setColorAt(1, kLight);
    p.fillRect(rect(), sky);

    // Title band and the program's mark.
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 30, width(), 40), Qt::AlignCenter, QStringLiteral("ZEL 4"));
    QFont subtitle(QStringLiteral("Arial"));
    subtitle.setPixelSize(13);
    p.setFont(subtitle);
    p.setPen(QColor(210, 225, 240));
    p.drawText(QRect(0, 68, width(), 24), Qt::AlignCenter, QStringLiteral("Личная карточка сотрудника"));

    // The white panel that carries the message label.
    QPainterPath panel;
    panel.addRoundedRect(QRectF(52, 100, 345, 92), 8, 8);
    p.fillPath(panel, QColor(255, 255, 255, 215));

    // Box and action captions.
    QFont label(QStringLiteral("Arial"));
    label.setPixelSize(13);
    label.setBold(true);
    p.setFont(label);
    p.setPen(Qt::white);
    caption(p, QRect(30, 202, 112, 21), QStringLiteral("Пользователь"));
    caption(p, QRect(30, 238, 112, 21), QStringLiteral("Пароль"));
    p.setPen(QColor(255, 255, 255, 90));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(QRect(349, 200, 55, 20), 4, 4);
    p.drawRoundedRect(QRect(418, 199, 67, 22), 4, 4);
    p.drawRoundedRect(QRect(346, 236, 139, 22), 4, 4);
    p.setPen(Qt::white);
    caption(p, QRect(349, 200, 55, 20), QStringLiteral("Вход"), Qt::AlignCenter);
    caption(p, QRect(418, 199, 67, 22), QStringLiteral("Отмена"), Qt::AlignCenter);
    caption(p, QRect(346, 236, 139, 22), QStringLiteral("Дополнительно"), Qt::AlignCenter);
}

void SignInPicture::paintLower(QPainter& p)
{
    p.fillRect(rect(), kPanel);
    p.setPen(QColor(190, 200, 214));
    p.drawLine(0, 0, width(), 0);
    QFont label(QStringLiteral("Arial"));
    label.setPixelSize(13);
    label.setBold(true);
    p.setFont(label);
    p.setPen(kDeep);
    caption(p, QRect(0, 4, width(), 24), QStringLiteral("Замена пароля"), Qt::AlignCenter);
    label.setBold(false);
    p.setFont(label);
    // Positions relative to the lower picture, which starts at y = 277.
    caption(p, QRect(30, 309 - 277, 115, 21), QStringLiteral("Новый пароль"));
    caption(p, QRect(30, 345 - 277, 115, 21), QStringLiteral("Подтверждение"));
}

}  // namespace zel
