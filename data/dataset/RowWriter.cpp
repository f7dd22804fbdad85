#include "data/dataset/RowWriter.h"

#include "data/DbError.h"
#include "data/Driver.h"
#include "data/dataset/RecordBuffer.h"
#include "data/dataset/TField.h"

namespace zel {

RowWriter::RowWriter(const db::RowSet& rows, const std::vector<TField*>& fields,
                     const QString& defaultTable)
    : m_rows(rows), m_fields(fields)
{
    const auto& columns = rows.columns();
    for (int c = 0; c < int(columns.size()); ++c) {
        if (!columns[c].baseTable.isEmpty())
            m_columnsNameTables = true;
        if (m_keyColumn < 0 && columns[c].key)
            m_keyColumn = c;
        if (m_identityColumn < 0 && columns[c].identity)
            m_identityColumn = c;
    }
    // a result that reports no key: the identity, else the declared identity field
    if (m_identityColumn < 0) {
        for (TField* field : fields)
            if (field->DataType() == ftAutoInc && field->column() >= 0) {
                m_identityColumn = field->column();
                break;
            }
    }
    if (m_keyColumn < 0)
        m_keyColumn = m_identityColumn;

    if (m_keyColumn >= 0 && !columns[m_keyColumn].baseTable.isEmpty())
        m_table = columns[m_keyColumn].baseTable;
    if (m_table.isEmpty())
        for (const auto& column : columns)
            if (!column.baseTable.isEmpty()) {
                m_table = column.baseTable;
                break;
            }
    if (m_table.isEmpty())
        m_table = defaultTable;

    for (TField* field : fields)
        if (field->column() >= 0 && field->column() == m_identityColumn)
            m_identityField = field;

    if (m_table.isEmpty())
        m_problem = QStringLiteral("не известна таблица, в которую записываются строки");
    else if (m_keyColumn < 0)
        m_problem = QStringLiteral("у таблицы %1 не найден ключ строки").arg(m_table);
}

QString RowWriter::rowNotFoundMessage()
{
    return QStringLiteral("Строка не найдена: запись изменена или удалена другим пользователем.");
}

bool RowWriter::writes(const TField& field) const
{
    if (field.FieldKind() != fkData || field.column() < 0 || field.column() == m_identityColumn)
        return false;
    const db::ColumnInfo& column = m_rows.columns()[std::size_t(field.column())];
    if (!m_columnsNameTables)
        return true;
    return column.baseTable.compare(m_table, Qt::CaseInsensitive) == 0;
}

QString RowWriter::columnName(const TField& field) const
{
    const db::ColumnInfo& column = m_rows.columns()[std::size_t(field.column())];
    return column.baseColumn.isEmpty() ? column.name : column.baseColumn;
}

QVariant RowWriter::keyOf(int physical) const
{
    const QVariant key = m_rows.value(physical, m_keyColumn);
    if (key.isNull())
        throw DataError(QStringLiteral("Строка таблицы %1 не имеет ключа и не может быть записана.")
                            .arg(m_table));
    return key;
}

bool RowWriter::comparable(const TField& field) const
{
    const db::ColumnInfo& column = m_rows.columns()[std::size_t(field.column())];
    switch (column.type) {
    case db::SqlType::Text:
    case db::SqlType::NText:
    case db::SqlType::Image:
        return false;
    default:
        break;
    }
    if (db::isBinaryType(column.type))
        return false;
    // varchar(max) and the like cannot be compared either
    return !(db::isTextType(column.type) && (column.size < 0 || column.size > 8000));
}

void RowWriter::update(db::Driver& driver, int physical, const std::vector<QVariant>& values,
                       const std::vector<QVariant>& oldValues) const
{
    std::vector<db::ColumnValue> changed;
    std::vector<db::ColumnValue> originals;
    for (TField* field : m_fields) {
        const auto i = std::size_t(field->Index());
        if (!writes(*field) || RecordBuffer::sameValue(values[i], oldValues[i]))
            continue;
        const db::SqlType type = m_rows.columns()[std::size_t(field->column())].type;
        changed.push_back({columnName(*field), values[i], type});
        const bool unknownDefault = oldValues[i].isNull() && m_insertedHere.count(physical);
        if (comparable(*field) && !unknownDefault)
            originals.push_back({columnName(*field), oldValues[i], type});
    }
    if (changed.empty())
        return;
    const db::ColumnInfo& key = m_rows.columns()[std::size_t(m_keyColumn)];
    const qint64 affected = driver.updateUnchanged(
        m_table, key.baseColumn.isEmpty() ? key.name : key.baseColumn, keyOf(physical), changed, originals);
    if (affected == 0)
        throw DataError(rowNotFoundMessage());
}

QVariant RowWriter::insert(db::Driver& driver, const std::vector<QVariant>& values,
                           const std::vector<bool>& assigned) const
{
    std::vector<db::ColumnValue> columns;
    for (TField* field : m_fields) {
        const auto i = std::size_t(field->Index());
        if (!writes(*field) || !assigned[i])
            continue;
        columns.push_back(
            {columnName(*field), values[i], m_rows.columns()[std::size_t(field->column())].type});
    }
    QString identity;
    if (m_identityColumn >= 0) {
        const db::ColumnInfo& column = m_rows.columns()[std::size_t(m_identityColumn)];
        identity = column.baseColumn.isEmpty() ? column.name : column.baseColumn;
    }
    return driver.insert(m_table, columns, identity);
}

void RowWriter::remove(db::Driver& driver, int physical) const
{
    const db::ColumnInfo& key = m_rows.columns()[std::size_t(m_keyColumn)];
    const QString keyName = key.baseColumn.isEmpty() ? key.name : key.baseColumn;
    std::vector<db::ColumnValue> originals;
    // Only a result that names each column's table tells stored columns from computed ones.
    for (TField* field : m_fields) {
        if (!m_columnsNameTables || !writes(*field) || !comparable(*field))
            continue;
        const QString name = columnName(*field);
        if (name.compare(keyName, Qt::CaseInsensitive) == 0)
            continue;
        const QVariant original = m_rows.value(physical, field->column());
        if (original.isNull() && m_insertedHere.count(physical))
            continue;
        originals.push_back({name, original, m_rows.columns()[std::size_t(field->column())].type});
    }
    const qint64 affected = driver.removeUnchanged(m_table, keyName, keyOf(physical), originals);
    if (affected == 0)
        throw DataError(rowNotFoundMessage());
}

}  // namespace zel
