#pragma once

#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"

#include <QFile>
#include <QTemporaryDir>

namespace zel::bench {

/// The program's connection string for the demo's clerk account (the editor) on
/// the database file at path.
inline QString editorConnectionString(const server::DemoSummary& summary, const QString& path)
{
    const auto& login = summary.databaseAccounts.at(1);
    return "Provider=SQLOLEDB.1;Password=" + login.password + ";User ID=" + login.login
        + ";Initial Catalog=" + summary.databaseName + ";Data Source=" + path;
}

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
    QString connectionString() const { return editorConnectionString(summary, path); }
};

/// The process's one demo database of this size, made on first use.
template <int Employees>
BenchDemoDatabase& sharedDemoDatabase()
{
    static BenchDemoDatabase db(Employees);
    return db;
}

/// A demo database of the given size kept at path from one run to the next: built
/// when missing (a marker file beside it says the build finished) and reused
/// otherwise, with the embedded server registered. Returns the demo's accounts,
/// which do not depend on the employees.
inline server::DemoSummary keptDemoDatabase(const QString& path, int employees)
{
    server::registerEmbeddedDriver();
    server::installServerModules();
    const QString complete = path + QStringLiteral(".complete");
    if (QFile::exists(path) && QFile::exists(complete)) {
        // An empty demo names the same accounts.
        QTemporaryDir scratch;
        return server::createDemoDatabase(scratch.filePath(QStringLiteral("accounts.db")), 0);
    }
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
    server::DemoSummary summary = server::createDemoDatabase(path, employees);
    QFile marker(complete);
    marker.open(QIODevice::WriteOnly);
    return summary;
}

}  // namespace zel::bench
