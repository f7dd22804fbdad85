#include "RowSet.h"

#include <cstring>

namespace zel::db {

namespace {
const QDate kCellEpoch(1, 1, 1);
constexpr std::int64_t kMsPerDay = 86400000;
}  // namespace

CellDateTime toCellDateTime(const QDateTime& value)
{
    return (value.date().toJulianDay() - kCellEpoch.toJulianDay()) * kMsPerDay
        + value.time().msecsSinceStartOfDay();
}

CellDateTime toCellDateTime(const QDate& value)
{
    return (value.toJulianDay() - kCellEpoch.toJulianDay()) * kMsPerDay;
}

QDateTime fromCellDateTime(CellDateTime value)
{
    std::int64_t days = value / kMsPerDay;
    std::int64_t ms = value % kMsPerDay;
    if (ms < 0) {
        ms += kMsPerDay;
        --days;
    }
    return QDateTime(QDate::fromJulianDay(kCellEpoch.toJulianDay() + days),
                     QTime::fromMSecsSinceStartOfDay(int(ms)));
}

void RowSet::setColumns(std::vector<ColumnInfo> columns)
{
    clear();
    m_columns = std::move(columns);
    m_kinds.reserve(m_columns.size());
    for (const auto& c : m_columns)
        m_kinds.push_back(cellKindOf(c.type));
    m_data.resize(m_columns.size());
}

int RowSet::columnIndex(const QString& name) const
{
    for (int i = 0; i < int(m_columns.size()); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void RowSet::reserveRows(int rows)
{
    for (auto& col : m_data) {
        col.cells.reserve(rows);
        col.nulls.reserve((rows + 63) / 64);
    }
}

void RowSet::clear()
{
    m_columns.clear();
    m_kinds.clear();
    m_data.clear();
    m_arena.clear();
    m_arena.shrink_to_fit();
    m_rows = 0;
}

void RowSet::beginRow()
{
    const int row = m_rows++;
    const bool newWord = (row % 64) == 0;
    for (auto& col : m_data) {
        col.cells.push_back(Cell{0});
        if (newWord)
            col.nulls.push_back(~std::uint64_t(0));
        else
            col.nulls.back() |= std::uint64_t(1) << (row % 64);
    }
}

void RowSet::setNullBit(int row, int column, bool isNull)
{
    auto& word = m_data[column].nulls[row / 64];
    const std::uint64_t bit = std::uint64_t(1) << (row % 64);
    if (isNull)
        word |= bit;
    else
        word &= ~bit;
}

std::uint64_t RowSet::appendToArena(std::string_view bytes)
{
    const std::uint64_t offset = m_arena.size();
    const auto length = std::uint32_t(bytes.size());
    m_arena.resize(offset + sizeof length + bytes.size());
    std::memcpy(m_arena.data() + offset, &length, sizeof length);
    if (!bytes.empty())
        std::memcpy(m_arena.data() + offset + sizeof length, bytes.data(), bytes.size());
    return offset;
}

void RowSet::setInteger(int column, std::int64_t value)
{
    m_data[column].cells[m_rows - 1].i = value;
    setNullBit(m_rows - 1, column, false);
}

void RowSet::setReal(int column, double value)
{
    m_data[column].cells[m_rows - 1].d = value;
    setNullBit(m_rows - 1, column, false);
}

void RowSet::setBoolean(int column, bool value)
{
    m_data[column].cells[m_rows - 1].i = value ? 1 : 0;
    setNullBit(m_rows - 1, column, false);
}

void RowSet::setDateTime(int column, CellDateTime value)
{
    m_data[column].cells[m_rows - 1].i = value;
    setNullBit(m_rows - 1, column, false);
}

void RowSet::setText(int column, std::string_view utf8)
{
    m_data[column].cells[m_rows - 1].offset = appendToArena(utf8);
    setNullBit(m_rows - 1, column, false);
}

void RowSet::setBlob(int column, std::string_view bytes)
{
    setText(column, bytes);
}

bool RowSet::isNull(int row, int column) const
{
    return (m_data[column].nulls[row / 64] >> (row % 64)) & 1;
}

std::int64_t RowSet::integer(int row, int column) const
{
    return m_data[column].cells[row].i;
}

double RowSet::real(int row, int column) const
{
    return m_data[column].cells[row].d;
}

bool RowSet::boolean(int row, int column) const
{
    return m_data[column].cells[row].i != 0;
}

CellDateTime RowSet::dateTime(int row, int column) const
{
    return m_data[column].cells[row].i;
}

std::string_view RowSet::textView(int row, int column) const
{
    if (isNull(row, column))
        return {};
    const std::uint64_t offset = m_data[column].cells[row].offset;
    std::uint32_t length = 0;
    std::memcpy(&length, m_arena.data() + offset, sizeof length);
    return {m_arena.data() + offset + sizeof length, length};
}

QString RowSet::text(int row, int column) const
{
    const auto view = textView(row, column);
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}

QByteArray RowSet::blob(int row, int column) const
{
    const auto view = textView(row, column);
    return QByteArray(view.data(), qsizetype(view.size()));
}

QVariant RowSet::value(int row, int column) const
{
    if (isNull(row, column))
        return {};
    switch (m_kinds[column]) {
    case CellKind::Integer:
        return QVariant::fromValue<qlonglong>(integer(row, column));
    case CellKind::Real:
        return real(row, column);
    case CellKind::Boolean:
        return boolean(row, column);
    case CellKind::DateTime:
        return fromCellDateTime(dateTime(row, column));
    case CellKind::Blob:
        return blob(row, column);
    case CellKind::Text:
        return text(row, column);
    }
    return {};
}

void RowSet::setCell(int row, int column, const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        setNullBit(row, column, true);
        return;
    }
    Cell& cell = m_data[column].cells[row];
    switch (m_kinds[column]) {
    case CellKind::Integer:
        cell.i = value.toLongLong();
        break;
    case CellKind::Real:
        cell.d = value.toDouble();
        break;
    case CellKind::Boolean:
        cell.i = value.toBool() ? 1 : 0;
        break;
    case CellKind::DateTime:
        cell.i = value.typeId() == QMetaType::QDate ? toCellDateTime(value.toDate())
                                                    : toCellDateTime(value.toDateTime());
        break;
    case CellKind::Blob: {
        const QByteArray bytes = value.toByteArray();
        cell.offset = appendToArena({bytes.constData(), std::size_t(bytes.size())});
        break;
    }
    case CellKind::Text: {
        const QByteArray bytes = value.toString().toUtf8();
        cell.offset = appendToArena({bytes.constData(), std::size_t(bytes.size())});
        break;
    }
    }
    setNullBit(row, column, false);
}

int RowSet::insertRow(int before)
{
    if (before < 0 || before > m_rows)
        before = m_rows;
    beginRow();  // grows every column by one NULL cell at the end
    const int last = m_rows - 1;
    for (int c = 0; c < columnCount(); ++c) {
        auto& cells = m_data[c].cells;
        for (int r = last; r > before; --r) {
            cells[r] = cells[r - 1];
            setNullBit(r, c, isNull(r - 1, c));
        }
        cells[before].i = 0;
        setNullBit(before, c, true);
    }
    return before;
}

void RowSet::removeRow(int row)
{
    for (int c = 0; c < columnCount(); ++c) {
        auto& cells = m_data[c].cells;
        for (int r = row; r + 1 < m_rows; ++r) {
            cells[r] = cells[r + 1];
            setNullBit(r, c, isNull(r + 1, c));
        }
        cells.pop_back();
        if ((m_rows - 1) % 64 == 0)
            m_data[c].nulls.pop_back();
    }
    --m_rows;
}

void RowSet::squeeze()
{
    m_arena.shrink_to_fit();
    for (auto& col : m_data) {
        col.cells.shrink_to_fit();
        col.nulls.shrink_to_fit();
    }
}

std::size_t RowSet::memoryUsage() const
{
    std::size_t bytes = sizeof(*this) + m_arena.capacity();
    for (const auto& col : m_data)
        bytes += col.cells.capacity() * sizeof(Cell) + col.nulls.capacity() * sizeof(std::uint64_t);
    bytes += m_columns.capacity() * sizeof(ColumnInfo);
    return bytes;
}

}  // namespace zel::db
