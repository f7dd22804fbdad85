#include "data/dataset/TDateTimeField.h"

#include "data/RowSet.h"

#include <QStringList>

namespace zel {

TDateTimeField::TDateTimeField(TDataSet* dataSet, const QString& fieldName)
    : TDateTimeField(dataSet, fieldName, ftDateTime)
{
}

TDateTimeField::TDateTimeField(TDataSet* dataSet, const QString& fieldName, TFieldType type)
    : TField(dataSet, fieldName, type)
{
}

bool TDateTimeField::acceptsColumn(const db::ColumnInfo& column) const
{
    return column.type == db::SqlType::Date || column.type == db::SqlType::DateTime
        || column.type == db::SqlType::Unknown;
}

QString TDateTimeField::textOf(const QVariant& value) const
{
    if (value.isNull())
        return {};
    const QDateTime dateTime = value.toDateTime();
    QString text = dateTime.date().toString(QStringLiteral("dd.MM.yyyy"));
    if (dateTime.time().msecsSinceStartOfDay() != 0)
        text += dateTime.time().toString(QStringLiteral(" H:mm:ss"));
    return text;
}

QString TDateTimeField::displayTextOf(const QVariant& value) const
{
    if (value.isNull() || DisplayFormat().isEmpty())
        return textOf(value);
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(DisplayFormat());
    return value.toDateTime().toString(DisplayFormat());
}

QDateTime TDateTimeField::parseDateTime(const QString& text)
{
    const QString trimmed = text.trimmed();
    static const QStringList formats = {
        QStringLiteral("dd.MM.yyyy"),          QStringLiteral("d.M.yyyy"),
        QStringLiteral("dd.MM.yyyy H:mm:ss"),  QStringLiteral("d.M.yyyy H:mm:ss"),
        QStringLiteral("dd.MM.yyyy H:mm"),     QStringLiteral("d.M.yyyy H:mm"),
        QStringLiteral("yyyy-MM-dd"),          QStringLiteral("yyyy-MM-dd HH:mm:ss"),
        QStringLiteral("yyyy-MM-ddTHH:mm:ss"), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"),
        QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"),
    };
    for (const QString& format : formats) {
        if (format.size() < 10 && trimmed.size() > 10)
            continue;
        const QDateTime value = QDateTime::fromString(trimmed, format);
        if (value.isValid())
            return value;
        const QDate date = QDate::fromString(trimmed, format);
        if (date.isValid())
            return date.startOfDay();
    }
    return {};
}

QVariant TDateTimeField::convertValue(const QVariant& value, QString* error) const
{
    switch (value.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        if (dateTime.isValid())
            return canonical(QDateTime(dateTime.date(), dateTime.time()));
        return {};
    }
    case QMetaType::QDate:
        if (value.toDate().isValid())
            return canonical(value.toDate().startOfDay());
        return {};
    default:
        return convertText(value.toString(), error);
    }
}

QVariant TDateTimeField::convertText(const QString& text, QString* error) const
{
    if (text.trimmed().isEmpty())
        return {};
    const QDateTime value = parseDateTime(text);
    if (!value.isValid()) {
        *error = invalidValueMessage(text, "допустимой датой");
        return {};
    }
    return canonical(value);
}

}  // namespace zel
