#pragma once

#include "data/dataset/TIntegerField.h"

namespace zel {

/// 32-bit identity that the server assigns on insert. Always read-only on the
/// client: a post of an inserted row reads the assigned value back into it.
class TAutoIncField : public TIntegerField {
public:
    TAutoIncField(TDataSet* dataSet, const QString& fieldName);
};

}  // namespace zel
