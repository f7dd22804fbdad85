#include "data/dataset/TBCDField.h"

#include <cmath>

namespace zel {

TBCDField::TBCDField(TDataSet* dataSet, const QString& fieldName)
    : TFloatField(dataSet, fieldName, ftBCD)
{
}

QString TBCDField::textOf(const QVariant& value) const
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::LongLong)
        return QString::number(value.toLongLong());
    return TFloatField::textOf(value);
}

QVariant TBCDField::convertValue(const QVariant& value, QString* error) const
{
    if (value.typeId() == QMetaType::QString)
        return convertText(value.toString(), error);
    const QVariant number = TFloatField::convertValue(value, error);
    if (number.isNull())
        return number;
    const double scaled = std::round(number.toDouble() * std::pow(10.0, Size()));
    const int precision = m_precision > 0 ? m_precision : 18;
    if (std::fabs(scaled) >= std::pow(10.0, precision)) {
        *error = QStringLiteral("Значение %1 поля '%2' превышает %3 цифр.")
                     .arg(TFloatField::textOf(number))
                     .arg(FieldName())
                     .arg(precision);
        return {};
    }
    if (Size() == 0) {
        // a whole number keeps every digit when it arrived as an integer
        if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
            return value.toLongLong();
        return qlonglong(scaled);
    }
    return scaled / std::pow(10.0, Size());
}

QVariant TBCDField::convertText(const QString& text, QString* error) const
{
    if (text.trimmed().isEmpty())
        return {};
    if (Size() == 0) {
        bool ok = false;
        const qlonglong whole = text.trimmed().toLongLong(&ok);
        if (ok)
            return convertValue(whole, error);
    }
    const QVariant number = TFloatField::convertText(text, error);
    if (number.isNull())
        return number;
    return convertValue(number, error);
}

}  // namespace zel
