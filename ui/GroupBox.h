#pragma once

#include <QGroupBox>

namespace zel::ui {

/// A framed group of controls with a caption, optionally bold. Disabling the
/// group disables every control inside it.
class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit GroupBox(const QString& caption = QString(), QWidget* parent = nullptr);
    void setBoldCaption(bool bold);
};

}  // namespace zel::ui
