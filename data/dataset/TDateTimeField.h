#pragma once

#include "data/dataset/TField.h"

namespace zel {

/// Date and time of day; the value is a QDateTime (no time zone).
/// AsString gives "dd.MM.yyyy", followed by " H:mm:ss" when the time is not midnight;
/// texts are read in that form (also "d.M.yyyy" and ISO "yyyy-MM-dd[ HH:mm:ss]").
class TDateTimeField : public TField {
public:
    TDateTimeField(TDataSet* dataSet, const QString& fieldName);

    bool acceptsColumn(const db::ColumnInfo& column) const override;
    QString textOf(const QVariant& value) const override;
    QString displayTextOf(const QVariant& value) const override;

    /// Parses a date with optional time of day; an invalid QDateTime when it is none.
    static QDateTime parseDateTime(const QString& text);

protected:
    TDateTimeField(TDataSet* dataSet, const QString& fieldName, TFieldType type);

    QVariant convertValue(const QVariant& value, QString* error) const override;
    QVariant convertText(const QString& text, QString* error) const override;
    /// Turns a valid date-time into the canonical value of the class.
    virtual QVariant canonical(const QDateTime& value) const { return value; }
};

}  // namespace zel
