#pragma once

#include <QDateTimeEdit>

namespace zel::ui {

/// An unbound date picker: holds a date and time of day, shows the date as
/// dd.MM.yyyy and offers a calendar drop-down.
class DatePicker : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
};

}  // namespace zel::ui
