#pragma once

#include "data/dataset/TField.h"

namespace zel {

/// 32-bit signed integer; the value is an int.
class TIntegerField : public TField {
public:
    TIntegerField(TDataSet* dataSet, const QString& fieldName);

    qint64 MinValue() const { return m_min; }
    qint64 MaxValue() const { return m_max; }

    QVariant fromCell(const db::RowSet& rows, int row, int column) const override;
    bool acceptsColumn(const db::ColumnInfo& column) const override;

protected:
    TIntegerField(TDataSet* dataSet, const QString& fieldName, TFieldType type, qint64 min, qint64 max);

    QVariant convertValue(const QVariant& value, QString* error) const override;
    QVariant convertText(const QString& text, QString* error) const override;
    QString displayTextOf(const QVariant& value) const override;

private:
    QVariant checked(qint64 value, QString* error) const;

    qint64 m_min;
    qint64 m_max;
};

}  // namespace zel
