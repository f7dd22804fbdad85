#include "data/odbc/OdbcDiagnostics.h"

#include <QStringList>

#include <sqlext.h>

#include <algorithm>

namespace zel::db {

namespace {
/// One record through the narrow or the wide call; false after the last one.
bool readRecord(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT number, OdbcTextMode mode,
                OdbcDiagnostic& record)
{
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (mode == OdbcTextMode::Wide) {
        SQLWCHAR state[6] = {};
        std::vector<SQLWCHAR> text(1024);
        SQLRETURN rc = SQLGetDiagRecW(handleType, handle, number, state, &native, text.data(),
                                      SQLSMALLINT(text.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= SQLSMALLINT(text.size())) {
            text.resize(std::size_t(length) + 1);
            rc = SQLGetDiagRecW(handleType, handle, number, state, &native, text.data(),
                                SQLSMALLINT(text.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc))
            return false;
        record = {OdbcText::fromWide(state, 5), int(native),
                  OdbcText::fromWide(text.data(), std::min<int>(length, int(text.size()) - 1))};
        return true;
    }
    SQLCHAR state[6] = {};
    std::vector<SQLCHAR> text(1024);
    SQLRETURN rc = SQLGetDiagRec(handleType, handle, number, state, &native, text.data(),
                                 SQLSMALLINT(text.size()), &length);
    if (rc == SQL_SUCCESS_WITH_INFO && length >= SQLSMALLINT(text.size())) {
        text.resize(std::size_t(length) + 1);
        rc = SQLGetDiagRec(handleType, handle, number, state, &native, text.data(),
                           SQLSMALLINT(text.size()), &length);
    }
    if (!SQL_SUCCEEDED(rc))
        return false;
    record = {OdbcText::fromNarrow(state, 5), int(native),
              OdbcText::fromNarrow(text.data(), std::min<int>(length, int(text.size()) - 1))};
    return true;
}
}  // namespace

std::vector<OdbcDiagnostic> readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, OdbcTextMode mode)
{
    std::vector<OdbcDiagnostic> records;
    if (handle == SQL_NULL_HANDLE)
        return records;
    OdbcDiagnostic record;
    for (SQLSMALLINT number = 1; readRecord(handleType, handle, number, mode, record); ++number)
        records.push_back(record);  // until SQL_NO_DATA
    return records;
}

QString stripDriverPrefixes(const QString& message)
{
    qsizetype start = 0;
    while (start < message.size() && message.at(start) == u'[') {
        const qsizetype close = message.indexOf(u']', start);
        if (close < 0)
            break;
        start = close + 1;
    }
    return message.mid(start).trimmed();
}

DbError::Kind classifyDiagnostic(const QString& sqlState, int nativeCode)
{
    using Kind = DbError::Kind;
    switch (nativeCode) {
    case 18456:  // login failed for user
    case 18486:  // account locked out
    case 18487:  // password expired
    case 18488:  // password must be changed
    case 4060:   // cannot open database requested by the login
        return Kind::LoginFailed;
    case 1205:
        return Kind::Deadlock;
    case 229:  // permission denied on object
    case 230:  // permission denied on column
    case 262:  // permission denied in database
    case 297:  // user has no permission to perform this action
        return Kind::PermissionDenied;
    case 208:   // invalid object name
    case 207:   // invalid column name
    case 2812:  // could not find stored procedure
        return Kind::InvalidObject;
    // FreeTDS's own numbers for a broken link; it reports some as "01000".
    case 20003:  // read or write timed out
        return Kind::Timeout;
    case 20004:  // read from the server failed
    case 20006:  // write to the server failed
    case 20009:  // unable to connect
    case 20017:  // unexpected EOF from the server
        return Kind::ConnectionLost;
    case 1105:  // no space left in the filegroup
    case 9002:  // transaction log full
    case 823:   // the operating system failed a read or write
    case 824:   // a page read back wrong
    case 825:   // a read that needed retrying
        return Kind::Storage;
    case 547:   // foreign key or check conflict
    case 2627:  // unique key violation
    case 2601:  // duplicate key row in unique index
    case 515:   // NULL into a NOT NULL column
        return Kind::Constraint;
    default:
        break;
    }
    if (sqlState == u"28000")
        return Kind::LoginFailed;
    if (sqlState.startsWith(u"08"))
        return Kind::ConnectionLost;
    if (sqlState == u"HYT00" || sqlState == u"HYT01" || sqlState == u"S1T00")
        return Kind::Timeout;
    if (sqlState == u"40001")
        return Kind::Deadlock;
    if (sqlState.startsWith(u"23"))
        return Kind::Constraint;
    if (sqlState == u"42S02" || sqlState == u"42S22" || sqlState == u"S0002" || sqlState == u"S0022")
        return Kind::InvalidObject;
    // Errors raised by procedures (50000 and up) also arrive as 42000; they are not syntax.
    if ((sqlState == u"42000" || sqlState == u"37000") && nativeCode < 50000)
        return Kind::Syntax;
    if (sqlState.startsWith(u"IM"))
        return Kind::ConnectionLost;  // driver or data source not configured
    return Kind::Other;
}

DbError makeDbError(const std::vector<OdbcDiagnostic>& records, const QString& fallback)
{
    using Kind = DbError::Kind;
    const auto isWarning = [](const OdbcDiagnostic& r) {
        return r.sqlState.startsWith(u"01") && classifyDiagnostic(r.sqlState, r.nativeCode) == Kind::Other;
    };
    bool hasError = false;
    for (const auto& r : records)
        if (!isWarning(r))
            hasError = true;

    QStringList lines;
    const OdbcDiagnostic* decisive = nullptr;
    const OdbcDiagnostic* connection = nullptr;
    for (const auto& r : records) {
        if (hasError && isWarning(r))
            continue;
        const QString text = stripDriverPrefixes(r.message);
        if (!text.isEmpty() && !lines.contains(text))
            lines << text;
        const Kind kind = classifyDiagnostic(r.sqlState, r.nativeCode);
        if (kind == Kind::ConnectionLost) {
            if (!connection)
                connection = &r;
        } else if (kind != Kind::Other && !decisive) {
            decisive = &r;
        }
    }
    // "Unable to connect" next to "Login failed" is a login failure, not a lost connection.
    if (!decisive)
        decisive = connection;
    if (!decisive) {
        for (const auto& r : records)
            if (!hasError || !isWarning(r)) {
                decisive = &r;
                break;
            }
    }
    const QString message = lines.isEmpty() ? fallback : lines.join(u'\n');
    if (!decisive)
        return DbError(message);
    return DbError(message, classifyDiagnostic(decisive->sqlState, decisive->nativeCode),
                   decisive->sqlState, decisive->nativeCode);
}

DbError odbcError(SQLSMALLINT handleType, SQLHANDLE handle, const QString& fallback, OdbcTextMode mode)
{
    return makeDbError(readDiagnostics(handleType, handle, mode), fallback);
}

void checkOdbc(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const QString& what,
               OdbcTextMode mode)
{
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA)
        return;
    if (rc == SQL_INVALID_HANDLE)
        throw DbError(QStringLiteral("%1: invalid ODBC handle.").arg(what));
    throw odbcError(handleType, handle, QStringLiteral("%1 failed.").arg(what), mode);
}

}  // namespace zel::db
