#pragma once

#include "data/ColumnInfo.h"
#include "data/dataset/DataSetTypes.h"

#include <QString>

#include <memory>

namespace zel {

/// Creates fields by class and chooses the class of a dynamic field from its column.
namespace fieldfactory {

/// The TField subclass for a field type; ftUnknown gives a TWideStringField.
std::unique_ptr<TField> create(TFieldType type, TDataSet* dataSet, const QString& name);

/// The class a result column gets when the dataset declares no fields.
TFieldType typeForColumn(const db::ColumnInfo& column);

/// Applies what a column says (size, precision, fixed length) to a dynamic field.
void describe(TField& field, const db::ColumnInfo& column);

/// "TIntegerField", ... for error texts.
QString className(TFieldType type);

}  // namespace fieldfactory
}  // namespace zel
