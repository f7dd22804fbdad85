#pragma once

#include "card/CardTab.h"

namespace zel {

class TDM_PUM;

/// The card's "Воинский учет" tab: the employee's one military-registration row
/// (rank, fitness, registration office, arm of service, category, specialty
/// code, registered mark) in the group "Сведения о воинском учете". Rank and arm
/// of service have a "+" button for their dictionary (Button6, Button8).
class MilitaryTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit MilitaryTab(TDM_PUM& dm, QWidget* parent = nullptr);
};

}  // namespace zel
