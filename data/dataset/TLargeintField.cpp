#include "data/dataset/TLargeintField.h"

#include <limits>

namespace zel {

TLargeintField::TLargeintField(TDataSet* dataSet, const QString& fieldName)
    : TIntegerField(dataSet, fieldName, ftLargeint, std::numeric_limits<qint64>::min(),
                    std::numeric_limits<qint64>::max())
{
}

}  // namespace zel
