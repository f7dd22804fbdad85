#pragma once

#include "card/CardTab.h"

namespace zel {

class TDM_PUM;
/// The card's "Отпуск" tab: the employee's leave.
class LeaveTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit LeaveTab(TDM_PUM& dm, QWidget* parent = nullptr);
};

}  // namespace zel
