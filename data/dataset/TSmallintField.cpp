#include "data/dataset/TSmallintField.h"

#include <limits>

namespace zel {

TSmallintField::TSmallintField(TDataSet* dataSet, const QString& fieldName)
    : TIntegerField(dataSet, fieldName, ftSmallint, std::numeric_limits<qint16>::min(),
                    std::numeric_limits<qint16>::max())
{
}

}  // namespace zel
