#pragma once

namespace zel::db {

/// Registers the ODBC driver with the driver registry as "odbc": it accepts
/// every connection whose Data Source does not name a ".db" file. Register it
/// after the embedded server so the embedded one sees ".db" sources first.
void registerOdbcDriver();

}  // namespace zel::db
