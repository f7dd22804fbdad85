#include "card/EducationTab.h"

#include "data/modules/TDM_PUM.h"

namespace zel {

EducationTab::EducationTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet7"), parent)
{
    Q_UNUSED(dm);
}

}  // namespace zel
