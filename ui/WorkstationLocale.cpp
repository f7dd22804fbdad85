#include "WorkstationLocale.h"

namespace zel::ui {

QLocale workstationLocale(const QLocale& system)
{
    if (system.language() == QLocale::Russian)
        return system;
    return QLocale(QLocale::Russian, QLocale::Russia);
}

}  // namespace zel::ui
