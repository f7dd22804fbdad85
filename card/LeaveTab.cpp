#include "card/LeaveTab.h"

#include "data/modules/TDM_PUM.h"

namespace zel {

LeaveTab::LeaveTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet5"), parent)
{
    Q_UNUSED(dm);
}

}  // namespace zel
