#include "data/dataset/TField.h"

#include "data/DbError.h"
#include "data/RowSet.h"
#include "data/dataset/TDataSet.h"

namespace zel {

TField::TField(TDataSet* dataSet, const QString& fieldName, TFieldType dataType)
    : m_dataSet(dataSet), m_fieldName(fieldName), m_dataType(dataType)
{
}

TField::~TField() = default;

int TField::DisplayWidth() const
{
    if (m_displayWidth > 0)
        return m_displayWidth;
    return m_size > 0 ? m_size : 10;
}

void TField::SetLookup(const QString& keyFields, TDataSet* lookupDataSet,
                       const QString& lookupKeyFields, const QString& lookupResultField)
{
    if (m_dataSet->Active())
        throw DataError(QStringLiteral("%1: нельзя изменить поле '%2' открытого набора данных.")
                            .arg(m_dataSet->Name(), m_fieldName));
    m_fieldKind = fkLookup;
    m_keyFields = keyFields;
    m_lookupKeyFields = lookupKeyFields;
    m_lookupResultField = lookupResultField;
    if (m_lookupDataSet != lookupDataSet) {
        if (m_lookupDataSet)
            m_dataSet->unregisterLookupSource(m_lookupDataSet);
        m_lookupDataSet = lookupDataSet;
        if (m_lookupDataSet)
            m_dataSet->registerLookupSource(m_lookupDataSet);
    }
}

QVariant TField::Value() const
{
    return m_dataSet->fieldValue(*this);
}

QVariant TField::ValueAt(int recNo) const
{
    return m_dataSet->fieldValueAt(*this, recNo);
}

QVariant TField::OldValue() const
{
    return m_dataSet->fieldOldValue(*this);
}

void TField::SetValue(const QVariant& value)
{
    QString error;
    const QVariant canonicalValue = convert(value, &error);
    if (!error.isEmpty())
        throw DataError(error);
    m_dataSet->setFieldValue(*this, canonicalValue);
}

void TField::SetAsString(const QString& text)
{
    SetValue(text);
}

QVariant TField::convert(const QVariant& value, QString* error) const
{
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text.isEmpty())
            return {};
        return convertText(text, error);
    }
    return convertValue(value, error);
}

QVariant TField::fromCell(const db::RowSet& rows, int row, int column) const
{
    if (rows.isNull(row, column))
        return {};
    QString error;
    QVariant value = convert(rows.value(row, column), &error);
    return error.isEmpty() ? value : QVariant();
}

QString TField::textOf(const QVariant& value) const
{
    return value.isNull() ? QString() : value.toString();
}

int TField::AsInteger() const
{
    return int(AsLargeInt());
}

qint64 TField::AsLargeInt() const
{
    const QVariant value = Value();
    if (value.isNull())
        return 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        return value.toLongLong();
    case QMetaType::Double:
        return qRound64(value.toDouble());
    default:
        break;
    }
    bool ok = false;
    const qint64 number = value.toString().trimmed().toLongLong(&ok);
    if (!ok)
        throw DataError(invalidValueMessage(value.toString(), "допустимым целым числом"));
    return number;
}

double TField::AsFloat() const
{
    const QVariant value = Value();
    if (value.isNull())
        return 0.0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Bool:
    case QMetaType::Double:
        return value.toDouble();
    default:
        break;
    }
    QString text = value.toString().trimmed();
    text.replace(u',', u'.');
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok)
        throw DataError(invalidValueMessage(value.toString(), "допустимым числом"));
    return number;
}

bool TField::AsBoolean() const
{
    const QVariant value = Value();
    if (value.isNull())
        return false;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(u"true", Qt::CaseInsensitive) == 0 || text == u"1")
            return true;
        if (text.compare(u"false", Qt::CaseInsensitive) == 0 || text == u"0")
            return false;
        throw DataError(invalidValueMessage(text, "допустимым логическим значением"));
    }
    return value.toBool();
}

QDateTime TField::AsDateTime() const
{
    const QVariant value = Value();
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return value.toDate().startOfDay();
    default:
        break;
    }
    if (value.isNull())
        return {};
    throw DataError(invalidValueMessage(value.toString(), "допустимой датой"));
}

QByteArray TField::AsBytes() const
{
    const QVariant value = Value();
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    return value.toString().toUtf8();
}

QString TField::invalidValueMessage(const QString& text, const char* what)
{
    return QStringLiteral("'%1' не является %2.").arg(text, QString::fromUtf8(what));
}

}  // namespace zel
