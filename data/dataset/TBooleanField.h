#pragma once

#include "data/dataset/TField.h"

namespace zel {

/// True or false (bit columns); the value is a bool. AsString gives "True"/"False";
/// texts "True", "False", "1", "0" (any letter case) are accepted.
class TBooleanField : public TField {
public:
    TBooleanField(TDataSet* dataSet, const QString& fieldName);

    bool acceptsColumn(const db::ColumnInfo& column) const override;
    QString textOf(const QVariant& value) const override;

protected:
    QVariant convertValue(const QVariant& value, QString* error) const override;
    QVariant convertText(const QString& text, QString* error) const override;
};

}  // namespace zel
