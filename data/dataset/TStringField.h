#pragma once

#include "data/dataset/TField.h"

namespace zel {

/// Text of at most Size characters (20 unless set; 0 = no limit) in the database's
/// Windows-1251 code page. Longer texts are cut to Size characters; a character the
/// code page cannot hold is refused with DataError rather than stored as "?".
class TStringField : public TField {
public:
    TStringField(TDataSet* dataSet, const QString& fieldName);

    bool acceptsColumn(const db::ColumnInfo& column) const override;
    /// Texts read from the server are cut to Size but never refused.
    QVariant fromCell(const db::RowSet& rows, int row, int column) const override;

protected:
    TStringField(TDataSet* dataSet, const QString& fieldName, TFieldType type);

    QVariant convertValue(const QVariant& value, QString* error) const override;
    QVariant convertText(const QString& text, QString* error) const override;
    /// Whether every character can be stored; single-byte fields check the code page.
    virtual bool canStore(const QString& text) const;
};

}  // namespace zel
