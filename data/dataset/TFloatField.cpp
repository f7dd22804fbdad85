#include "data/dataset/TFloatField.h"

#include <cmath>

namespace zel {

TFloatField::TFloatField(TDataSet* dataSet, const QString& fieldName)
    : TFloatField(dataSet, fieldName, ftFloat)
{
}

TFloatField::TFloatField(TDataSet* dataSet, const QString& fieldName, TFieldType type)
    : TField(dataSet, fieldName, type)
{
}

bool TFloatField::acceptsColumn(const db::ColumnInfo& column) const
{
    const auto kind = db::cellKindOf(column.type);
    return kind == db::CellKind::Real || kind == db::CellKind::Integer
        || column.type == db::SqlType::Unknown;
}

double TFloatField::parseNumber(const QString& text, bool* ok)
{
    QString normal = text.trimmed();
    normal.replace(u',', u'.');
    normal.remove(u' ');
    normal.remove(QChar(0x00A0));
    return normal.toDouble(ok);
}

QString TFloatField::formatNumber(double value, int digits)
{
    QString text = digits < 0 ? QString::number(value, 'g', 15) : QString::number(value, 'f', digits);
    text.replace(u'.', u',');
    return text;
}

QString TFloatField::textOf(const QVariant& value) const
{
    if (value.isNull())
        return {};
    return formatNumber(value.toDouble());
}

QString TFloatField::displayTextOf(const QVariant& value) const
{
    if (value.isNull() || DisplayFormat().isEmpty())
        return textOf(value);
    const QString& format = DisplayFormat();
    const qsizetype point = format.indexOf(u'.');
    const int digits = point < 0 ? 0 : int(format.size() - point - 1);
    return formatNumber(value.toDouble(), digits);
}

QVariant TFloatField::convertValue(const QVariant& value, QString* error) const
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::Bool:
        return value.toDouble();
    default:
        return convertText(value.toString(), error);
    }
}

QVariant TFloatField::convertText(const QString& text, QString* error) const
{
    if (text.trimmed().isEmpty())
        return {};
    bool ok = false;
    const double number = parseNumber(text, &ok);
    if (!ok || !std::isfinite(number)) {
        *error = invalidValueMessage(text, "допустимым числом");
        return {};
    }
    return number;
}

}  // namespace zel
