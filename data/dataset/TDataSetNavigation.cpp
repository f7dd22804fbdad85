// TDataSet: the view (row order and filter on the client) and moving the current row.
#include "data/dataset/TDataSet.h"

#include "data/dataset/RowFilter.h"
#include "data/dataset/RowSorter.h"

#include <algorithm>

namespace zel {

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

}  // namespace zel
