#include "data/dataset/TBlobField.h"

namespace zel {

TBlobField::TBlobField(TDataSet* dataSet, const QString& fieldName)
    : TField(dataSet, fieldName, ftBlob)
{
    SetSize(0);
}

bool TBlobField::acceptsColumn(const db::ColumnInfo& column) const
{
    return db::isBinaryType(column.type) || column.type == db::SqlType::Unknown;
}

QString TBlobField::textOf(const QVariant& value) const
{
    if (value.isNull())
        return {};
    return QString::fromLatin1(value.toByteArray());
}

QString TBlobField::displayTextOf(const QVariant& value) const
{
    return value.isNull() ? QString() : QStringLiteral("(BLOB)");
}

QVariant TBlobField::convertValue(const QVariant& value, QString*) const
{
    const QByteArray bytes = value.toByteArray();
    return bytes.isEmpty() ? QVariant() : QVariant(bytes);
}

QVariant TBlobField::convertText(const QString& text, QString*) const
{
    return text.toLatin1();
}

}  // namespace zel
