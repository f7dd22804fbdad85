#include "data/dataset/TBooleanField.h"

namespace zel {

TBooleanField::TBooleanField(TDataSet* dataSet, const QString& fieldName)
    : TField(dataSet, fieldName, ftBoolean)
{
}

bool TBooleanField::acceptsColumn(const db::ColumnInfo& column) const
{
    return column.type == db::SqlType::Bit || db::isIntegerType(column.type)
        || column.type == db::SqlType::Unknown;
}

QString TBooleanField::textOf(const QVariant& value) const
{
    if (value.isNull())
        return {};
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
}

QVariant TBooleanField::convertValue(const QVariant& value, QString* error) const
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::Double:
        return value.toDouble() != 0.0;
    default:
        return convertText(value.toString(), error);
    }
}

QVariant TBooleanField::convertText(const QString& text, QString* error) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (trimmed.compare(u"true", Qt::CaseInsensitive) == 0 || trimmed == u"1")
        return true;
    if (trimmed.compare(u"false", Qt::CaseInsensitive) == 0 || trimmed == u"0")
        return false;
    *error = invalidValueMessage(text, "допустимым логическим значением");
    return {};
}

}  // namespace zel
