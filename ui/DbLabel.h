#pragma once

#include "ui/FieldDataLink.h"

#include <QLabel>

namespace zel::ui {

/// Read-only display of a field of the current row (empty with no row).
class DbLabel : public QLabel {
    Q_OBJECT
public:
    explicit DbLabel(QWidget* parent = nullptr);
    void setDataSource(TDataSource* source, const QString& fieldName);
    FieldDataLink& dataLink() { return m_link; }

private:
    FieldDataLink m_link;
};

}  // namespace zel::ui
