#include "data/odbc/OdbcParameterBinder.h"

#include "data/odbc/OdbcTypeMapping.h"

#include "data/DbError.h"

#include <QDateTime>

#include <sqlext.h>
#include <sqlucode.h>

#include <cstring>

namespace zel::db {

namespace {
constexpr std::size_t kOutputTextChars = 4000;  // nvarchar(4000), the longest without (max)
constexpr SQLULEN kLongThreshold = 4000;  // longer values need the (max) types

SqlType typeOfValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return SqlType::Bit;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return SqlType::Int;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
        return SqlType::BigInt;
    case QMetaType::Double:
    case QMetaType::Float:
        return SqlType::Float;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return SqlType::DateTime;
    case QMetaType::QByteArray:
        return SqlType::VarBinary;
    default:
        return SqlType::NVarChar;
    }
}

template <typename T>
void store(std::string& bytes, const T& value)
{
    bytes.assign(sizeof(T), '\0');
    std::memcpy(bytes.data(), &value, sizeof(T));
}

// A value that does not convert would otherwise be written as 0.
qlonglong integerOf(const QVariant& value)
{
    bool ok = false;
    const qlonglong result = value.typeId() == QMetaType::Double ? qlonglong(value.toDouble(&ok))
                                                                 : value.toLongLong(&ok);
    if (!ok && value.typeId() != QMetaType::Bool)
        throw DataError(QStringLiteral("\"%1\" is not a valid integer.").arg(value.toString()));
    return value.typeId() == QMetaType::Bool ? qlonglong(value.toBool()) : result;
}

double realOf(const QVariant& value)
{
    bool ok = false;
    const double result = value.toDouble(&ok);
    if (!ok && value.typeId() != QMetaType::Bool)
        throw DataError(QStringLiteral("\"%1\" is not a valid number.").arg(value.toString()));
    return value.typeId() == QMetaType::Bool ? double(value.toBool()) : result;
}

SQL_TIMESTAMP_STRUCT toTimestamp(const QVariant& value)
{
    const QDateTime dt = value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
    SQL_TIMESTAMP_STRUCT ts = {};
    ts.year = SQLSMALLINT(dt.date().year());
    ts.month = SQLUSMALLINT(dt.date().month());
    ts.day = SQLUSMALLINT(dt.date().day());
    ts.hour = SQLUSMALLINT(dt.time().hour());
    ts.minute = SQLUSMALLINT(dt.time().minute());
    ts.second = SQLUSMALLINT(dt.time().second());
    ts.fraction = SQLUINTEGER(dt.time().msec()) * 1000000u;
    return ts;
}
}  // namespace

