#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace zel {

/// The program's identity values.
namespace program {
inline constexpr char16_t kName[] = u"ZEL 4";
inline constexpr char16_t kTitle[] = u"ZEL 4 Личная карточка сотрудника";
inline constexpr int kVersion = 2;

QString name();
QString title();

/// The moment the program file was built (SOURCE_DATE_EPOCH when the build set it),
/// in the workstation's local time.
QDateTime buildTimestamp();
/// Seconds since the epoch at which the executable was linked. The executable's own
/// build stamp defines it; without one (test programs) it is the configure time.
qint64 linkedBuildEpoch();
/// The workstation's short date and long time; no time part at exactly midnight.
QString formatTimestamp(const QDateTime& when, const QLocale& locale = QLocale());
QString buildTimestampText();
}  // namespace program

}  // namespace zel
