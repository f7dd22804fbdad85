#include "data/dataset/TWideStringField.h"

namespace zel {

TWideStringField::TWideStringField(TDataSet* dataSet, const QString& fieldName)
    : TStringField(dataSet, fieldName, ftWideString)
{
}

bool TWideStringField::canStore(const QString&) const
{
    return true;
}

}  // namespace zel
