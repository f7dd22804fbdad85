#pragma once

#include "data/ColumnInfo.h"
#include "data/dataset/DataSetTypes.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace zel {

namespace db {
class RowSet;
}

/// One column of a dataset's rows. A field never holds a value itself: it reads
/// and writes the current row of its dataset (the edit buffer while the dataset
/// is in dsEdit/dsInsert, the snapshot otherwise).
///
/// Values are kept in one canonical QVariant type per class (int, qlonglong, double,
/// bool, QString, QDate, QDateTime, QByteArray); a null QVariant is NULL. Reading a
/// null gives "" as text, 0 as a number, false, and an invalid QDateTime. Writing an
/// empty text stores NULL. A value that does not fit the class throws DataError and
/// leaves the field unchanged.
///
/// Owned by its dataset. Persistent (declared) fields live as long as the dataset;
/// dynamic fields are replaced when an Open returns other columns, so bound controls
/// look fields up again when the data source reports activeChanged().
class TField {
public:
    virtual ~TField();
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    // -- description --
    const QString& FieldName() const { return m_fieldName; }
    TFieldType DataType() const { return m_dataType; }
    TFieldKind FieldKind() const { return m_fieldKind; }
    void SetFieldKind(TFieldKind kind) { m_fieldKind = kind; }
    /// The dataset that owns the field; never null.
    TDataSet* DataSet() const { return m_dataSet; }
    /// Position in the dataset's Fields() order.
    int Index() const { return m_index; }

    /// Maximum number of characters of a text field (0 = no limit); 0 for other classes
    /// except TBCDField, where it is the number of fraction digits.
    int Size() const { return m_size; }
    void SetSize(int size) { m_size = size; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    /// A post fails with DataError while this field is NULL.
    bool Required() const { return m_required; }
    void SetRequired(bool required) { m_required = required; }
    /// Display only: "dd.MM.yyyy" for dates, "0.00" style for numbers; empty = AsString.
    const QString& DisplayFormat() const { return m_displayFormat; }
    void SetDisplayFormat(const QString& format) { m_displayFormat = format; }
    /// Width in characters a control gives the field (0 = chosen from Size).
    int DisplayWidth() const;
    void SetDisplayWidth(int width) { m_displayWidth = width; }
    /// Caption a grid shows above the column; FieldName when not set.
    QString DisplayLabel() const { return m_displayLabel.isEmpty() ? m_fieldName : m_displayLabel; }
    void SetDisplayLabel(const QString& label) { m_displayLabel = label; }
    /// A blank-padded fixed-length text column.
    bool FixedChar() const { return m_fixedChar; }
    void SetFixedChar(bool fixed) { m_fixedChar = fixed; }
    /// Whether a control may show the field (grids hide invisible fields).
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }

    // -- lookup description (fkLookup only) --
    const QString& KeyFields() const { return m_keyFields; }
    /// The dictionary dataset; null when not set or destroyed. Not owned.
    TDataSet* LookupDataSet() const { return m_lookupDataSet; }
    const QString& LookupKeyFields() const { return m_lookupKeyFields; }
    const QString& LookupResultField() const { return m_lookupResultField; }
    /// Sets the four lookup names and makes the field fkLookup. The dataset must be closed.
    void SetLookup(const QString& keyFields, TDataSet* lookupDataSet, const QString& lookupKeyFields,
                   const QString& lookupResultField);

    // -- the value of the current row --
    QVariant Value() const;
    /// Writes a value; a QString is parsed as by SetAsString. Throws DataError when the
    /// dataset is not in dsEdit/dsInsert, the field is read-only, or the value does not fit.
    void SetValue(const QVariant& value);
    bool IsNull() const { return Value().isNull(); }
    /// Writes NULL.
    void Clear() { SetValue(QVariant()); }
    /// The value the field had when the current Edit began; NULL in an inserted row;
    /// the current value in dsBrowse.
    QVariant OldValue() const;

    QString AsString() const { return textOf(Value()); }
    void SetAsString(const QString& text);
    int AsInteger() const;
    void SetAsInteger(int value) { SetValue(value); }
    qint64 AsLargeInt() const;
    double AsFloat() const;
    void SetAsFloat(double value) { SetValue(value); }
    bool AsBoolean() const;
    void SetAsBoolean(bool value) { SetValue(value); }
    QDateTime AsDateTime() const;
    void SetAsDateTime(const QDateTime& value) { SetValue(value); }
    QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray& value) { SetValue(value); }
    /// The text a control shows: DisplayFormat applied; "" for NULL.
    QString DisplayText() const { return displayTextOf(Value()); }

    // -- any visible row, for grids (recNo is 1-based as RecNo) --
    QVariant ValueAt(int recNo) const;
    QString DisplayTextAt(int recNo) const { return displayTextOf(ValueAt(recNo)); }
    QString AsStringAt(int recNo) const { return textOf(ValueAt(recNo)); }

    /// Runs after a value was written into this field of the current row.
    TFieldNotifyEvent OnChange;

    // -- conversions, used by the dataset --
    /// Converts any value into the canonical type; sets *error and returns NULL when it
    /// does not fit. Texts are cut to Size.
    QVariant convert(const QVariant& value, QString* error) const;
    /// Reads the snapshot cell of this field's column.
    virtual QVariant fromCell(const db::RowSet& rows, int row, int column) const;
    /// Whether a result column can feed this field class.
    virtual bool acceptsColumn(const db::ColumnInfo& column) const = 0;
    /// The text of a canonical value (AsString).
    virtual QString textOf(const QVariant& value) const;
    /// The displayed text of a canonical value.
    virtual QString displayTextOf(const QVariant& value) const { return textOf(value); }
    /// Column of the dataset's snapshot this field reads, -1 for none.
    int column() const { return m_column; }

protected:
    TField(TDataSet* dataSet, const QString& fieldName, TFieldType dataType);

    /// Converts a non-null value other than text; returns NULL and sets *error when it
    /// does not fit.
    virtual QVariant convertValue(const QVariant& value, QString* error) const = 0;
    /// Converts a non-empty text.
    virtual QVariant convertText(const QString& text, QString* error) const = 0;

    static QString invalidValueMessage(const QString& text, const char* what);

private:
    friend class TDataSet;

    TDataSet* m_dataSet;
    QString m_fieldName;
    TFieldType m_dataType;
    TFieldKind m_fieldKind = fkData;
    int m_index = -1;
    int m_column = -1;
    int m_keyFieldIndex = -1;  // fkLookup: position of KeyFields in the own dataset
    // fkLookup: the dictionary's key and result fields, valid while the stamp matches
    mutable const TField* m_lookupKeyCache = nullptr;
    mutable const TField* m_lookupResultCache = nullptr;
    mutable quint64 m_lookupCacheStamp = 0;
    int m_size = 0;
    int m_displayWidth = 0;
    bool m_readOnly = false;
    bool m_required = false;
    bool m_fixedChar = false;
    bool m_visible = true;
    QString m_displayFormat;
    QString m_displayLabel;
    QString m_keyFields;
    TDataSet* m_lookupDataSet = nullptr;
    QString m_lookupKeyFields;
    QString m_lookupResultField;
};

}  // namespace zel
