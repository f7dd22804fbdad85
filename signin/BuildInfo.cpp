#include "BuildInfo.h"

#include <QRegularExpression>

namespace zel::program {

QString name()
{
    return QString::fromUtf16(kName);
}

QString title()
{
    return QString::fromUtf16(kTitle);
}

// Weak: the stamp compiled into an executable at each build replaces it.
[[gnu::weak]] qint64 linkedBuildEpoch()
{
    return qint64(ZEL_BUILD_EPOCH);
}

QDateTime buildTimestamp()
{
    return QDateTime::fromSecsSinceEpoch(linkedBuildEpoch());
}

QString formatTimestamp(const QDateTime& when, const QLocale& locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() == QTime(0, 0))
        return date;
    // The workstation's long time without the time-zone part that Qt's long
    // format carries.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return date + u' ' + locale.toString(when.time(), format.trimmed());
}

QString buildTimestampText()
{
    return formatTimestamp(buildTimestamp());
}

}  // namespace zel::program
