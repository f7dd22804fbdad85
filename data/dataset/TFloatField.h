#pragma once

#include "data/dataset/TField.h"

namespace zel {

/// Double-precision number; the value is a double. Texts use a decimal comma
/// (a point is accepted too); DisplayFormat "0.00" fixes the shown fraction digits.
class TFloatField : public TField {
public:
    TFloatField(TDataSet* dataSet, const QString& fieldName);

    bool acceptsColumn(const db::ColumnInfo& column) const override;
    QString textOf(const QVariant& value) const override;
    QString displayTextOf(const QVariant& value) const override;

    /// "1,5" / "1.5" -> 1.5; ok is false for anything else.
    static double parseNumber(const QString& text, bool* ok);
    /// 1.5 -> "1,5", digits fraction digits (-1: as many as needed).
    static QString formatNumber(double value, int digits = -1);

protected:
    TFloatField(TDataSet* dataSet, const QString& fieldName, TFieldType type);

    QVariant convertValue(const QVariant& value, QString* error) const override;
    QVariant convertText(const QString& text, QString* error) const override;
};

}  // namespace zel
