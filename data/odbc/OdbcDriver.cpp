#include "data/odbc/OdbcDriver.h"

#include "data/odbc/OdbcConnectionString.h"
#include "data/odbc/OdbcDiagnostics.h"
#include "data/odbc/OdbcEnvironment.h"
#include "data/odbc/OdbcParameterBinder.h"
#include "data/odbc/OdbcResultReader.h"
#include "data/odbc/OdbcStatement.h"
#include "data/odbc/SqlIdentifier.h"

#include <QRegularExpression>
#include <QStringList>

#include <sqlext.h>
#include <sqlucode.h>

#include <cmath>

namespace zel::db {

namespace {
constexpr SQLUINTEGER kLoginTimeoutSeconds = 15;

OdbcParameterBinder::Direction binderDirection(ProcedureParameter::Direction direction)
{
    switch (direction) {
    case ProcedureParameter::Direction::Input:
        return OdbcParameterBinder::Direction::Input;
    case ProcedureParameter::Direction::InputOutput:
        return OdbcParameterBinder::Direction::InputOutput;
    case ProcedureParameter::Direction::Output:
    case ProcedureParameter::Direction::ReturnValue:
        break;
    }
    return OdbcParameterBinder::Direction::Output;
}

/// SCOPE_IDENTITY() is numeric(38,0): hand the dataset an integer.
QVariant asIdentity(const QVariant& value)
{
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d))
            return QVariant::fromValue<qlonglong>(qlonglong(d));
    }
    return value;
}
SQLRETURN driverConnect(SQLHDBC dbc, const QString& connectionString, OdbcTextMode mode)
{
    SQLSMALLINT answeredLength = 0;
    if (mode == OdbcTextMode::Wide) {
        std::u16string text = OdbcText::toWide(connectionString);
        SQLWCHAR answered[1024];
        return SQLDriverConnectW(dbc, nullptr, OdbcText::data(text), SQLSMALLINT(text.size()), answered,
                                 SQLSMALLINT(std::size(answered)), &answeredLength, SQL_DRIVER_NOPROMPT);
    }
    QByteArray text = connectionString.toUtf8();
    SQLCHAR answered[1024];
    return SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQLSMALLINT(text.size()),
                            answered, sizeof answered, &answeredLength, SQL_DRIVER_NOPROMPT);
}

QString dbmsNameOf(SQLHDBC dbc, OdbcTextMode mode)
{
    SQLSMALLINT bytes = 0;
    if (mode == OdbcTextMode::Wide) {
        SQLWCHAR name[128] = {};
        if (SQL_SUCCEEDED(SQLGetInfoW(dbc, SQL_DBMS_NAME, name, sizeof name, &bytes)))
            return OdbcText::fromWide(name, std::min<int>(bytes / 2, std::size(name) - 1));
        return {};
    }
    SQLCHAR name[256] = {};
    if (SQL_SUCCEEDED(SQLGetInfo(dbc, SQL_DBMS_NAME, name, sizeof name, &bytes)))
        return OdbcText::fromNarrow(name, std::min<int>(bytes, sizeof name - 1));
    return {};
}
}  // namespace

OdbcDriver::~OdbcDriver()
{
    close();
}

SQLHDBC OdbcDriver::connection() const
{
    if (!m_connection)
        throw DbError(QStringLiteral("Соединение с базой данных не открыто."), DbError::Kind::ConnectionLost);
    return m_connection.get();
}

void OdbcDriver::open(const ConnectionParams& params)
{
    const OdbcInstallation installation = OdbcInstallation::query();
    openConnectionString(OdbcConnectionString::build(params, installation),
                         OdbcConnectionString::targetsFreeTds(params, installation) ? OdbcTextMode::Wide
                                                                                     : OdbcTextMode::Narrow);
}

void OdbcDriver::openConnectionString(const QString& odbcConnectionString, OdbcTextMode mode)
{
    close();
    OdbcHandle dbc(SQL_HANDLE_DBC, OdbcEnvironment::handle());
    SQLSetConnectAttr(dbc.get(), SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(SQLULEN(kLoginTimeoutSeconds)), 0);
    if (!SQL_SUCCEEDED(driverConnect(dbc.get(), odbcConnectionString, mode))) {
        DbError error = odbcError(SQL_HANDLE_DBC, dbc.get(), QStringLiteral("Не удалось подключиться к базе данных."), mode);
        // Whatever the driver calls it, a failed connect leaves no connection.
        if (error.kind() == DbError::Kind::Other)
            error = DbError(error.message(), DbError::Kind::ConnectionLost, error.sqlState(), error.nativeCode());
        throw error;
    }
    m_dbmsName = dbmsNameOf(dbc.get(), mode);
    m_textMode = mode;
    m_dialect = ServerDialect::forDbms(m_dbmsName);
    m_connection = std::move(dbc);
    try {
        for (const QString& setting : m_dialect.sessionSetup)
            execute(setting);
    } catch (...) {
        close();
        throw;
    }
}

