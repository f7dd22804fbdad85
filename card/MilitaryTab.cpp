#include "card/MilitaryTab.h"

#include "data/modules/TDM_PUM.h"

namespace zel {

MilitaryTab::MilitaryTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet6"), parent)
{
    Q_UNUSED(dm);
}

}  // namespace zel
