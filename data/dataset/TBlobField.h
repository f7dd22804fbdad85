#pragma once

#include "data/dataset/TField.h"

namespace zel {

/// Binary large object (picture bytes); the value is a QByteArray. Created from
/// binary result columns; AsString gives the bytes as Latin-1 characters.
class TBlobField : public TField {
public:
    TBlobField(TDataSet* dataSet, const QString& fieldName);

    bool acceptsColumn(const db::ColumnInfo& column) const override;
    QString textOf(const QVariant& value) const override;
    QString displayTextOf(const QVariant& value) const override;

protected:
    QVariant convertValue(const QVariant& value, QString* error) const override;
    QVariant convertText(const QString& text, QString* error) const override;
};

}  // namespace zel
