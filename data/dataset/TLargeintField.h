#pragma once

#include "data/dataset/TIntegerField.h"

namespace zel {

/// 64-bit signed integer (bigint columns); the value is a qlonglong.
class TLargeintField : public TIntegerField {
public:
    TLargeintField(TDataSet* dataSet, const QString& fieldName);
};

}  // namespace zel