void OdbcParameterBinder::bind(const QVariant& value, SqlType columnType, Direction direction)
{
    Slot& slot = m_slots.emplace_back();
    const bool isNull = !value.isValid() || value.isNull();
    // What travels: the column's kind when known, else the value's own.
    const SqlType type = columnType != SqlType::Unknown ? columnType
        : isNull                                         ? SqlType::NVarChar
                                                         : typeOfValue(value);
    slot.type = type;
    SQLSMALLINT sqlType = OdbcTypeMapping::toOdbc(type);
    SQLULEN columnSize = 0;
    SQLSMALLINT digits = 0;

    switch (cellKindOf(type)) {
    case CellKind::Integer:
        slot.cType = SQL_C_SBIGINT;
        store<SQLBIGINT>(slot.bytes, isNull ? 0 : integerOf(value));
        sqlType = SQL_BIGINT;  // the server narrows to the column; nothing is lost on the way
        break;
    case CellKind::Boolean:
        slot.cType = SQL_C_BIT;
        store<SQLCHAR>(slot.bytes, isNull ? 0 : (value.toBool() ? 1 : 0));
        break;
    case CellKind::Real:
        slot.cType = SQL_C_DOUBLE;
        store<double>(slot.bytes, isNull ? 0.0 : realOf(value));
        sqlType = SQL_DOUBLE;
        columnSize = 15;
        break;
    case CellKind::DateTime:
        slot.cType = SQL_C_TYPE_TIMESTAMP;
        store(slot.bytes, isNull ? SQL_TIMESTAMP_STRUCT{} : toTimestamp(value));
        if (!isNull && !value.toDateTime().isValid())
            throw DataError(QStringLiteral("\"%1\" is not a valid date.").arg(value.toString()));
        columnSize = 23;
        digits = 3;
        break;
    case CellKind::Blob: {
        slot.cType = SQL_C_BINARY;
        if (!isNull) {
            const QByteArray bytes = value.toByteArray();
            slot.bytes.assign(bytes.constData(), std::size_t(bytes.size()));
        }
        columnSize = std::max<SQLULEN>(1, slot.bytes.size());
        if (columnSize > 8000)
            sqlType = SQL_LONGVARBINARY;
        break;
    }
    case CellKind::Text: {
        QString text;
        if (!isNull)
            text = value.typeId() == QMetaType::QByteArray ? QString::fromUtf8(value.toByteArray())
                                                           : value.toString();
        if (m_statement.textMode() == OdbcTextMode::Wide) {
            slot.cType = SQL_C_WCHAR;
            slot.bytes.assign(reinterpret_cast<const char*>(text.utf16()), std::size_t(text.size()) * 2);
        } else {
            slot.cType = SQL_C_CHAR;
            const QByteArray utf8 = text.toUtf8();
            slot.bytes.assign(utf8.constData(), std::size_t(utf8.size()));
        }
        columnSize = std::max<SQLULEN>(1, SQLULEN(text.size()));
        // Always Unicode on the way: the server converts to a single-byte
        // column's code page itself, and a GUID from its text form.
        const bool isLong = sqlType == SQL_WLONGVARCHAR || sqlType == SQL_LONGVARCHAR;
        sqlType = isLong || columnSize > kLongThreshold ? SQL_WLONGVARCHAR : SQL_WVARCHAR;
        break;
    }
    }

    const bool variable = slot.cType == SQL_C_CHAR || slot.cType == SQL_C_WCHAR || slot.cType == SQL_C_BINARY;
    const std::size_t dataLength = slot.bytes.size();  // before room for an answer is added
    SQLSMALLINT ioType = SQL_PARAM_INPUT;
    if (direction != Direction::Input) {
        ioType = direction == Direction::Output ? SQL_PARAM_OUTPUT : SQL_PARAM_INPUT_OUTPUT;
        if (variable) {
            slot.bytes.resize(std::max(dataLength + 2, kOutputTextChars * 4), '\0');  // UTF-8 or UTF-16
            columnSize = std::max<SQLULEN>(columnSize, kOutputTextChars);
            if (sqlType == SQL_WLONGVARCHAR)
                sqlType = SQL_WVARCHAR;
        }
    }
    if (isNull)
        slot.indicator = SQL_NULL_DATA;
    else
        slot.indicator = variable ? SQLLEN(dataLength) : 0;

    const auto marker = SQLUSMALLINT(m_slots.size());
    const SQLLEN bufferLength = SQLLEN(slot.bytes.size());
    m_statement.check(SQLBindParameter(m_statement.handle(), marker, ioType, slot.cType, sqlType, columnSize,
                                       digits, slot.bytes.data(), bufferLength, &slot.indicator),
                      QStringLiteral("Binding parameter %1").arg(marker));
}

QVariant OdbcParameterBinder::outputValue(int marker) const
{
    const Slot& slot = m_slots.at(std::size_t(marker - 1));
    if (slot.indicator == SQL_NULL_DATA)
        return {};
    switch (slot.cType) {
    case SQL_C_SBIGINT: {
        SQLBIGINT v = 0;
        std::memcpy(&v, slot.bytes.data(), sizeof v);
        return QVariant::fromValue<qlonglong>(v);
    }
    case SQL_C_BIT:
        return slot.bytes.at(0) != 0;
    case SQL_C_DOUBLE: {
        double v = 0;
        std::memcpy(&v, slot.bytes.data(), sizeof v);
        return v;
    }
    case SQL_C_TYPE_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT ts = {};
        std::memcpy(&ts, slot.bytes.data(), sizeof ts);
        return QDateTime(QDate(ts.year, ts.month, ts.day),
                         QTime(ts.hour, ts.minute, ts.second, int(ts.fraction / 1000000)));
    }
    case SQL_C_BINARY: {
        const auto n = std::min<std::size_t>(std::size_t(std::max<SQLLEN>(slot.indicator, 0)), slot.bytes.size());
        return QByteArray(slot.bytes.data(), qsizetype(n));
    }
    case SQL_C_WCHAR: {
        const auto n = std::min<std::size_t>(std::size_t(std::max<SQLLEN>(slot.indicator, 0)), slot.bytes.size());
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(slot.bytes.data()), qsizetype(n / 2));
    }
    default: {
        const auto n = std::min<std::size_t>(std::size_t(std::max<SQLLEN>(slot.indicator, 0)), slot.bytes.size());
        return QString::fromUtf8(slot.bytes.data(), qsizetype(n));
    }
    }
}

}  // namespace zel::db
