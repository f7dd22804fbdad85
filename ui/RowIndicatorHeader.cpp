#include "ui/RowIndicatorHeader.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace zel::ui {

namespace {
constexpr int indicatorWidth = 12;
}

RowIndicatorHeader::RowIndicatorHeader(QWidget* parent)
    : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(true);
    setHighlightSections(false);
    setFixedWidth(indicatorWidth);
}

void RowIndicatorHeader::currentRowMoved()
{
    viewport()->update();
}

QSize RowIndicatorHeader::sizeHint() const
{
    return QSize(indicatorWidth, defaultSectionSize());
}

void RowIndicatorHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.state |= QStyle::State_Raised;
    if (isEnabled())
        option.state |= QStyle::State_Enabled;
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    if (!m_currentRow || m_currentRow() != logicalIndex)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette().color(QPalette::ButtonText));
    const QPointF c = QRectF(rect).center();
    const QPointF mark[] = {{c.x() - 2.5, c.y() - 4.0}, {c.x() - 2.5, c.y() + 4.0}, {c.x() + 2.5, c.y()}};
    painter->drawPolygon(mark, 3);
    painter->restore();
}

}  // namespace zel::ui
