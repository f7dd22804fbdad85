#include "BuildInfo.h"

namespace zel::program {

QString name()
{
    return QString::fromUtf16(kName);
}

QString title()
{
    return QString::fromUtf16(kTitle);
}

QDateTime buildTimestamp()
{
    return QDateTime::fromSecsSinceEpoch(qint64(ZEL_BUILD_EPOCH));
}

QString formatTimestamp(const QDateTime& when, const QLocale& locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() == QTime(0, 0))
        return date;
    return date + u' ' + locale.toString(when.time(), QLocale::LongFormat);
}

QString buildTimestampText()
{
    return formatTimestamp(buildTimestamp());
}

}  // namespace zel::program
