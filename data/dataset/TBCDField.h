#pragma once

#include "data/dataset/TFloatField.h"

namespace zel {

/// Exact decimal of up to Precision digits (18 unless set) with Size fraction digits
/// (0 unless set). With no fraction the value is a qlonglong, else a double rounded
/// to Size digits. A value with more digits than Precision allows is refused.
class TBCDField : public TFloatField {
public:
    TBCDField(TDataSet* dataSet, const QString& fieldName);

    int Precision() const { return m_precision; }
    void SetPrecision(int precision) { m_precision = precision; }

    QString textOf(const QVariant& value) const override;

protected:
    QVariant convertValue(const QVariant& value, QString* error) const override;
    QVariant convertText(const QString& text, QString* error) const override;

private:
    int m_precision = 18;
};

}  // namespace zel
