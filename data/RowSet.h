#pragma once

#include "ColumnInfo.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <string_view>
#include <vector>

namespace zel::db {

/// Date-time of a cell without time zone: milliseconds since 0001-01-01 00:00.
using CellDateTime = std::int64_t;
CellDateTime toCellDateTime(const QDateTime& value);
CellDateTime toCellDateTime(const QDate& value);
QDateTime fromCellDateTime(CellDateTime value);

/// The rows of one result, held compactly on the client: every cell is eight
/// bytes in a per-column vector, texts (UTF-8) and binaries live in one arena,
/// NULL is a bit per cell. Drivers fill it row by row with beginRow()/set*();
/// datasets read cells by physical row and replace them after a post.
///
/// A cell's value is typed by its column's CellKind; a driver that receives a
/// value of another kind (SQLite keeps text in INTEGER columns) converts it when
/// it calls the setter of the column's kind, or stores it with setVariant().
class RowSet {
public:
    RowSet() = default;

    void setColumns(std::vector<ColumnInfo> columns);
    const std::vector<ColumnInfo>& columns() const { return m_columns; }
    int columnCount() const { return int(m_columns.size()); }
    /// Index of a column by name without regard to letter case; -1 when absent.
    int columnIndex(const QString& name) const;
    CellKind kindOf(int column) const { return m_kinds[column]; }
    /// Replaces what is known about a column once its rows are read (a driver
    /// may learn keys and base tables only then); type and cells stay as they are.
    void describeColumn(int column, ColumnInfo info)
    {
        info.type = m_columns[column].type;
        m_columns[column] = std::move(info);
    }

    int rowCount() const { return m_rows; }
    void reserveRows(int rows);
    void clear();  ///< drops rows and columns

    // -- filling, used by drivers: beginRow() appends a row of NULLs --
    void beginRow();
    void setNull(int column) { setNullBit(m_rows - 1, column, true); }
    void setInteger(int column, std::int64_t value);
    void setReal(int column, double value);
    void setBoolean(int column, bool value);
    void setDateTime(int column, CellDateTime value);
    void setText(int column, std::string_view utf8);
    void setBlob(int column, std::string_view bytes);
    /// Converts a variant to the column's kind; a null variant stores NULL.
    void setVariant(int column, const QVariant& value) { setCell(m_rows - 1, column, value); }

    // -- reading by physical row --
    bool isNull(int row, int column) const;
    std::int64_t integer(int row, int column) const;
    double real(int row, int column) const;
    bool boolean(int row, int column) const;
    CellDateTime dateTime(int row, int column) const;
    std::string_view textView(int row, int column) const;  ///< UTF-8 bytes (or blob bytes)
    QString text(int row, int column) const;
    QByteArray blob(int row, int column) const;
    /// The cell as a variant of its kind (null variant for NULL).
    QVariant value(int row, int column) const;

    // -- changing rows after the driver is done (posted edits, inserts, deletes) --
    void setCell(int row, int column, const QVariant& value);
    int insertRow(int before);  ///< a row of NULLs; returns its index
    void removeRow(int row);

    /// Gives back the spare capacity left by filling (the arena grows by doubling).
    void squeeze();

    /// Bytes held, for memory measurements.
    std::size_t memoryUsage() const;

private:
    union Cell {
        std::int64_t i;
        double d;
        std::uint64_t offset;  // into m_arena: uint32 length, then the bytes
    };
    struct Column {
        std::vector<Cell> cells;
        std::vector<std::uint64_t> nulls;  // one bit per row; set = NULL
    };

    void setNullBit(int row, int column, bool isNull);
    std::uint64_t appendToArena(std::string_view bytes);

    std::vector<ColumnInfo> m_columns;
    std::vector<CellKind> m_kinds;
    std::vector<Column> m_data;
    std::vector<char> m_arena;
    int m_rows = 0;
};

}  // namespace zel::db
