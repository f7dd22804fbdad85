#include "ui/DatePicker.h"

#include "ui/DateText.h"

namespace zel::ui {

DatePicker::DatePicker(QWidget* parent)
    : QDateTimeEdit(QDateTime::currentDateTime(), parent)
{
    setDisplayFormat(QLatin1String(DateText::displayFormat));
    setCalendarPopup(true);
}

}  // namespace zel::ui
