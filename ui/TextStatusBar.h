#pragma once

#include <QStatusBar>

class QLabel;

namespace zel::ui {

/// A status bar with one text area and no panels. Hints of other widgets do
/// not replace the text.
class TextStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TextStatusBar(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

private:
    QLabel* m_label;
};

}  // namespace zel::ui
