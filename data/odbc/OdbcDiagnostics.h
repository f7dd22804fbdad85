#pragma once

#include "data/DbError.h"
#include "data/odbc/OdbcText.h"

#include <QString>

#include <sql.h>

#include <vector>

namespace zel::db {

/// One diagnostic record of an ODBC handle, as the driver reported it.
struct OdbcDiagnostic {
    QString sqlState;  ///< five characters, "42S02"
    int nativeCode = 0;  ///< the server's error number (18456, 547, ...)
    QString message;   ///< with the "[vendor][component]" prefixes still on
};

/// Every diagnostic record of handle, read until SQL_NO_DATA.
std::vector<OdbcDiagnostic> readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle,
                                            OdbcTextMode mode = OdbcTextMode::Narrow);

/// The message without the leading "[FreeTDS][SQL Server]"-style prefixes,
/// so the user reads the server's own words.
QString stripDriverPrefixes(const QString& message);

/// The kind of failure one record stands for.
DbError::Kind classifyDiagnostic(const QString& sqlState, int nativeCode);

/// One error from all records: the messages (prefixes stripped, duplicates
/// and informational "01xxx" lines dropped when real errors exist) joined by
/// line breaks, the most telling kind, and the state and code of the record
/// that decided the kind. fallback is the message when there is no record.
DbError makeDbError(const std::vector<OdbcDiagnostic>& records, const QString& fallback);

/// Reads the diagnostics of handle and builds the error from them.
DbError odbcError(SQLSMALLINT handleType, SQLHANDLE handle, const QString& fallback,
                  OdbcTextMode mode = OdbcTextMode::Narrow);

/// Throws odbcError(...) unless rc is SQL_SUCCESS, SQL_SUCCESS_WITH_INFO or SQL_NO_DATA.
void checkOdbc(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const QString& what,
               OdbcTextMode mode = OdbcTextMode::Narrow);

}  // namespace zel::db
