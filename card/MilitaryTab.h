#pragma once

#include "card/CardTab.h"

namespace zel {

class TDM_PUM;
/// The card's "Воинский учет" tab: military registration.
class MilitaryTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit MilitaryTab(TDM_PUM& dm, QWidget* parent = nullptr);
};

}  // namespace zel
