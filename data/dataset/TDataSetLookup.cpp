// TDataSet: lookup dictionaries (who reads whom, change propagation) and the
// per-field key indexes behind Lookup, Locate and lookup fields.
#include "data/dataset/TDataSet.h"

#include "data/dataset/TDataSetPrivate.h"
#include "data/dataset/TField.h"

#include <algorithm>

namespace zel {

void TDataSet::registerLookupSource(TDataSet* source)
{
    m_lookupSources.push_back(source);
    source->m_lookupDependants.push_back(this);
}

void TDataSet::unregisterLookupSource(TDataSet* source)
{
    detail::eraseOne(m_lookupSources, source);
    detail::eraseOne(source->m_lookupDependants, this);
}

void TDataSet::lookupSourceDestroyed(TDataSet* source)
{
    for (TField* field : m_fields)
        if (field->m_lookupDataSet == source)
            field->m_lookupDataSet = nullptr;
    for (auto& field : m_persistent)
        if (field->m_lookupDataSet == source)
            field->m_lookupDataSet = nullptr;
    m_lookupSources.erase(std::remove(m_lookupSources.begin(), m_lookupSources.end(), source),
                          m_lookupSources.end());
    detail::eraseOne(source->m_lookupDependants, this);
}

void TDataSet::openLookupDataSets()
{
    for (TDataSet* source : std::vector<TDataSet*>(m_lookupSources))
        if (!source->Active())
            source->Open();
}

void TDataSet::rowsChanged()
{
    invalidateIndexes();
    m_calcRow = -1;
    if (m_propagating)
        return;
    detail::ScopedValue<bool> propagating(m_propagating, true);
    for (TDataSet* dependant : std::vector<TDataSet*>(m_lookupDependants))
        dependant->lookupSourceChanged();
}

void TDataSet::lookupSourceChanged()
{
    if (!Active() || m_propagating)
        return;
    rowsChanged();
    notify(Notify::DataSet);
}

void TDataSet::invalidateIndexes()
{
    for (auto& index : m_indexes)
        if (index)
            index->clear();
}

const KeyIndex& TDataSet::keyIndex(const TField& field)
{
    auto& slot = m_indexes[std::size_t(field.Index())];
    if (!slot)
        slot = std::make_unique<KeyIndex>();
    if (!slot->isBuilt()) {
        slot->reserve(int(m_view.size()));
        const int column = field.column();
        const bool integers = field.FieldKind() == fkData && column >= 0
            && m_rows.kindOf(column) == db::CellKind::Integer;
        for (int pos = 0; pos < int(m_view.size()); ++pos) {
            const int physical = m_view[std::size_t(pos)];
            if (integers) {
                if (!m_rows.isNull(physical, column))
                    slot->addInteger(m_rows.integer(physical, column), pos);
            } else if (field.FieldKind() == fkData) {
                if (column >= 0)
                    slot->add(field.fromCell(m_rows, physical, column), pos);
            } else {
                slot->add(valueOfRow(field, physical, pos), pos);
            }
        }
        slot->setBuilt();
    }
    return *slot;
}

QVariant TDataSet::Lookup(const QString& keyField, const QVariant& keyValue,
                          const QString& resultField)
{
    checkActive();
    const TField* key = FieldByName(keyField);
    const TField* result = FieldByName(resultField);
    const int pos = keyIndex(*key).find(keyValue);
    if (pos < 0)
        return {};
    return valueOfRow(*result, m_view[std::size_t(pos)], pos);
}

QVariant TDataSet::lookupValue(const TField& field, int physical, int position) const
{
    TDataSet* source = field.m_lookupDataSet;
    if (!source || !source->Active() || field.m_keyFieldIndex < 0)
        return {};
    const QVariant key = valueOfRow(*m_fields[std::size_t(field.m_keyFieldIndex)], physical, position);
    if (key.isNull())
        return {};
    if (field.m_lookupCacheStamp != source->m_fieldsStamp) {
        field.m_lookupKeyCache = source->FindField(field.LookupKeyFields());
        field.m_lookupResultCache = source->FindField(field.LookupResultField());
        field.m_lookupCacheStamp = source->m_fieldsStamp;
    }
    const TField* sourceKey = field.m_lookupKeyCache;
    const TField* sourceResult = field.m_lookupResultCache;
    if (!sourceKey || !sourceResult)
        return {};
    const int pos = source->keyIndex(*sourceKey).find(key);
    if (pos < 0)
        return {};
    QString error;
    const QVariant value =
        field.convert(source->valueOfRow(*sourceResult, source->m_view[std::size_t(pos)], pos), &error);
    return error.isEmpty() ? value : QVariant();
}

}  // namespace zel
