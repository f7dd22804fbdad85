#include "server/engine/ValueBinder.h"

#include "data/DbError.h"
#include "server/engine/DateText.h"
#include "server/engine/SchemaCatalog.h"

#include <QDate>
#include <QDateTime>

#include <sqlite3.h>

namespace zel::server {

using db::SqlType;

int ValueBinder::bind(sqlite3_stmt* st, int index, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return sqlite3_bind_null(st, index);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return sqlite3_bind_int(st, index, value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::Long:
        return sqlite3_bind_int64(st, index, value.toLongLong());
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        return sqlite3_bind_int64(st, index, sqlite3_int64(value.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(st, index, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(st, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QDate:
        return bind(st, index, DateText::storedDate(QDateTime(value.toDate(), QTime(0, 0))));
    case QMetaType::QDateTime:
        return bind(st, index, DateText::storedDateTime(value.toDateTime()));
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(st, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}

QVariant ValueBinder::toColumn(const QVariant& value, const CatalogColumn& column, const QString& table,
                               const QString& databaseName, const QString& dateFormat)
{
    if (!value.isValid() || value.isNull())
        return {};
    const int id = value.typeId();
    const bool isText = id == QMetaType::QString;
    auto conversionFailed = [&] {
        throw DbError(QStringLiteral("Conversion failed when converting the nvarchar value '%1' to data type %2.")
                          .arg(value.toString(), db::sqlTypeName(column.type)),
                      DbError::Kind::Other, QStringLiteral("22018"), 245);
    };

    switch (column.type) {
    case SqlType::Date:
    case SqlType::DateTime: {
        QDateTime dt;
        if (id == QMetaType::QDate) {
            dt = QDateTime(value.toDate(), QTime(0, 0));
        } else if (id == QMetaType::QDateTime) {
            dt = value.toDateTime();
        } else if (isText) {
            if (value.toString().trimmed().isEmpty())
                return {};
            const auto parsed = DateText::parse(value.toString(), dateFormat);
            if (!parsed)
                throw DbError(QStringLiteral("Conversion failed when converting date and/or time from character string."),
                              DbError::Kind::Other, QStringLiteral("22007"), 241);
            dt = *parsed;
        } else {
            conversionFailed();
        }
        if (!dt.isValid())
            return {};
        return column.type == SqlType::Date ? DateText::storedDate(dt) : DateText::storedDateTime(dt);
    }
    case SqlType::Bit:
        if (isText) {
            const QString t = value.toString().trimmed().toLower();
            if (t == QLatin1String("true") || t == QLatin1String("1"))
                return 1;
            if (t == QLatin1String("false") || t == QLatin1String("0"))
                return 0;
            conversionFailed();
        }
        return value.toBool() ? 1 : 0;
    case SqlType::TinyInt:
    case SqlType::SmallInt:
    case SqlType::Int:
    case SqlType::BigInt: {
        bool ok = true;
        const qlonglong n = isText ? value.toString().trimmed().toLongLong(&ok) : value.toLongLong(&ok);
        if (!ok)
            conversionFailed();
        return n;
    }
    case SqlType::Float:
    case SqlType::Real:
    case SqlType::Decimal:
    case SqlType::Money: {
        bool ok = true;
        const double d = isText ? value.toString().trimmed().toDouble(&ok) : value.toDouble(&ok);
        if (!ok)
            conversionFailed();
        return d;
    }
    default:
        break;
    }
    if (db::isTextType(column.type)) {
        QString text = value.toString();
        if (column.type == SqlType::Char || column.type == SqlType::NChar)
            while (text.endsWith(u' '))
                text.chop(1);  // the padding is not data: stored without it, padded when read
        if (column.size > 0 && text.size() > column.size)
            throw DbError(QStringLiteral("String or binary data would be truncated in table '%1.dbo.%2', column '%3'. Truncated value: '%4'.")
                              .arg(databaseName, table, column.name, text.left(column.size)),
                          DbError::Kind::Constraint, QStringLiteral("22001"), 2628);
        return text;
    }
    if (db::isBinaryType(column.type)) {
        const QByteArray bytes = value.toByteArray();
        if (column.size > 0 && bytes.size() > column.size)
            throw DbError(QStringLiteral("String or binary data would be truncated in table '%1.dbo.%2', column '%3'.")
                              .arg(databaseName, table, column.name),
                          DbError::Kind::Constraint, QStringLiteral("22001"), 2628);
        return bytes;
    }
    return value;
}

}  // namespace zel::server
