#pragma once

#include "signin/SignInBackend.h"

#include "data/DbError.h"

#include <QStringList>

namespace zel::testing {

// Records every call; GET_USER answers with the configured row.
class FakeBackend : public SignInBackend {
public:
    TFirstConnectInfo bootstrapInfo{QStringLiteral("zel_boot"), QStringLiteral("bootpw"), QStringLiteral("ZEL"),
                                    QStringLiteral("demo.db")};
    QVariantList row;
    QString bootstrapFailure;  // thrown by the first reopen when set
    QString getUserFailure;
    QString datasetFailure;
    bool bootstrapMissing = false;

    QStringList calls, statements, connectionStrings, errors, captions;
    bool connected = false;
    QString signedLogin, signedPassword;

    FakeBackend() { answer(QStringLiteral("trdq"), QStringLiteral("qv"), 25, QString(), 2); }

    void answer(const QString& dbLogin, const QString& dbPassword, int state, const QString& message, int version)
    {
        row = {dbLogin, dbPassword, QVariant(), state, message, version};
    }

    TFirstConnectInfo readBootstrapSettings() override
    {
        calls << QStringLiteral("read bootstrap");
        if (bootstrapMissing)
            throw IoError(QStringLiteral("Cannot open the bootstrap file"));
        return bootstrapInfo;
    }
    void reopenConnection(const QString& connectionString) override
    {
        calls << QStringLiteral("open");
        connectionStrings << connectionString;
        if (!bootstrapFailure.isEmpty() && connectionStrings.size() == 1)
            throw DbError(bootstrapFailure, DbError::Kind::LoginFailed);
        connected = true;
    }
    void closeConnection() override
    {
        calls << QStringLiteral("close");
        connected = false;
    }
    QVariantList firstRow(const QString& statement) override
    {
        statements << statement;
        if (!getUserFailure.isEmpty())
            throw DbError(getUserFailure);
        return row;
    }
    void execute(const QString& statement) override { statements << statement; }
    void openDatasets() override
    {
        calls << QStringLiteral("datasets");
        if (!datasetFailure.isEmpty())
            throw DbError(datasetFailure);
    }
    void setCaption(const QString& caption) override { captions << caption; }
    void signedIn(const QString& login, const QString& password) override
    {
        calls << QStringLiteral("signed in");
        signedLogin = login;
        signedPassword = password;
    }
    QString ipAddress() override { return QStringLiteral("10.0.0.7"); }
    QString computerName() override { return QStringLiteral("KADRY-01"); }
    void showError(const QString& text) override { errors << text; }
};

}  // namespace zel::testing
