#pragma once

#include "data/DbError.h"
#include "data/RowSet.h"
#include "server/ServerHooks.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"
#include "tests/server/SqliteFirstValue.h"

#include <gtest/gtest.h>

#include <memory>

// A small demo database in memory, shared by the tests of one suite. Each test
// runs inside a transaction that is rolled back, as the engine wraps each call.
class DemoDatabaseFixture : public ::testing::Test {
protected:
    static constexpr int kEmployees = 60;

    static void SetUpTestSuite()
    {
        zel::server::installServerModules();
        s_connection = std::make_unique<zel::server::schema::SqliteConnection>();
        s_summary = zel::server::fillDemoDatabase(s_connection->handle(), kEmployees, 11);
    }
    static void TearDownTestSuite() { s_connection.reset(); }

    void SetUp() override { exec("BEGIN"); }
    void TearDown() override { exec("ROLLBACK"); }

    static sqlite3* db() { return s_connection->handle(); }
    static void exec(const QString& sql) { zel::server::schema::execute(db(), sql); }
    static qint64 scalar(const QString& sql) { return zel::test::firstInteger(db(), sql); }
    static QString text(const QString& sql) { return zel::test::firstText(db(), sql); }

    /// Runs a registered procedure as the engine would; positional arguments.
    static zel::db::RowSet call(const QString& procedure, const QVariantList& positional,
                                zel::server::AccountRole role = zel::server::AccountRole::Editor)
    {
        std::vector<zel::server::ProcedureArgument> arguments;
        for (const QVariant& v : positional)
            arguments.push_back({QString(), v});
        return callNamed(procedure, arguments, role);
    }
    static zel::db::RowSet callNamed(const QString& procedure,
                                     const std::vector<zel::server::ProcedureArgument>& arguments,
                                     zel::server::AccountRole role = zel::server::AccountRole::Editor)
    {
        const std::optional<zel::server::ProcedureInfo> info = zel::server::findProcedure(procedure);
        if (!info)
            throw zel::DbError(QStringLiteral("no procedure ") + procedure);
        zel::db::RowSet rows;
        zel::server::ProcedureContext context;
        context.db = db();
        context.databaseName = QStringLiteral("ZEL");
        context.account = {QStringLiteral("tester"), role};
        context.result = &rows;
        info->function(context, arguments);
        return rows;
    }

    static inline std::unique_ptr<zel::server::schema::SqliteConnection> s_connection;
    static inline zel::server::DemoSummary s_summary;
};