void OdbcDriver::beginTransaction()
{
    if (m_inTransaction)
        throw DbError(QStringLiteral("A transaction is already open on this connection."), DbError::Kind::Other,
                      QStringLiteral("25000"));
    const SQLHDBC dbc = connection();
    checkOdbc(SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQLULEN(SQL_AUTOCOMMIT_OFF)),
                                SQL_IS_UINTEGER),
              SQL_HANDLE_DBC, dbc, QStringLiteral("Не удалось начать транзакцию."), m_textMode);
    m_inTransaction = true;
}

void OdbcDriver::commitTransaction()
{
    if (!m_inTransaction)
        throw DbError(QStringLiteral("The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION."),
                      DbError::Kind::Other, QStringLiteral("25000"), 3902);
    const SQLHDBC dbc = connection();
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_COMMIT);
    if (!SQL_SUCCEEDED(rc)) {
        const DbError error = odbcError(SQL_HANDLE_DBC, dbc, QStringLiteral("Не удалось сохранить транзакцию."),
                                        m_textMode);
        rollbackTransaction();
        throw error;
    }
    m_inTransaction = false;
    SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQLULEN(SQL_AUTOCOMMIT_ON)),
                      SQL_IS_UINTEGER);
}

void OdbcDriver::rollbackTransaction() noexcept
{
    if (!m_inTransaction || !m_connection)
        return;
    m_inTransaction = false;
    SQLEndTran(SQL_HANDLE_DBC, m_connection.get(), SQL_ROLLBACK);
    SQLSetConnectAttr(m_connection.get(), SQL_ATTR_AUTOCOMMIT,
                      reinterpret_cast<SQLPOINTER>(SQLULEN(SQL_AUTOCOMMIT_ON)), SQL_IS_UINTEGER);
}

void OdbcDriver::close()
{
    m_inTransaction = false;
    if (m_connection) {
        SQLDisconnect(m_connection.get());
        m_connection.reset();
    }
    m_keys.clear();
    m_dbmsName.clear();
}

void OdbcDriver::readResults(OdbcStatement& statement, RowSet* result, qint64* rowsAffected)
{
    bool filled = false;
    qint64 total = -1;
    do {
        const int columns = statement.columnCount();
        if (columns > 0) {
            if (result && !filled) {
                OdbcResultReader reader(statement);
                result->setColumns(reader.describeColumns(columns));
                reader.fetchRows(*result);
                filled = true;
            }
        } else if (const qint64 count = statement.rowCount(); count >= 0) {
            total = total < 0 ? count : total + count;
        }
    } while (statement.nextResult());
    statement.closeCursor();
    if (result && !filled)
        result->setColumns({});
    if (rowsAffected)
        *rowsAffected = total;
}

void OdbcDriver::markKeys(RowSet& result)
{
    for (int c = 0; c < result.columnCount(); ++c) {
        const ColumnInfo& info = result.columns()[c];
        if (info.baseTable.isEmpty())
            continue;
        const QStringList keys = m_keys.keysOf(connection(), m_textMode, info.baseTable);
        if (keys.contains(info.baseColumn, Qt::CaseInsensitive) != info.key) {
            ColumnInfo changed = info;
            changed.key = !info.key;
            result.describeColumn(c, std::move(changed));
        }
    }
}

void OdbcDriver::query(const QString& sql, RowSet& result)
{
    OdbcStatement statement(connection(), m_textMode, m_statementTimeout);
    statement.execDirect(sql);
    RowSet rows;  // result stays as it was when the statement fails halfway
    readResults(statement, &rows, nullptr);
    markKeys(rows);  // after the results: FreeTDS serves one statement at a time
    result = std::move(rows);
}

qint64 OdbcDriver::execute(const QString& sql)
{
    OdbcStatement statement(connection(), m_textMode, m_statementTimeout);
    statement.execDirect(sql);
    qint64 rows = -1;
    readResults(statement, nullptr, &rows);
    return rows;
}

namespace {

// " AND [column] = ?" per original (" AND [column] IS NULL" for a NULL), binding the values.
QString unchangedCondition(OdbcParameterBinder& binder, const std::vector<ColumnValue>& originals,
                           const ServerDialect& dialect)
{
    QString sql;
    for (const ColumnValue& o : originals) {
        if (o.value.isNull()) {
            sql += QStringLiteral(" AND %1 IS NULL").arg(SqlIdentifier::quote(o.column));
            continue;
        }
        QString cast;
        if (dialect.castsComparedValues) {
            if (o.type == SqlType::Date)
                cast = QStringLiteral("date");
            else if (o.type == SqlType::DateTime)
                cast = QStringLiteral("datetime");
            else if (o.type == SqlType::Decimal && o.precision > 0)
                cast = QStringLiteral("decimal(%1,%2)").arg(o.precision).arg(o.scale);
        }
        sql += QStringLiteral(" AND %1 = ").arg(SqlIdentifier::quote(o.column))
            + (cast.isEmpty() ? QStringLiteral("?") : QStringLiteral("CAST(? AS %1)").arg(cast));
        binder.bind(o.value, o.type);
    }
    return sql;
}

}  // namespace

