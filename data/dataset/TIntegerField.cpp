#include "data/dataset/TIntegerField.h"

#include "data/RowSet.h"

#include <cmath>
#include <limits>

namespace zel {

TIntegerField::TIntegerField(TDataSet* dataSet, const QString& fieldName)
    : TIntegerField(dataSet, fieldName, ftInteger, std::numeric_limits<qint32>::min(),
                    std::numeric_limits<qint32>::max())
{
}

TIntegerField::TIntegerField(TDataSet* dataSet, const QString& fieldName, TFieldType type,
                             qint64 min, qint64 max)
    : TField(dataSet, fieldName, type), m_min(min), m_max(max)
{
}

QVariant TIntegerField::fromCell(const db::RowSet& rows, int row, int column) const
{
    if (rows.isNull(row, column))
        return {};
    if (rows.kindOf(column) == db::CellKind::Integer) {
        const qint64 value = rows.integer(row, column);
        if (value >= m_min && value <= m_max)
            return m_max > std::numeric_limits<qint32>::max() ? QVariant(qlonglong(value))
                                                              : QVariant(int(value));
    }
    return TField::fromCell(rows, row, column);
}

bool TIntegerField::acceptsColumn(const db::ColumnInfo& column) const
{
    return db::isIntegerType(column.type) || column.type == db::SqlType::Unknown
        || (column.type == db::SqlType::Decimal && column.scale == 0);
}

QVariant TIntegerField::checked(qint64 value, QString* error) const
{
    if (value < m_min || value > m_max) {
        *error = QStringLiteral("Значение %1 поля '%2' вне допустимого диапазона (%3..%4).")
                     .arg(value)
                     .arg(FieldName())
                     .arg(m_min)
                     .arg(m_max);
        return {};
    }
    if (m_max > std::numeric_limits<qint32>::max())
        return qlonglong(value);
    return int(value);
}

QVariant TIntegerField::convertValue(const QVariant& value, QString* error) const
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::Bool:
        return checked(value.toLongLong(), error);
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(m_max))
            return checked(std::numeric_limits<qint64>::max(), error);
        return checked(qint64(value.toULongLong()), error);
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 9.2e18)
            return checked(qint64(number), error);
        *error = invalidValueMessage(QString::number(number), "допустимым целым числом");
        return {};
    }
    default:
        return convertText(value.toString(), error);
    }
}

QVariant TIntegerField::convertText(const QString& text, QString* error) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    bool ok = false;
    const qint64 number = trimmed.toLongLong(&ok);
    if (!ok) {
        *error = invalidValueMessage(text, "допустимым целым числом");
        return {};
    }
    return checked(number, error);
}

QString TIntegerField::displayTextOf(const QVariant& value) const
{
    if (value.isNull() || DisplayFormat().isEmpty())
        return textOf(value);
    // "0000" pads with zeros; other patterns show the number plainly
    const QString& format = DisplayFormat();
    if (!format.isEmpty() && format.count(u'0') == format.size())
        return QStringLiteral("%1").arg(value.toLongLong(), int(format.size()), 10, QChar(u'0'));
    return textOf(value);
}

}  // namespace zel
