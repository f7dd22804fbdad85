#include "ui/GroupedHeaderView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include <algorithm>
#include <climits>

namespace zel::ui {

GroupedHeaderView::GroupedHeaderView(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsMovable(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
    connect(this, &QHeaderView::sectionCountChanged, this, &GroupedHeaderView::invalidate);
    connect(this, &QHeaderView::sectionMoved, this, &GroupedHeaderView::invalidate);
    connect(this, &QHeaderView::sectionResized, this, [this] { updateGeometry(); });
}

void GroupedHeaderView::setModel(QAbstractItemModel* model)
{
    if (this->model())
        disconnect(this->model(), nullptr, this, nullptr);
    QHeaderView::setModel(model);
    if (model) {
        connect(model, &QAbstractItemModel::headerDataChanged, this, &GroupedHeaderView::invalidate);
        connect(model, &QAbstractItemModel::modelReset, this, &GroupedHeaderView::invalidate);
        connect(model, &QAbstractItemModel::columnsInserted, this, &GroupedHeaderView::invalidate);
        connect(model, &QAbstractItemModel::columnsRemoved, this, &GroupedHeaderView::invalidate);
    }
    invalidate();
}

void GroupedHeaderView::invalidate()
{
    m_dirty = true;
    updateGeometry();
    viewport()->update();
}

const HeaderLayout& GroupedHeaderView::layout() const
{
    if (m_dirty) {
        QStringList titles;
        if (model()) {
            for (int visual = 0; visual < count(); ++visual)
                titles << model()->headerData(logicalIndex(visual), orientation()).toString();
        }
        m_layout = HeaderLayout(titles);
        m_dirty = false;
    }
    return m_layout;
}

int GroupedHeaderView::levelHeight() const
{
    return fontMetrics().height() + 6;
}

QSize GroupedHeaderView::sizeHint() const
{
    QSize hint = QHeaderView::sizeHint();
    const int h = levelHeight();
    const int levels = layout().levelCount();
    // Long titles wrap: the bottom row grows to the tallest one (up to three lines).
    int extra = 0;
    for (const HeaderLayout::Cell& cell : layout().cells()) {
        const QRect rect = cellRect(cell);
        if (rect.width() <= 6)
            continue;
        const int needed = fontMetrics()
                               .boundingRect(QRect(0, 0, rect.width() - 6, 3 * fontMetrics().height()),
                                             Qt::AlignCenter | Qt::TextWordWrap, cell.text)
                               .height()
                           + 6;
        extra = std::max(extra, needed - (cell.lastLevel - cell.firstLevel + 1) * h);
    }
    hint.setHeight(levels * h + std::max(0, extra));
    return hint;
}

QRect GroupedHeaderView::cellRect(const HeaderLayout::Cell& cell) const
{
    int left = INT_MAX;
    int right = INT_MIN;
    for (int visual = cell.firstColumn; visual <= cell.lastColumn; ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        const int x = sectionViewportPosition(logical);
        left = std::min(left, x);
        right = std::max(right, x + sectionSize(logical));
    }
    if (left > right)
        return {};
    const int h = levelHeight();
    const int top = cell.firstLevel * h;
    // The bottom row takes whatever height the header has beyond the levels above.
    const int bottom = cell.lastLevel == layout().levelCount() - 1 ? height() : (cell.lastLevel + 1) * h;
    return QRect(left, top, right - left, bottom - top);
}

void GroupedHeaderView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    for (const HeaderLayout::Cell& cell : layout().cells()) {
        const QRect rect = cellRect(cell);
        if (rect.isEmpty() || !rect.intersects(dirty))
            continue;
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = rect;
        option.section = logicalIndex(cell.firstColumn);
        option.state |= QStyle::State_Raised;
        if (isEnabled())
            option.state |= QStyle::State_Enabled;
        option.position = QStyleOptionHeader::Middle;
        style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(rect.adjusted(3, 1, -3, -1), Qt::AlignCenter | Qt::TextWordWrap, cell.text);
    }
}

}  // namespace zel::ui
