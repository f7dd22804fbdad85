#pragma once

#include "data/dataset/TStringField.h"

namespace zel {

/// Unicode text of at most Size characters (20 unless set; 0 = no limit).
/// FixedChar marks a blank-padded fixed-length column; values are kept as read.
class TWideStringField : public TStringField {
public:
    TWideStringField(TDataSet* dataSet, const QString& fieldName);

protected:
    bool canStore(const QString& text) const override;
};

}  // namespace zel
