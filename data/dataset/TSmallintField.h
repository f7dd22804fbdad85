#pragma once

#include "data/dataset/TIntegerField.h"

namespace zel {

/// 16-bit signed integer; the value is an int.
class TSmallintField : public TIntegerField {
public:
    TSmallintField(TDataSet* dataSet, const QString& fieldName);
};

}  // namespace zel
