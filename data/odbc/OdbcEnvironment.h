#pragma once

#include <sql.h>

namespace zel::db {

/// The process's one ODBC environment (ODBC 3 behaviour), created on first
/// use and kept until exit. The driver manager reads ODBCSYSINI, ODBCINSTINI
/// and ODBCINI when it is created, so set those before the first call.
class OdbcEnvironment {
public:
    /// Throws DbError when the driver manager cannot create the environment.
    static SQLHENV handle();
};

}  // namespace zel::db
