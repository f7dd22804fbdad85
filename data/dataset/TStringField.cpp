#include "data/dataset/TStringField.h"

#include "data/RowSet.h"
#include "data/Windows1251.h"

namespace zel {

namespace {
constexpr int kDefaultSize = 20;
}

TStringField::TStringField(TDataSet* dataSet, const QString& fieldName)
    : TStringField(dataSet, fieldName, ftString)
{
}

TStringField::TStringField(TDataSet* dataSet, const QString& fieldName, TFieldType type)
    : TField(dataSet, fieldName, type)
{
    SetSize(kDefaultSize);
}

bool TStringField::acceptsColumn(const db::ColumnInfo& column) const
{
    return db::isTextType(column.type) || column.type == db::SqlType::Unknown;
}

QVariant TStringField::fromCell(const db::RowSet& rows, int row, int column) const
{
    if (rows.isNull(row, column))
        return {};
    if (rows.kindOf(column) != db::CellKind::Text)
        return TField::fromCell(rows, row, column);
    QString text = rows.text(row, column);
    if (text.isEmpty())
        return {};
    if (Size() > 0 && text.size() > Size())
        text.truncate(Size());
    return text;
}

QVariant TStringField::convertValue(const QVariant& value, QString* error) const
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return convertText(value.toDate().toString(QStringLiteral("dd.MM.yyyy")), error);
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        QString text = dateTime.date().toString(QStringLiteral("dd.MM.yyyy"));
        if (dateTime.time().msecsSinceStartOfDay() != 0)
            text += dateTime.time().toString(QStringLiteral(" H:mm:ss"));
        return convertText(text, error);
    }
    case QMetaType::Bool:
        return convertText(value.toBool() ? QStringLiteral("True") : QStringLiteral("False"), error);
    default:
        return convertText(value.toString(), error);
    }
}

QVariant TStringField::convertText(const QString& text, QString* error) const
{
    if (text.isEmpty())
        return {};
    QString stored = Size() > 0 && text.size() > Size() ? text.left(Size()) : text;
    if (!canStore(stored)) {
        *error = QStringLiteral("Текст поля '%1' содержит символы, которых нет в кодировке базы данных.")
                     .arg(FieldName());
        return {};
    }
    return stored;
}

bool TStringField::canStore(const QString& text) const
{
    return windows1251::canEncode(text);
}

}  // namespace zel
