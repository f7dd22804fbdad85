#pragma once

#include "card/CardTab.h"

namespace zel {

class TDM_PUM;
namespace ui {
class DatePicker;
}

/// The card's "Медосмотр" tab: medical examinations.
class MedicalTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit MedicalTab(TDM_PUM& dm, QWidget* parent = nullptr);

    /// The date of a new medical examination (not bound to a field).
    ui::DatePicker* DateTimePicker1;
};

}  // namespace zel
