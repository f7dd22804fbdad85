#pragma once

#include "data/dataset/TDateTimeField.h"

namespace zel {

/// Date only; the value is a QDate. Assigning a date-time keeps only its date.
class TDateField : public TDateTimeField {
public:
    TDateField(TDataSet* dataSet, const QString& fieldName);

    QVariant fromCell(const db::RowSet& rows, int row, int column) const override;
    QString textOf(const QVariant& value) const override;

protected:
    QVariant canonical(const QDateTime& value) const override { return value.date(); }
};

}  // namespace zel
