#include "ui/DateText.h"

namespace zel::ui::DateText {

QString emptyMask()
{
    return QStringLiteral("  .  .    ");
}

bool isEmptyMask(const QString& text)
{
    return text == emptyMask();
}

bool hasNoDigits(const QString& text)
{
    for (QChar ch : text) {
        if (ch.isDigit())
            return false;
    }
    return true;
}

QString format(const QDate& date)
{
    if (!date.isValid())
        return emptyMask();
    return date.toString(QLatin1String(displayFormat));
}

QDate parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    // A blank inside means a position was left empty: not a date.
    if (trimmed.size() != 10 || trimmed.contains(u' '))
        return {};
    return QDate::fromString(trimmed, QLatin1String(displayFormat));
}

}  // namespace zel::ui::DateText
