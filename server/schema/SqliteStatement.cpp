#include "server/schema/SqliteStatement.h"

#include "data/DbError.h"

#include <QDate>
#include <QDateTime>

#include <cstdio>

namespace zel::server::schema {

namespace {
// Bulk loads bind many dates; formatting them by hand avoids the calendar machinery.
int formatDate(const QDate& date, char* out)
{
    return std::snprintf(out, 16, "%04d-%02d-%02d", date.year(), date.month(), date.day());
}
}  // namespace

void throwSqliteError(sqlite3* db, int code, const QString& context)
{
    QString message = QString::fromUtf8(sqlite3_errmsg(db));
    if (!context.isEmpty())
        message = context + QLatin1String(": ") + message;
    const int primary = code & 0xFF;
    DbError::Kind kind = DbError::Kind::Other;
    if (primary == SQLITE_CONSTRAINT)
        kind = DbError::Kind::Constraint;
    else if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        kind = DbError::Kind::Timeout;
    throw DbError(message, kind, {}, code);
}

void execute(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
        sqlite3_free(error);
        throw DbError(message, (rc & 0xFF) == SQLITE_CONSTRAINT ? DbError::Kind::Constraint
                                                                 : DbError::Kind::Other,
                      {}, rc);
    }
}

SqliteStatement::SqliteStatement(sqlite3* db, const QString& sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_statement, nullptr);
    if (rc != SQLITE_OK)
        throwSqliteError(db, rc);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int position, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_statement, position);
    } else {
        switch (value.metaType().id()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(m_statement, position, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_statement, position, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_statement, position, bytes.constData(), sqlite3_uint64(bytes.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDate: {
            char text[16];
            const int length = formatDate(value.toDate(), text);
            rc = sqlite3_bind_text(m_statement, position, text, length, SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDateTime: {
            const QDateTime dateTime = value.toDateTime();
            const QTime time = dateTime.time();
            char text[32];
            int length = formatDate(dateTime.date(), text);
            length += std::snprintf(text + length, sizeof text - std::size_t(length), " %02d:%02d:%02d.%03d",
                                    time.hour(), time.minute(), time.second(), time.msec());
            rc = sqlite3_bind_text(m_statement, position, text, length, SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_statement, position, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        throwSqliteError(m_db, rc);
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_statement);
    throwSqliteError(m_db, rc);
}

void SqliteStatement::run()
{
    while (step()) {
    }
    reset();
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

QString SqliteStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_statement, column));
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QString SqliteStatement::text(int column) const
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column));
}

QByteArray SqliteStatement::blob(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    return QByteArray(bytes, sqlite3_column_bytes(m_statement, column));
}

QVariant SqliteStatement::value(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return integer(column);
    case SQLITE_FLOAT:
        return real(column);
    case SQLITE_TEXT:
        return text(column);
    case SQLITE_BLOB:
        return blob(column);
    default:
        return {};
    }
}

SqliteSavepoint::SqliteSavepoint(sqlite3* db, const char* name) : m_db(db), m_name(name)
{
    execute(db, QStringLiteral("SAVEPOINT %1").arg(QString::fromLatin1(m_name)));
}

SqliteSavepoint::~SqliteSavepoint()
{
    if (!m_open)
        return;
    const QByteArray rollback = "ROLLBACK TO " + m_name + "; RELEASE " + m_name;
    sqlite3_exec(m_db, rollback.constData(), nullptr, nullptr, nullptr);
}

void SqliteSavepoint::release()
{
    execute(m_db, QStringLiteral("RELEASE %1").arg(QString::fromLatin1(m_name)));
    m_open = false;
}

}  // namespace zel::server::schema
