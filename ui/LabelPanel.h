#pragma once

#include <QLabel>

namespace zel::ui {

/// A raised panel holding a caption, as placed to the left of a data control.
/// Leading blanks of the caption are kept.
class LabelPanel : public QLabel {
    Q_OBJECT
public:
    explicit LabelPanel(const QString& caption = QString(), QWidget* parent = nullptr);
    QSize sizeHint() const override;
};

}  // namespace zel::ui
