#pragma once

#include <QLocale>

namespace zel::ui {

/// The locale the program formats dates and names months and days in: the
/// workstation's own when it is a Russian one (its short date format is kept),
/// otherwise Russian (Russia), since everything the program shows is Russian.
QLocale workstationLocale(const QLocale& system = QLocale::system());

}  // namespace zel::ui
