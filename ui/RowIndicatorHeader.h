#pragma once

#include <QHeaderView>

#include <functional>

namespace zel::ui {

/// The narrow column left of a grid's rows: a mark on the dataset's current
/// row, no numbers. Its width is fixed, so moving the row never makes the view
/// measure its sections.
class RowIndicatorHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit RowIndicatorHeader(QWidget* parent = nullptr);

    /// Tells which row carries the mark (-1 = none).
    void setCurrentRowSource(std::function<int()> currentRow) { m_currentRow = std::move(currentRow); }
    /// Repaints the mark after the current row moved.
    void currentRowMoved();

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    std::function<int()> m_currentRow;
};

}  // namespace zel::ui
