#pragma once

#include "ui/FieldDataLink.h"

#include <QCheckBox>

namespace zel::ui {

/// Check box bound to a boolean field: ticked means True; NULL shows unticked.
/// A click writes the new value into the field at once.
class DbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DbCheckBox(const QString& caption = QString(), QWidget* parent = nullptr);
    void setDataSource(TDataSource* source, const QString& fieldName);
    FieldDataLink& dataLink() { return m_link; }

signals:
    /// The user ticked or unticked the box.
    void changed();

private:
    void userClicked(bool checked);

    FieldDataLink m_link;
};

}  // namespace zel::ui
