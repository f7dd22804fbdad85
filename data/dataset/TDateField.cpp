#include "data/dataset/TDateField.h"

#include "data/RowSet.h"

namespace zel {

TDateField::TDateField(TDataSet* dataSet, const QString& fieldName)
    : TDateTimeField(dataSet, fieldName, ftDate)
{
}

QVariant TDateField::fromCell(const db::RowSet& rows, int row, int column) const
{
    if (rows.isNull(row, column))
        return {};
    if (rows.kindOf(column) == db::CellKind::DateTime)
        return db::fromCellDateTime(rows.dateTime(row, column)).date();
    return TField::fromCell(rows, row, column);
}

QString TDateField::textOf(const QVariant& value) const
{
    if (value.isNull())
        return {};
    return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
}

}  // namespace zel