qint64 OdbcDriver::update(const QString& table, const QString& keyColumn, const QVariant& key,
                          const std::vector<ColumnValue>& values)
{
    return updateUnchanged(table, keyColumn, key, values, {});
}

qint64 OdbcDriver::updateUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                                   const std::vector<ColumnValue>& values, const std::vector<ColumnValue>& originals)
{
    if (values.empty())
        return 0;
    OdbcStatement statement(connection(), m_textMode, m_statementTimeout);
    OdbcParameterBinder binder(statement);
    QStringList assignments;
    for (const ColumnValue& v : values) {
        assignments << SqlIdentifier::quote(v.column) + QStringLiteral(" = ?");
        binder.bind(v.value, v.type);
    }
    binder.bind(key);
    const QString unchanged = unchangedCondition(binder, originals, m_dialect);
    statement.execDirect(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                             .arg(SqlIdentifier::quote(table), assignments.join(QStringLiteral(", ")),
                                  SqlIdentifier::quote(keyColumn))
                         + unchanged);
    qint64 rows = -1;
    readResults(statement, nullptr, &rows);
    return rows;
}

QVariant OdbcDriver::insert(const QString& table, const std::vector<ColumnValue>& values,
                            const QString& identityColumn)
{
    OdbcStatement statement(connection(), m_textMode, m_statementTimeout);
    OdbcParameterBinder binder(statement);
    QString sql;
    if (values.empty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(SqlIdentifier::quote(table));
    } else {
        QStringList columns, markers;
        for (const ColumnValue& v : values) {
            columns << SqlIdentifier::quote(v.column);
            markers << QStringLiteral("?");
            binder.bind(v.value, v.type);
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(SqlIdentifier::quote(table), columns.join(QStringLiteral(", ")),
                       markers.join(QStringLiteral(", ")));
    }
    const bool wantIdentity = !identityColumn.isEmpty();
    if (wantIdentity && m_dialect.identityInSameBatch)
        sql += QStringLiteral("; ") + m_dialect.identityQuery;

    statement.execDirect(sql);
    RowSet answer;
    readResults(statement, wantIdentity && m_dialect.identityInSameBatch ? &answer : nullptr, nullptr);
    if (!wantIdentity)
        return {};
    if (!m_dialect.identityInSameBatch)
        query(m_dialect.identityQuery, answer);
    if (answer.columnCount() == 0 || answer.rowCount() == 0)
        return {};
    return asIdentity(answer.value(0, 0));
}

qint64 OdbcDriver::remove(const QString& table, const QString& keyColumn, const QVariant& key)
{
    return removeUnchanged(table, keyColumn, key, {});
}

qint64 OdbcDriver::removeUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                                   const std::vector<ColumnValue>& originals)
{
    OdbcStatement statement(connection(), m_textMode, m_statementTimeout);
    OdbcParameterBinder binder(statement);
    binder.bind(key);
    const QString unchanged = unchangedCondition(binder, originals, m_dialect);
    statement.execDirect(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                             .arg(SqlIdentifier::quote(table), SqlIdentifier::quote(keyColumn))
                         + unchanged);
    qint64 rows = -1;
    readResults(statement, nullptr, &rows);
    return rows;
}

void OdbcDriver::callProcedure(const QString& name, std::vector<ProcedureParameter>& parameters)
{
    // The name goes into the call escape as it is, so only plain names pass,
    // with the group number SQL Server allows after a semicolon ("Name;1").
    static const QRegularExpression plainName(QStringLiteral("^([\\w\\[\\]. ]+?)(?:;(\\d{1,5}))?$"),
                                              QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch parts = plainName.match(name);
    if (!parts.hasMatch())
        throw DbError(QStringLiteral("Недопустимое имя процедуры \"%1\".").arg(name), DbError::Kind::InvalidObject);
    // Number 1 is the procedure itself; only another number must travel.
    const QString group = parts.captured(2);
    const QString procedure = group.isEmpty() || group.toInt() == 1 ? parts.captured(1).trimmed() : name;

    OdbcStatement statement(connection(), m_textMode, m_statementTimeout);
    OdbcParameterBinder binder(statement);
    const bool hasReturn = !parameters.empty()
        && parameters.front().direction == ProcedureParameter::Direction::ReturnValue;
    QStringList markers;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const ProcedureParameter& p = parameters[i];
        binder.bind(p.value, p.type, binderDirection(p.direction));
        if (i > 0 || !hasReturn)
            markers << QStringLiteral("?");
    }
    const QString call = QStringLiteral("{%1call %2(%3)}")
                             .arg(hasReturn ? QStringLiteral("? = ") : QString(), procedure,
                                  markers.join(QStringLiteral(", ")));
    statement.execDirect(markers.isEmpty() ? QString(call).remove(QStringLiteral("()")) : call);
    readResults(statement, nullptr, nullptr);  // output values arrive after the last result
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i].direction != ProcedureParameter::Direction::Input)
            parameters[i].value = binder.outputValue(int(i + 1));
}

}  // namespace zel::db
