#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zel::ui {

/// The cells of a multi-level grid header. A column title is split at "|"
/// into levels; adjacent columns whose titles begin with the same levels share
/// one cell for those levels, and a column's last level reaches down to the
/// bottom row of the header.
class HeaderLayout {
public:
    struct Cell {
        QString text;
        int firstColumn = 0;
        int lastColumn = 0;  ///< inclusive
        int firstLevel = 0;
        int lastLevel = 0;   ///< inclusive; the bottom row is levelCount() - 1
    };

    HeaderLayout() = default;
    /// titles in visual column order.
    explicit HeaderLayout(const QStringList& titles);

    int levelCount() const { return m_levels; }
    const std::vector<Cell>& cells() const { return m_cells; }
    /// The cell covering (column, level); nullptr outside the header.
    const Cell* cellAt(int column, int level) const;

private:
    int m_levels = 1;
    std::vector<Cell> m_cells;
};

}  // namespace zel::ui
