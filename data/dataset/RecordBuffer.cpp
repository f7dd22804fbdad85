#include "data/dataset/RecordBuffer.h"

#include <algorithm>

namespace zel {

void RecordBuffer::resize(std::size_t fieldCount)
{
    m_row = -1;
    m_modified = false;
    m_values.assign(fieldCount, QVariant());
    m_oldValues.assign(fieldCount, QVariant());
    m_assigned.assign(fieldCount, false);
}

void RecordBuffer::begin(int row, std::vector<QVariant> values)
{
    m_row = row;
    m_modified = false;
    m_oldValues = values;
    m_values = std::move(values);
    std::fill(m_assigned.begin(), m_assigned.end(), false);
}

void RecordBuffer::beginInsert(int row)
{
    begin(row, std::vector<QVariant>(m_values.size()));
}

void RecordBuffer::clear()
{
    resize(m_values.size());
}

bool RecordBuffer::sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

bool RecordBuffer::changed(std::size_t field) const
{
    return !sameValue(m_values[field], m_oldValues[field]);
}

void RecordBuffer::write(std::size_t field, QVariant value)
{
    m_values[field] = std::move(value);
    m_assigned[field] = true;
    m_modified = true;
}

}  // namespace zel
