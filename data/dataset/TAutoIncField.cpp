#include "data/dataset/TAutoIncField.h"

#include <limits>

namespace zel {

TAutoIncField::TAutoIncField(TDataSet* dataSet, const QString& fieldName)
    : TIntegerField(dataSet, fieldName, ftAutoInc, std::numeric_limits<qint32>::min(),
                    std::numeric_limits<qint32>::max())
{
    SetReadOnly(true);
}

}  // namespace zel
