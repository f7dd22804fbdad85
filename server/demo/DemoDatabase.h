#pragma once

#include <QString>

#include <vector>

struct sqlite3;

namespace zel::server {

/// The report server's address in a demo database (settings row 22): where
/// "zel4-admin report-server" listens by default.
inline constexpr char16_t kDemoReportServer[] = u"http://127.0.0.1:8089";

/// A login of the demo database and what it is for.
struct DemoAccount {
    QString login;
    QString password;
    QString purpose;  ///< Russian, for the printed list
};

struct DemoSummary {
    QString databaseName;                 ///< the Initial Catalog the demo answers to
    int employees = 0;                    ///< generated employees (the reserved row 1 not counted)
    std::vector<DemoAccount> clerks;      ///< sign-in logins for the program (GET_USER)
    std::vector<DemoAccount> databaseAccounts;  ///< connection-string accounts, bootstrap first
};

/// Creates a new embedded-server database at path with the schema, the
/// reference data, the demo accounts and `employees` generated employees
/// (keys 2 and up; key 1 is the reserved row the directory hides). The same
/// seed gives the same data. Loads everything in one transaction and builds
/// the indexes afterwards, so 100,000 employees take seconds. Throws
/// zel::DbError when the file exists or cannot be written (nothing is left behind).
DemoSummary createDemoDatabase(const QString& path, int employees = 300, quint32 seed = 4);

/// Fills an empty, open database the same way (used by createDemoDatabase and by tests).
DemoSummary fillDemoDatabase(sqlite3* db, int employees, quint32 seed);

}  // namespace zel::server
