#include "data/odbc/OdbcResultReader.h"

#include "data/odbc/OdbcTypeMapping.h"

#include <sqlext.h>

namespace zel::db {

namespace {
// Small: some drivers pad the unused rest of the buffer on every call.
constexpr std::size_t kChunk = 8 * 1024;
constexpr SQLULEN kUnboundedSize = 1073741823;  // what drivers report for (max), text, image

bool isVariableLength(SqlType type)
{
    return type == SqlType::VarChar || type == SqlType::NVarChar || type == SqlType::VarBinary;
}

bool isLongType(SqlType type)
{
    return type == SqlType::Text || type == SqlType::NText || type == SqlType::Image;
}

CellDateTime toCell(const SQL_TIMESTAMP_STRUCT& ts)
{
    const QDate date(ts.year, ts.month, ts.day);
    const QTime time(ts.hour, ts.minute, ts.second, int(ts.fraction / 1000000));
    return toCellDateTime(QDateTime(date, time));
}
}  // namespace

QString OdbcResultReader::stringAttribute(int column, SQLUSMALLINT field)
{
    if (m_statement.textMode() == OdbcTextMode::Wide) {
        SQLWCHAR wide[512] = {};
        SQLSMALLINT bytes = 0;
        const SQLRETURN rc = SQLColAttributeW(m_statement.handle(), SQLUSMALLINT(column), field, wide,
                                              sizeof wide, &bytes, nullptr);
        if (!SQL_SUCCEEDED(rc))
            return {};
        return OdbcText::fromWide(wide, std::min<int>(bytes / 2, std::size(wide) - 1));
    }
    char text[1024] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLColAttribute(m_statement.handle(), SQLUSMALLINT(column), field, text,
                                         sizeof text, &length, nullptr);
    if (!SQL_SUCCEEDED(rc))
        return {};  // attribute not supported by this driver
    return QString::fromUtf8(text, std::min<int>(length, sizeof text - 1));
}

SQLLEN OdbcResultReader::numericAttribute(int column, SQLUSMALLINT field)
{
    SQLLEN value = 0;
    const SQLRETURN rc = SQLColAttribute(m_statement.handle(), SQLUSMALLINT(column), field, nullptr, 0,
                                         nullptr, &value);
    return SQL_SUCCEEDED(rc) ? value : 0;
}

std::vector<ColumnInfo> OdbcResultReader::describeColumns(int count)
{
    std::vector<ColumnInfo> columns;
    columns.reserve(count);
    for (int c = 1; c <= count; ++c) {
        SQLSMALLINT nameLength = 0, dataType = 0, digits = 0, nullable = SQL_NULLABLE_UNKNOWN;
        SQLULEN size = 0;
        ColumnInfo info;
        const QString what = QStringLiteral("Describing result column %1").arg(c);
        if (m_statement.textMode() == OdbcTextMode::Wide) {
            SQLWCHAR name[512] = {};
            m_statement.check(SQLDescribeColW(m_statement.handle(), SQLUSMALLINT(c), name, SQLSMALLINT(std::size(name)),
                                              &nameLength, &dataType, &size, &digits, &nullable),
                              what);
            info.name = OdbcText::fromWide(name, std::min<int>(nameLength, std::size(name) - 1));
        } else {
            SQLCHAR name[1024] = {};
            m_statement.check(SQLDescribeCol(m_statement.handle(), SQLUSMALLINT(c), name, sizeof name,
                                             &nameLength, &dataType, &size, &digits, &nullable),
                              what);
            info.name = OdbcText::fromNarrow(name, std::min<int>(nameLength, sizeof name - 1));
        }
        info.type = OdbcTypeMapping::fromOdbc(dataType, stringAttribute(c, SQL_DESC_TYPE_NAME));
        if (isLongType(info.type) || (isVariableLength(info.type) && (size == 0 || size >= kUnboundedSize)))
            info.size = -1;
        else if (isTextType(info.type) || isBinaryType(info.type))
            info.size = int(size);
        if (info.type == SqlType::Decimal || info.type == SqlType::Money) {
            info.precision = int(size);
            info.scale = digits;
        }
        info.nullable = nullable != SQL_NO_NULLS;
        info.identity = numericAttribute(c, SQL_DESC_AUTO_UNIQUE_VALUE) == SQL_TRUE;
        info.baseTable = stringAttribute(c, SQL_DESC_BASE_TABLE_NAME);
        if (!info.baseTable.isEmpty()) {
            info.baseColumn = stringAttribute(c, SQL_DESC_BASE_COLUMN_NAME);
            if (info.baseColumn.isEmpty())
                info.baseColumn = info.name;
        }
        columns.push_back(std::move(info));
    }
    return columns;
}

bool OdbcResultReader::readLong(int column, SQLSMALLINT cType, std::string& out)
{
    out.clear();
    // Room for the terminator the driver writes after text.
    const std::size_t usable = cType == SQL_C_CHAR ? kChunk - 1 : cType == SQL_C_WCHAR ? kChunk - 2 : kChunk;
    char chunk[kChunk];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(m_statement.handle(), SQLUSMALLINT(column), cType, chunk,
                                        SQLLEN(kChunk), &indicator);
        if (rc == SQL_NO_DATA)
            return true;  // everything was read by the previous call
        m_statement.check(rc, QStringLiteral("Reading result column %1").arg(column));
        if (indicator == SQL_NULL_DATA)
            return false;
        const bool more = indicator == SQL_NO_TOTAL || std::size_t(indicator) > usable;
        out.append(chunk, more ? usable : std::size_t(indicator));
        if (rc == SQL_SUCCESS || !more)
            return true;
    }
}

