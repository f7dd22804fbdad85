#pragma once

#include <QLabel>

namespace zel::ui {

/// A caption: plain text, optionally bold and coloured; "\r" in the text is a
/// line break.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(const QString& caption = QString(), QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    void setBold(bool bold);
    /// An invalid colour restores the palette's text colour.
    void setColor(const QColor& color);
};

}  // namespace zel::ui
