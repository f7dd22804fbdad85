#pragma once

#include "SignInBackend.h"

#include <functional>

namespace zel {

class TADOConnection;

/// The sign-in's backend in the program: the one connection ADO_PUM, short-
/// lived queries for GET_USER and the date format, and callbacks into the
/// main window and the data modules.
class ConnectionSignInBackend : public SignInBackend {
public:
    struct Host {
        std::function<void()> openDatasets;
        std::function<void(const QString&)> setCaption;
        std::function<void(const QString& login, const QString& password)> signedIn;
        std::function<void(const QString&)> showError;
        QString bootstrapPath;  ///< empty = the file beside the executable
    };

    /// connection is not owned and must outlive the backend.
    ConnectionSignInBackend(TADOConnection& connection, Host host);

    TFirstConnectInfo readBootstrapSettings() override;
    void reopenConnection(const QString& connectionString) override;
    void closeConnection() override;
    QVariantList firstRow(const QString& statement) override;
    void execute(const QString& statement) override;
    void openDatasets() override;
    void setCaption(const QString& caption) override;
    void signedIn(const QString& userLogin, const QString& userPassword) override;
    QString ipAddress() override;
    QString computerName() override;
    void showError(const QString& text) override;

private:
    TADOConnection& m_connection;
    Host m_host;
};

}  // namespace zel
