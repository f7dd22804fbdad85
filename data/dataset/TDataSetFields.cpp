// TDataSet: field declarations, binding fields to the result (persistent or dynamic),
// reading and writing values of the current row, calculated fields.
#include "data/dataset/TDataSet.h"

#include "data/DbError.h"
#include "data/dataset/FieldFactory.h"
#include "data/dataset/TBCDField.h"
#include "data/dataset/TDataSetPrivate.h"
#include "data/dataset/TField.h"

#include <algorithm>

namespace zel {

// ---------------------------------------------------------------- fields

void TDataSet::DeclareFields(const std::vector<TFieldDecl>& declarations)
{
    for (const TFieldDecl& declaration : declarations)
        AddField(declaration);
}

TField* TDataSet::AddField(const TFieldDecl& declaration)
{
    if (Active())
        throw DataError(
            QStringLiteral("%1: поля нельзя объявить у открытого набора данных.").arg(m_name));
    for (const auto& existing : m_persistent)
        if (existing->FieldName().compare(declaration.name, Qt::CaseInsensitive) == 0)
            throw DataError(QStringLiteral("%1: поле '%2' объявлено дважды.")
                                .arg(m_name, declaration.name));
    if (m_persistent.empty()) {
        m_fields.clear();
        m_dynamic.clear();
    }
    std::unique_ptr<TField> field = fieldfactory::create(declaration.type, this, declaration.name);
    if (declaration.size > 0)
        field->SetSize(declaration.size);
    if (declaration.type == ftBCD) {
        field->SetSize(declaration.size);
        if (declaration.precision > 0)
            static_cast<TBCDField&>(*field).SetPrecision(declaration.precision);
    }
    field->SetFieldKind(declaration.kind);
    field->SetDisplayFormat(declaration.displayFormat);
    field->SetDisplayWidth(declaration.displayWidth);
    field->SetDisplayLabel(declaration.displayLabel);
    field->SetFixedChar(declaration.fixedChar);
    field->SetRequired(declaration.required);
    if (declaration.readOnly)
        field->SetReadOnly(true);
    if (declaration.kind == fkLookup)
        field->SetLookup(declaration.keyFields, declaration.lookupDataSet,
                         declaration.lookupKeyFields, declaration.lookupResultField);
    field->m_index = int(m_persistent.size());
    TField* result = field.get();
    m_persistent.push_back(std::move(field));
    m_fields.push_back(result);
    return result;
}

TField* TDataSet::FindField(const QString& name) const
{
    for (TField* field : m_fields)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field;
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& name) const
{
    if (TField* field = FindField(name))
        return field;
    throw DataError(QStringLiteral("%1: поле '%2' не найдено.").arg(m_name, name));
}

void TDataSet::bindFields()
{
    if (m_persistent.empty())
        createDynamicFields();
    else
        bindPersistentFields();
    m_hasCalcFields = std::any_of(m_fields.begin(), m_fields.end(),
                                  [](const TField* f) { return f->FieldKind() == fkCalculated; });
    const std::size_t count = m_fields.size();
    m_edit.resize(count);
    m_calcValues.assign(count, QVariant());
    m_calcRow = -1;
    m_indexes.clear();
    m_indexes.resize(count);
    static quint64 stamps = 0;
    m_fieldsStamp = ++stamps;
}

void TDataSet::bindPersistentFields()
{
    for (TField* field : m_fields) {
        field->m_column = -1;
        field->m_keyFieldIndex = -1;
        if (field->FieldKind() == fkData) {
            const int column = m_rows.columnIndex(field->FieldName());
            if (column < 0)
                throw DataError(QStringLiteral("%1: поле '%2' не найдено в результате запроса.")
                                    .arg(m_name, field->FieldName()));
            const db::ColumnInfo& info = m_rows.columns()[std::size_t(column)];
            if (!field->acceptsColumn(info))
                throw DataError(
                    QStringLiteral("%1: тип поля '%2' (%3) не совпадает с типом столбца (%4).")
                        .arg(m_name, field->FieldName(), fieldfactory::className(field->DataType()),
                             db::sqlTypeName(info.type)));
            field->m_column = column;
        } else if (field->FieldKind() == fkLookup) {
            TField* key = FindField(field->KeyFields());
            if (!key || key == field)
                throw DataError(QStringLiteral("%1: ключевое поле '%2' поля подстановки '%3' не найдено.")
                                    .arg(m_name, field->KeyFields(), field->FieldName()));
            if (!field->LookupDataSet())
                throw DataError(QStringLiteral("%1: у поля подстановки '%2' не задан справочник.")
                                    .arg(m_name, field->FieldName()));
            field->m_keyFieldIndex = key->Index();
        }
    }
}

void TDataSet::createDynamicFields()
{
    std::vector<std::unique_ptr<TField>> previous = std::move(m_dynamic);
    m_dynamic.clear();
    m_fields.clear();
    const auto& columns = m_rows.columns();
    for (int c = 0; c < int(columns.size()); ++c) {
        const TFieldType type = fieldfactory::typeForColumn(columns[std::size_t(c)]);
        std::unique_ptr<TField> field;
        // reuse a field of the same name and class, so bound controls keep working
        for (auto& old : previous)
            if (old && old->DataType() == type
                && old->FieldName().compare(columns[std::size_t(c)].name, Qt::CaseInsensitive) == 0) {
                field = std::move(old);
                break;
            }
        if (!field)
            field = fieldfactory::create(type, this, columns[std::size_t(c)].name);
        fieldfactory::describe(*field, columns[std::size_t(c)]);
        field->m_index = c;
        field->m_column = c;
        m_fields.push_back(field.get());
        m_dynamic.push_back(std::move(field));
    }
}

// ---------------------------------------------------------------- values

QVariant TDataSet::valueOfRow(const TField& field, int physical, int position) const
{
    const auto index = std::size_t(field.Index());
    switch (field.FieldKind()) {
    case fkData:
        if (physical == m_edit.row())
            return m_edit.value(index);
        if (field.column() < 0)
            return {};
        return field.fromCell(m_rows, physical, field.column());
    case fkLookup:
        return lookupValue(field, physical, position);
    case fkCalculated:
        if (m_readRow >= 0)  // inside OnCalcFields
            return physical == m_calcRow ? m_calcValues[index] : QVariant();
        if (m_calcRow != physical)
            runCalcFields(physical, position);
        return m_calcValues[index];
    }
    return {};
}

void TDataSet::runCalcFields(int physical, int position) const
{
    std::fill(m_calcValues.begin(), m_calcValues.end(), QVariant());
    m_calcRow = physical;
    if (!OnCalcFields)
        return;
    if (position < 0) {
        const auto it = std::find(m_view.begin(), m_view.end(), physical);
        position = it == m_view.end() ? -1 : int(it - m_view.begin());
    }
    detail::ScopedValue<int> row(m_readRow, physical);
    detail::ScopedValue<int> pos(m_readPosition, position);
    try {
        const TDataSetNotifyEvent handler = OnCalcFields;  // may be replaced while it runs
        handler(const_cast<TDataSet&>(*this));
    } catch (...) {
        m_calcRow = -1;
        throw;
    }
}

QVariant TDataSet::fieldValue(const TField& field) const
{
    if (m_state == dsInactive)
        return {};
    if (m_readRow >= 0)
        return valueOfRow(field, m_readRow, m_readPosition);
    if (m_position < 0)
        return {};
    return valueOfRow(field, m_view[std::size_t(m_position)], m_position);
}

QVariant TDataSet::fieldValueAt(const TField& field, int recNo) const
{
    if (m_state == dsInactive || recNo < 1 || recNo > int(m_view.size()))
        return {};
    return valueOfRow(field, m_view[std::size_t(recNo - 1)], recNo - 1);
}

QVariant TDataSet::fieldOldValue(const TField& field) const
{
    if (field.FieldKind() == fkData && m_edit.isActive() && m_readRow < 0) {
        if (m_state == dsInsert)
            return {};
        return m_edit.oldValue(std::size_t(field.Index()));
    }
    return fieldValue(field);
}

void TDataSet::setFieldValue(TField& field, const QVariant& canonicalValue)
{
    checkActive();
    const auto index = std::size_t(field.Index());
    if (field.FieldKind() == fkCalculated) {
        if (m_readRow < 0)
            throw DataError(QStringLiteral("%1: поле '%2' вычисляется и не может быть изменено.")
                                .arg(m_name, field.FieldName()));
        m_calcValues[index] = canonicalValue;
        return;
    }
    if (m_readRow >= 0)
        throw DataError(QStringLiteral("%1: при вычислении полей поле '%2' изменять нельзя.")
                            .arg(m_name, field.FieldName()));
    if (m_state != dsEdit && m_state != dsInsert)
        throw DataError(
            QStringLiteral("%1: набор данных не находится в режиме редактирования или вставки.")
                .arg(m_name));
    if (field.ReadOnly() || field.DataType() == ftAutoInc)
        throw DataError(QStringLiteral("Поле '%1' нельзя изменить.").arg(field.FieldName()));

    if (field.FieldKind() == fkLookup) {
        // writing a dictionary text chooses the key of the row that shows it
        TField* key = m_fields[std::size_t(field.m_keyFieldIndex)];
        if (canonicalValue.isNull()) {
            key->Clear();
            return;
        }
        TDataSet* source = field.m_lookupDataSet;
        const TField* sourceKey = source ? source->FindField(field.LookupKeyFields()) : nullptr;
        const TField* sourceResult = source ? source->FindField(field.LookupResultField()) : nullptr;
        if (source && source->Active() && sourceKey && sourceResult) {
            for (int pos = 0; pos < source->RecordCount(); ++pos) {
                const int physical = source->m_view[std::size_t(pos)];
                if (RecordBuffer::sameValue(source->valueOfRow(*sourceResult, physical, pos), canonicalValue)) {
                    key->SetValue(source->valueOfRow(*sourceKey, physical, pos));
                    return;
                }
            }
        }
        throw DataError(QStringLiteral("'%1' нет в справочнике поля '%2'.")
                            .arg(canonicalValue.toString(), field.FieldName()));
    }

    m_edit.write(index, canonicalValue);
    m_calcRow = -1;
    fieldChanged(field);
}

void TDataSet::fieldChanged(TField& field)
{
    notify(Notify::Record, &field);
    for (TField* other : m_fields) {
        if (other == &field)
            continue;
        if (other->FieldKind() == fkCalculated
            || (other->FieldKind() == fkLookup && other->m_keyFieldIndex == field.Index()))
            notify(Notify::Record, other);
    }
    if (field.OnChange) {
        const TFieldNotifyEvent handler = field.OnChange;
        handler(field);
    }
}

}  // namespace zel
