#pragma once

#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"

#include <QTemporaryDir>

namespace zel::bench {

/// A demo database of the given size in a temporary folder, with the embedded
/// server registered, and the connection string of its clerk's account: the route
/// the program really uses.
struct BenchDemoDatabase {
    QTemporaryDir dir;
    QString path;
    server::DemoSummary summary;

    explicit BenchDemoDatabase(int employees)
    {
        server::registerEmbeddedDriver();
        server::installServerModules();
        path = dir.filePath("bench.db");
        summary = server::createDemoDatabase(path, employees);
    }
    QString connectionString() const
    {
        const auto& login = summary.databaseAccounts.at(1);
        return "Provider=SQLOLEDB.1;Password=" + login.password + ";User ID=" + login.login
            + ";Initial Catalog=" + summary.databaseName + ";Data Source=" + path;
    }
};

}  // namespace zel::bench
