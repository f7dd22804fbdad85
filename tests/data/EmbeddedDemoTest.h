#pragma once
// A test suite over a demo database on the embedded server: made once for the
// suite in a temporary folder, opened through the program's own connection strings.

#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

namespace zel::test {

class EmbeddedDemoTest : public ::testing::Test {
protected:
    static constexpr int kEmployees = 40;

    static void SetUpTestSuite()
    {
        server::registerEmbeddedDriver();
        server::installServerModules();
        dir = std::make_unique<QTemporaryDir>();
        path = dir->filePath(QStringLiteral("zel.db"));
        summary = server::createDemoDatabase(path, kEmployees);
    }
    static void TearDownTestSuite() { dir.reset(); }

    /// Connection string for a database account of the demo (0 boot, 1 editor, 2 reader).
    static QString connectionString(int account)
    {
        const auto& login = summary.databaseAccounts.at(std::size_t(account));
        return "Provider=SQLOLEDB.1;Password=" + login.password + ";Persist Security Info=True;User ID="
            + login.login + ";Initial Catalog=" + summary.databaseName + ";Data Source=" + path
            + ";Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;"
              "Use Encryption for Data=False;Tag with column collation when possible=False";
    }

    /// A query on a connection of its own (the editor's), as another workstation
    /// sees the data: shows what reached the server.
    struct OtherConnection {
        TADOConnection connection;
        TADOQuery query{QStringLiteral("other")};

        explicit OtherConnection(const QString& sql)
        {
            connection.SetConnectionString(connectionString(1));
            query.SetConnection(&connection);
            query.SetSQL(sql);
        }
    };

    /// A value as another connection sees it: of the field, or of the first column
    /// when no field is named; null without a row.
    static QVariant serverValue(const QString& sql, const QString& field = QString())
    {
        OtherConnection other(sql);
        other.query.Open();
        if (other.query.IsEmpty())
            return {};
        return field.isEmpty() ? other.query.Field(0)->Value() : other.query.FieldByName(field)->Value();
    }

    /// Runs a statement on another connection.
    static void serverExec(const QString& sql) { OtherConnection(sql).query.ExecSQL(); }

    static inline std::unique_ptr<QTemporaryDir> dir;
    static inline QString path;
    static inline server::DemoSummary summary;
};

}  // namespace zel::test