void OdbcResultReader::fetchCell(RowSet& rows, int column)
{
    const SQLHSTMT stmt = m_statement.handle();
    const SQLUSMALLINT number = SQLUSMALLINT(column + 1);
    const QString what = QStringLiteral("Reading result column %1").arg(column + 1);
    SQLLEN indicator = 0;
    switch (rows.kindOf(column)) {
    case CellKind::Integer: {
        SQLBIGINT value = 0;
        m_statement.check(SQLGetData(stmt, number, SQL_C_SBIGINT, &value, 0, &indicator), what);
        if (indicator != SQL_NULL_DATA)
            rows.setInteger(column, value);
        return;
    }
    case CellKind::Real: {
        double value = 0;
        m_statement.check(SQLGetData(stmt, number, SQL_C_DOUBLE, &value, 0, &indicator), what);
        if (indicator != SQL_NULL_DATA)
            rows.setReal(column, value);
        return;
    }
    case CellKind::Boolean: {
        SQLCHAR value = 0;
        m_statement.check(SQLGetData(stmt, number, SQL_C_BIT, &value, 0, &indicator), what);
        if (indicator != SQL_NULL_DATA)
            rows.setBoolean(column, value != 0);
        return;
    }
    case CellKind::DateTime: {
        SQL_TIMESTAMP_STRUCT value = {};
        m_statement.check(SQLGetData(stmt, number, SQL_C_TYPE_TIMESTAMP, &value, sizeof value, &indicator),
                          what);
        if (indicator != SQL_NULL_DATA)
            rows.setDateTime(column, toCell(value));
        return;
    }
    case CellKind::Blob:
        if (readLong(column + 1, SQL_C_BINARY, m_buffer))
            rows.setBlob(column, m_buffer);
        return;
    case CellKind::Text:
        if (m_statement.textMode() == OdbcTextMode::Narrow) {
            if (readLong(column + 1, SQL_C_CHAR, m_buffer))
                rows.setText(column, m_buffer);
        } else if (readLong(column + 1, SQL_C_WCHAR, m_buffer)) {
            const QByteArray utf8 = QString::fromUtf16(reinterpret_cast<const char16_t*>(m_buffer.data()),
                                                       qsizetype(m_buffer.size() / 2))
                                        .toUtf8();
            rows.setText(column, {utf8.constData(), std::size_t(utf8.size())});
        }
        return;
    }
}

void OdbcResultReader::fetchRows(RowSet& rows)
{
    const int count = rows.columnCount();
    for (;;) {
        const SQLRETURN rc = SQLFetch(m_statement.handle());
        if (rc == SQL_NO_DATA)
            return;
        m_statement.check(rc, QStringLiteral("Fetching a row"));
        rows.beginRow();
        for (int c = 0; c < count; ++c)
            fetchCell(rows, c);
    }
}

QVariant OdbcResultReader::fetchScalar()
{
    RowSet rows;
    rows.setColumns(describeColumns(std::min(m_statement.columnCount(), 1)));
    if (rows.columnCount() == 0)
        return {};
    const SQLRETURN rc = SQLFetch(m_statement.handle());
    if (rc == SQL_NO_DATA)
        return {};
    m_statement.check(rc, QStringLiteral("Fetching a row"));
    rows.beginRow();
    fetchCell(rows, 0);
    return rows.value(0, 0);
}

}  // namespace zel::db
