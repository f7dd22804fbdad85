#pragma once

#include "card/CardTab.h"

namespace zel {

class TDM_PUM;
/// The card's "Образование" tab: education rows and post-graduate documents.
class EducationTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit EducationTab(TDM_PUM& dm, QWidget* parent = nullptr);
};

}  // namespace zel
