#include "card/MedicalTab.h"

#include "data/modules/TDM_PUM.h"
#include "ui/DatePicker.h"

namespace zel {

MedicalTab::MedicalTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet8"), parent)
{
    Q_UNUSED(dm);
    DateTimePicker1 = new ui::DatePicker(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setGeometry(8, 8, 120, 21);
}

}  // namespace zel
