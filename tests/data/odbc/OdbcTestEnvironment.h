#pragma once

#include <QString>

namespace zel::db::odbctest {

/// Registers the SQLite ODBC driver, FreeTDS and a data source "zeltest" (SQLite)
/// in a private folder (ODBCSYSINI, ODBCINSTINI, ODBCINI) before the driver
/// manager starts, so the tests never touch the system's odbc.ini. Call from
/// every test before the first ODBC call; repeated calls do nothing.
void installTestOdbcConfiguration();

/// The program's connection string for a SQLite database file through "zeltest".
QString connectionStringFor(const QString& databaseFile, const QString& dataSource = QStringLiteral("zeltest"));

}  // namespace zel::db::odbctest
