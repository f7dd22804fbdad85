#include "ui/HeaderLayout.h"

#include <algorithm>

namespace zel::ui {

namespace {

// Columns a and b share level `level` when their titles agree on every level
// up to it and neither ends there (a title's last level is its own cell).
bool shareLevel(const QStringList& a, const QStringList& b, int level)
{
    if (a.size() <= level + 1 || b.size() <= level + 1)
        return false;
    for (int i = 0; i <= level; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

}  // namespace

HeaderLayout::HeaderLayout(const QStringList& titles)
{
    std::vector<QStringList> parts;
    parts.reserve(titles.size());
    for (const QString& title : titles) {
        parts.push_back(title.split(u'|'));
        m_levels = std::max(m_levels, int(parts.back().size()));
    }

    const int columns = int(parts.size());
    for (int level = 0; level < m_levels; ++level) {
        for (int column = 0; column < columns; ++column) {
            const QStringList& own = parts[column];
            if (own.size() <= level)
                continue;  // covered by this column's last level above
            Cell cell;
            cell.text = own[level];
            cell.firstColumn = column;
            cell.firstLevel = level;
            const bool last = own.size() == level + 1;
            cell.lastLevel = last ? m_levels - 1 : level;
            while (column + 1 < columns && shareLevel(own, parts[column + 1], level))
                ++column;
            cell.lastColumn = column;
            m_cells.push_back(cell);
        }
    }
}

const HeaderLayout::Cell* HeaderLayout::cellAt(int column, int level) const
{
    for (const Cell& cell : m_cells) {
        if (column >= cell.firstColumn && column <= cell.lastColumn && level >= cell.firstLevel
            && level <= cell.lastLevel)
            return &cell;
    }
    return nullptr;
}

}  // namespace zel::ui
