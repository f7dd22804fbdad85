#pragma once

#include "ui/HeaderLayout.h"

#include <QHeaderView>

namespace zel::ui {

/// Horizontal grid header with several title levels. Column titles come from
/// the model's horizontal header data; "|" separates the levels, and adjacent
/// columns sharing leading levels are painted under one cell (HeaderLayout).
/// Clicks and resizing work on the bottom-level sections as in QHeaderView.
class GroupedHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit GroupedHeaderView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    QSize sizeHint() const override;

    /// The current cell layout, in visual column order.
    const HeaderLayout& layout() const;
    /// The rectangle of a cell in viewport coordinates.
    QRect cellRect(const HeaderLayout::Cell& cell) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void invalidate();
    int levelHeight() const;

    mutable HeaderLayout m_layout;
    mutable bool m_dirty = true;
};

}  // namespace zel::ui
