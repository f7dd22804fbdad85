#include "data/dataset/TDataSet.h"

#include "data/DbError.h"
#include "data/Driver.h"
#include "data/dataset/FieldFactory.h"
#include "data/dataset/RowFilter.h"
#include "data/dataset/RowSorter.h"
#include "data/dataset/RowWriter.h"
#include "data/dataset/TBCDField.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TDataSource.h"
#include "data/dataset/TField.h"

#include <algorithm>

namespace zel {

namespace {

template <typename T>
void eraseOne(std::vector<T*>& list, T* item)
{
    const auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end())
        list.erase(it);
}

/// Restores a value when the scope ends, also on an exception.
template <typename T>
class ScopedValue {
public:
    ScopedValue(T& target, T value) : m_target(target), m_saved(target) { m_target = value; }
    ~ScopedValue() { m_target = m_saved; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_target;
    T m_saved;
};

}  // namespace

TDataSet::TDataSet(const QString& name) : m_name(name) {}

TDataSet::~TDataSet()
{
    for (TDataSource* source : m_dataSources)
        source->dataSetDestroyed();
    for (TDataSet* dependant : std::vector<TDataSet*>(m_lookupDependants))
        dependant->lookupSourceDestroyed(this);
    for (TDataSet* source : m_lookupSources)
        eraseOne(source->m_lookupDependants, this);
    if (m_connection)
        m_connection->detach(this);
}

void TDataSet::SetConnection(TADOConnection* connection)
{
    if (connection == m_connection)
        return;
    Close();
    if (m_connection)
        m_connection->detach(this);
    m_connection = connection;
    if (m_connection)
        m_connection->attach(this);
}

db::Driver& TDataSet::driver() const
{
    if (!m_connection)
        throw DataError(QStringLiteral("%1: не задано соединение с базой данных.").arg(m_name));
    if (!m_connection->Connected())
        m_connection->Open();
    return m_connection->driver();
}

void TDataSet::fetchRows(db::RowSet& rows)
{
    const QString text = commandText();
    if (text.trimmed().isEmpty())
        throw DataError(QStringLiteral("%1: не задан текст команды.").arg(m_name));
    driver().query(text, rows);
}

// ---------------------------------------------------------------- opening

void TDataSet::Open()
{
    if (Active() || m_opening)
        return;
    ScopedValue<bool> opening(m_opening, true);
    fire(BeforeOpen);
    try {
        m_rows.clear();
        fetchRows(m_rows);
        m_rows.squeeze();
        if (m_rows.columnCount() == 0)
            throw DataError(QStringLiteral("%1: команда не вернула набор записей.").arg(m_name));
        bindFields();
        openLookupDataSets();
        m_deleted.assign(std::size_t(m_rows.rowCount()), false);
        m_writer = std::make_unique<RowWriter>(m_rows, m_fields, defaultBaseTable());
        rebuildView(-1);
    } catch (...) {
        m_rows.clear();
        m_view.clear();
        m_deleted.clear();
        m_writer.reset();
        m_position = -1;
        throw;
    }
    m_state = dsBrowse;
    notify(Notify::Active);
    rowsChanged();
    fire(AfterOpen);
    if (!IsEmpty())
        afterScroll();
}

void TDataSet::Close()
{
    if (!Active())
        return;
    fire(BeforeClose);
    endEdit();
    m_state = dsInactive;
    m_rows.clear();
    m_view.clear();
    m_deleted.clear();
    m_writer.reset();
    m_position = -1;
    m_bof = m_eof = true;
    m_calcRow = -1;
    invalidateIndexes();
    notify(Notify::Active);
    rowsChanged();
    fire(AfterClose);
}

void TDataSet::Requery()
{
    CheckBrowseMode();
    Close();
    Open();
}

void TDataSet::checkActive() const
{
    if (!Active())
        throw DataError(QStringLiteral("%1: операция невозможна, набор данных закрыт.").arg(m_name));
}

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

// ---------------------------------------------------------------- lookup dictionaries

void TDataSet::registerLookupSource(TDataSet* source)
{
    m_lookupSources.push_back(source);
    source->m_lookupDependants.push_back(this);
}

void TDataSet::unregisterLookupSource(TDataSet* source)
{
    eraseOne(m_lookupSources, source);
    eraseOne(source->m_lookupDependants, this);
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
    eraseOne(source->m_lookupDependants, this);
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
    ScopedValue<bool> propagating(m_propagating, true);
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
    ScopedValue<int> row(m_readRow, physical);
    ScopedValue<int> pos(m_readPosition, position);
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

void TDataSet::notify(Notify what, TField* field)
{
    const std::vector<TDataSource*> sources = m_dataSources;
    for (TDataSource* source : sources) {
        if (std::find(m_dataSources.begin(), m_dataSources.end(), source) == m_dataSources.end())
            continue;
        switch (what) {
        case Notify::Active:
            source->notifyActiveChanged();
            break;
        case Notify::DataSet:
            source->notifyDataSetChanged();
            break;
        case Notify::Scrolled:
            source->notifyScrolled();
            break;
        case Notify::Record:
            source->notifyRecordChanged(field);
            break;
        }
    }
}

void TDataSet::UpdateRecord()
{
    if (m_state == dsEdit || m_state == dsInsert)
        notifyUpdateData();
}

void TDataSet::notifyUpdateData()
{
    const std::vector<TDataSource*> sources = m_dataSources;
    for (TDataSource* source : sources)
        if (std::find(m_dataSources.begin(), m_dataSources.end(), source) != m_dataSources.end())
            source->notifyUpdateData();
}

void TDataSet::setState(TDataSetState state)
{
    if (state == m_state)
        return;
    const bool wasEditing = m_state == dsEdit || m_state == dsInsert;
    m_state = state;
    const bool editing = m_state == dsEdit || m_state == dsInsert;
    const std::vector<TDataSource*> sources = m_dataSources;
    for (TDataSource* source : sources)
        if (std::find(m_dataSources.begin(), m_dataSources.end(), source) != m_dataSources.end())
            source->notifyStateChanged(wasEditing != editing);
}

void TDataSet::addDataSource(TDataSource* source)
{
    if (std::find(m_dataSources.begin(), m_dataSources.end(), source) == m_dataSources.end())
        m_dataSources.push_back(source);
}

void TDataSet::removeDataSource(TDataSource* source)
{
    eraseOne(m_dataSources, source);
}

// ---------------------------------------------------------------- view: order and filter

void TDataSet::rebuildView(int keepPhysical)
{
    const RowFilter filter(m_filtered ? m_filter : FilterExpression(), *this);
    const RowSorter sorter(m_sort, *this);

    std::vector<int> view;
    view.reserve(std::size_t(m_rows.rowCount()));
    for (int physical = 0; physical < m_rows.rowCount(); ++physical) {
        if (m_deleted[std::size_t(physical)])
            continue;
        if (filter.isEmpty()
            || filter.accepts([&](const TField& field) { return valueOfRow(field, physical, -1); }))
            view.push_back(physical);
    }
    sorter.sort(view, [this](const TField& field, int physical, int position) {
        return valueOfRow(field, physical, position);
    });

    m_view = std::move(view);
    m_position = m_view.empty() ? -1 : 0;
    if (keepPhysical >= 0) {
        const auto it = std::find(m_view.begin(), m_view.end(), keepPhysical);
        if (it != m_view.end())
            m_position = int(it - m_view.begin());
    }
    m_bof = m_position <= 0;
    m_eof = m_view.empty();
    m_calcRow = -1;
    invalidateIndexes();
}

void TDataSet::SetSort(const QString& sort)
{
    if (!Active()) {
        m_sort = sort;
        return;
    }
    CheckBrowseMode();
    const QString previous = m_sort;
    const int current = m_position >= 0 ? m_view[std::size_t(m_position)] : -1;
    m_sort = sort;
    try {
        rebuildView(current);
    } catch (...) {
        m_sort = previous;
        throw;
    }
    rowsChanged();
    notify(Notify::DataSet);
}

void TDataSet::SetFilter(const QString& filter)
{
    FilterExpression parsed = FilterExpression::parse(filter);
    if (!Active() || !m_filtered) {
        m_filterText = filter;
        m_filter = std::move(parsed);
        return;
    }
    CheckBrowseMode();
    FilterExpression previous = std::move(m_filter);
    const QString previousText = m_filterText;
    m_filter = std::move(parsed);
    m_filterText = filter;
    try {
        rebuildView(-1);
    } catch (...) {
        m_filter = std::move(previous);
        m_filterText = previousText;
        throw;
    }
    rowsChanged();
    notify(Notify::DataSet);
    if (!IsEmpty())
        afterScroll();
}

void TDataSet::SetFiltered(bool filtered)
{
    if (filtered == m_filtered)
        return;
    if (!Active()) {
        m_filtered = filtered;
        return;
    }
    CheckBrowseMode();
    m_filtered = filtered;
    try {
        rebuildView(-1);
    } catch (...) {
        m_filtered = !filtered;
        throw;
    }
    rowsChanged();
    notify(Notify::DataSet);
    if (!IsEmpty())
        afterScroll();
}

// ---------------------------------------------------------------- navigation

int TDataSet::RecNo() const
{
    if (m_readRow >= 0)
        return m_readPosition + 1;
    return m_position + 1;
}

void TDataSet::afterScroll()
{
    fire(AfterScroll);
}

void TDataSet::moveTo(int position)
{
    fire(BeforeScroll);
    m_position = std::clamp(position, 0, int(m_view.size()) - 1);
    m_bof = false;
    m_eof = false;
    m_calcRow = -1;
    notify(Notify::Scrolled);
    afterScroll();
}

void TDataSet::First()
{
    checkActive();
    CheckBrowseMode();
    if (IsEmpty())
        return;
    moveTo(0);
    m_bof = true;
}

void TDataSet::Last()
{
    checkActive();
    CheckBrowseMode();
    if (IsEmpty())
        return;
    moveTo(int(m_view.size()) - 1);
    m_eof = true;
}

void TDataSet::Next()
{
    MoveBy(1);
}

void TDataSet::Prior()
{
    MoveBy(-1);
}

int TDataSet::MoveBy(int distance)
{
    checkActive();
    CheckBrowseMode();
    if (IsEmpty() || distance == 0)
        return 0;
    const int target = std::clamp(m_position + distance, 0, int(m_view.size()) - 1);
    const int moved = target - m_position;
    if (moved == 0) {
        if (distance > 0)
            m_eof = true;
        else
            m_bof = true;
        return 0;
    }
    moveTo(target);
    m_bof = distance < 0 && moved != distance;
    m_eof = distance > 0 && moved != distance;
    return moved;
}

void TDataSet::SetRecNo(int recNo)
{
    checkActive();
    if (IsEmpty())
        return;
    recNo = std::clamp(recNo, 1, int(m_view.size()));
    if (recNo - 1 == m_position)
        return;  // already there: a pending edit stays pending
    const int target = m_view[std::size_t(recNo - 1)];
    CheckBrowseMode();
    if (IsEmpty())
        return;
    // a cancelled insert may have shifted the rows: find the target row again
    const auto it = std::find(m_view.begin(), m_view.end(), target);
    const int position = it != m_view.end() ? int(it - m_view.begin())
                                            : std::min(recNo - 1, int(m_view.size()) - 1);
    if (position == m_position)
        return;
    moveTo(position);
}

bool TDataSet::Locate(const QString& keyField, const QVariant& value)
{
    checkActive();
    const TField* field = FieldByName(keyField);
    CheckBrowseMode();
    const int position = keyIndex(*field).find(value);
    if (position < 0)
        return false;
    moveTo(position);
    return true;
}

// ---------------------------------------------------------------- editing

bool TDataSet::CanModify() const
{
    return Active() && !m_readOnly && m_writer && m_writer->problem().isEmpty();
}

void TDataSet::checkCanModify() const
{
    if (m_readOnly)
        throw DataError(QStringLiteral("%1: набор данных доступен только для чтения.").arg(m_name));
}

void TDataSet::beginEdit(int physical, bool inserting)
{
    if (inserting) {
        m_edit.beginInsert(physical);
    } else {
        std::vector<QVariant> values(m_fields.size());
        for (TField* field : m_fields)
            if (field->FieldKind() == fkData && field->column() >= 0)
                values[std::size_t(field->Index())] = field->fromCell(m_rows, physical, field->column());
        m_edit.begin(physical, std::move(values));
    }
    m_calcRow = -1;
}

void TDataSet::endEdit()
{
    m_edit.clear();
    m_calcRow = -1;
}

void TDataSet::CheckBrowseMode()
{
    checkActive();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    notifyUpdateData();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    if (m_edit.modified())
        Post();
    else
        Cancel();
}

void TDataSet::Edit()
{
    checkActive();
    if (m_state == dsEdit || m_state == dsInsert)
        return;
    if (IsEmpty()) {
        Insert();
        return;
    }
    fire(BeforeEdit);
    for (;;) {
        try {
            checkCanModify();
            break;
        } catch (const AbortSignal&) {
            throw;
        } catch (const Error& error) {
            TDataAction action = daFail;
            fire(OnEditError, error, action);
            if (action == daAbort)
                throw AbortSignal();
            if (action == daFail || m_state != dsBrowse)
                throw;
        }
    }
    beginEdit(m_view[std::size_t(m_position)], false);
    setState(dsEdit);
    fire(AfterEdit);
}

void TDataSet::Insert()
{
    checkActive();
    checkCanModify();
    CheckBrowseMode();
    fire(BeforeInsert);
    fire(BeforeScroll);
    const int physical = m_rows.insertRow(m_rows.rowCount());
    m_deleted.push_back(false);
    const int position = m_position < 0 ? 0 : m_position;
    m_view.insert(m_view.begin() + position, physical);
    m_position = position;
    m_bof = m_eof = false;
    invalidateIndexes();
    beginEdit(physical, true);
    setState(dsInsert);
    notify(Notify::DataSet);
    fire(AfterInsert);
    afterScroll();
}

void TDataSet::Append()
{
    checkActive();
    checkCanModify();
    CheckBrowseMode();
    fire(BeforeInsert);
    fire(BeforeScroll);
    const int physical = m_rows.insertRow(m_rows.rowCount());
    m_deleted.push_back(false);
    m_view.push_back(physical);
    m_position = int(m_view.size()) - 1;
    m_bof = false;
    m_eof = true;
    invalidateIndexes();
    beginEdit(physical, true);
    setState(dsInsert);
    notify(Notify::DataSet);
    fire(AfterInsert);
    afterScroll();
}

void TDataSet::checkRequiredFields() const
{
    for (const TField* field : m_fields)
        if (field->Required() && field->FieldKind() == fkData && field->DataType() != ftAutoInc
            && m_edit.value(std::size_t(field->Index())).isNull())
            throw DataError(QStringLiteral("Поле '%1' должно иметь значение.").arg(field->FieldName()));
}

void TDataSet::writeRow()
{
    checkRequiredFields();
    if (!m_writer->problem().isEmpty())
        throw DataError(QStringLiteral("%1: строку нельзя записать: %2.").arg(m_name, m_writer->problem()));
    db::Driver& db = driver();
    if (m_state == dsInsert) {
        const QVariant identity = m_writer->insert(db, m_edit.values(), m_edit.assignedFields());
        if (!identity.isNull()) {
            if (TField* field = m_writer->identityField()) {
                QString error;
                m_edit.receive(std::size_t(field->Index()), field->convert(identity, &error));
            } else if (m_writer->identityColumn() >= 0) {
                m_rows.setCell(m_edit.row(), m_writer->identityColumn(), identity);
            }
        }
    } else {
        m_writer->update(db, m_edit.row(), m_edit.values(), m_edit.oldValues());
    }
}

void TDataSet::storeBuffer()
{
    const bool inserting = m_state == dsInsert;
    for (TField* field : m_fields) {
        const auto i = std::size_t(field->Index());
        if (field->FieldKind() != fkData || field->column() < 0)
            continue;
        if (inserting ? !m_edit.value(i).isNull() : m_edit.changed(i))
            m_rows.setCell(m_edit.row(), field->column(), m_edit.value(i));
    }
}

void TDataSet::Post()
{
    checkActive();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    notifyUpdateData();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    fire(BeforePost);
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    for (;;) {
        try {
            writeRow();
            break;
        } catch (const AbortSignal&) {
            throw;
        } catch (const Error& error) {
            TDataAction action = daFail;
            fire(OnPostError, error, action);
            if (action == daAbort)
                throw AbortSignal();
            if (action == daFail || (m_state != dsEdit && m_state != dsInsert))
                throw;
        }
    }
    storeBuffer();
    endEdit();
    setState(dsBrowse);
    rowsChanged();
    notify(Notify::DataSet);
    fire(AfterPost);
}

void TDataSet::Cancel()
{
    checkActive();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    fire(BeforeCancel);
    const bool wasInsert = m_state == dsInsert;
    if (wasInsert) {
        m_deleted[std::size_t(m_edit.row())] = true;
        m_view.erase(m_view.begin() + m_position);
        if (m_position >= int(m_view.size()))
            m_position = int(m_view.size()) - 1;
        m_bof = m_position <= 0;
        m_eof = m_view.empty();
        invalidateIndexes();
    }
    endEdit();
    setState(dsBrowse);
    notify(Notify::DataSet);
    fire(AfterCancel);
    if (wasInsert)
        afterScroll();
}

void TDataSet::Delete()
{
    checkActive();
    if (m_state == dsInsert) {
        Cancel();
        return;
    }
    if (IsEmpty())
        throw DataError(QStringLiteral("%1: нельзя удалить запись: набор данных пуст.").arg(m_name));
    checkCanModify();
    fire(BeforeDelete);
    const int physical = m_view[std::size_t(m_position)];
    if (!m_writer->problem().isEmpty())
        throw DataError(QStringLiteral("%1: строку нельзя удалить: %2.").arg(m_name, m_writer->problem()));
    m_writer->remove(driver(), physical);
    endEdit();
    m_deleted[std::size_t(physical)] = true;
    m_view.erase(m_view.begin() + m_position);
    if (m_position >= int(m_view.size()))
        m_position = int(m_view.size()) - 1;
    m_bof = m_position <= 0;
    m_eof = m_view.empty();
    setState(dsBrowse);
    rowsChanged();
    notify(Notify::DataSet);
    fire(AfterDelete);
    afterScroll();
}

}  // namespace zel
