#include "data/dataset/FieldFactory.h"

#include "data/dataset/TAutoIncField.h"
#include "data/dataset/TBCDField.h"
#include "data/dataset/TBlobField.h"
#include "data/dataset/TBooleanField.h"
#include "data/dataset/TDateField.h"
#include "data/dataset/TDateTimeField.h"
#include "data/dataset/TFloatField.h"
#include "data/dataset/TIntegerField.h"
#include "data/dataset/TLargeintField.h"
#include "data/dataset/TSmallintField.h"
#include "data/dataset/TStringField.h"
#include "data/dataset/TWideStringField.h"

namespace zel::fieldfactory {

std::unique_ptr<TField> create(TFieldType type, TDataSet* dataSet, const QString& name)
{
    switch (type) {
    case ftAutoInc:
        return std::make_unique<TAutoIncField>(dataSet, name);
    case ftInteger:
        return std::make_unique<TIntegerField>(dataSet, name);
    case ftSmallint:
        return std::make_unique<TSmallintField>(dataSet, name);
    case ftLargeint:
        return std::make_unique<TLargeintField>(dataSet, name);
    case ftString:
        return std::make_unique<TStringField>(dataSet, name);
    case ftDateTime:
        return std::make_unique<TDateTimeField>(dataSet, name);
    case ftDate:
        return std::make_unique<TDateField>(dataSet, name);
    case ftBoolean:
        return std::make_unique<TBooleanField>(dataSet, name);
    case ftFloat:
        return std::make_unique<TFloatField>(dataSet, name);
    case ftBCD:
        return std::make_unique<TBCDField>(dataSet, name);
    case ftBlob:
        return std::make_unique<TBlobField>(dataSet, name);
    case ftWideString:
    case ftUnknown:
        break;
    }
    return std::make_unique<TWideStringField>(dataSet, name);
}

TFieldType typeForColumn(const db::ColumnInfo& column)
{
    using db::SqlType;
    switch (column.type) {
    case SqlType::Bit:
        return ftBoolean;
    case SqlType::TinyInt:
    case SqlType::SmallInt:
        return ftSmallint;
    case SqlType::Int:
        return column.identity ? ftAutoInc : ftInteger;
    case SqlType::BigInt:
        return ftLargeint;
    case SqlType::Float:
    case SqlType::Real:
        return ftFloat;
    case SqlType::Decimal:
    case SqlType::Money:
        return ftBCD;
    case SqlType::Date:
        return ftDate;
    case SqlType::DateTime:
        return ftDateTime;
    case SqlType::Char:
    case SqlType::VarChar:
    case SqlType::Text:
        return ftString;
    case SqlType::Binary:
    case SqlType::VarBinary:
    case SqlType::Image:
        return ftBlob;
    case SqlType::NChar:
    case SqlType::NVarChar:
    case SqlType::NText:
    case SqlType::UniqueIdentifier:
    case SqlType::Unknown:
        break;
    }
    return ftWideString;
}

void describe(TField& field, const db::ColumnInfo& column)
{
    switch (field.DataType()) {
    case ftString:
    case ftWideString:
        field.SetSize(column.size > 0 ? column.size : 0);
        field.SetFixedChar(column.type == db::SqlType::Char || column.type == db::SqlType::NChar);
        break;
    case ftBCD:
        field.SetSize(column.type == db::SqlType::Money ? 4 : column.scale);
        static_cast<TBCDField&>(field).SetPrecision(column.precision > 0 ? column.precision : 18);
        break;
    default:
        break;
    }
}

QString className(TFieldType type)
{
    switch (type) {
    case ftAutoInc:
        return QStringLiteral("TAutoIncField");
    case ftInteger:
        return QStringLiteral("TIntegerField");
    case ftSmallint:
        return QStringLiteral("TSmallintField");
    case ftLargeint:
        return QStringLiteral("TLargeintField");
    case ftString:
        return QStringLiteral("TStringField");
    case ftWideString:
        return QStringLiteral("TWideStringField");
    case ftDateTime:
        return QStringLiteral("TDateTimeField");
    case ftDate:
        return QStringLiteral("TDateField");
    case ftBoolean:
        return QStringLiteral("TBooleanField");
    case ftFloat:
        return QStringLiteral("TFloatField");
    case ftBCD:
        return QStringLiteral("TBCDField");
    case ftBlob:
        return QStringLiteral("TBlobField");
    case ftUnknown:
        break;
    }
    return QStringLiteral("TField");
}

}  // namespace zel::fieldfactory
