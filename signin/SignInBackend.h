#pragma once

#include "BootstrapSettings.h"

#include <QString>
#include <QVariantList>

namespace zel {

/// What the sign-in needs of the rest of the program: the bootstrap file, the
/// one connection, the reference datasets, the main window and the workstation.
/// The program implements it over DM_PUM.ADO_PUM; tests with a recorder.
class SignInBackend {
public:
    virtual ~SignInBackend() = default;

    /// Reads the bootstrap file; throws zel::IoError when missing or short.
    virtual TFirstConnectInfo readBootstrapSettings() = 0;
    /// Closes the connection if open, assigns the connection string, opens it.
    virtual void reopenConnection(const QString& connectionString) = 0;
    virtual void closeConnection() = 0;
    /// Runs a statement that returns rows; the first row's values by position
    /// (an empty list when there is no row). Throws zel::Error.
    virtual QVariantList firstRow(const QString& statement) = 0;
    /// Runs a statement without rows through a temporary statement object.
    virtual void execute(const QString& statement) = 0;
    /// Opens the reference datasets after a successful reconnection.
    virtual void openDatasets() = 0;

    /// The main window's caption and the application title.
    virtual void setCaption(const QString& caption) = 0;
    /// Marks the sign-in as done: the main window is shown when the loop
    /// starts and keeps UserLogin and UserPassword.
    virtual void signedIn(const QString& userLogin, const QString& userPassword) = 0;
    virtual QString ipAddress() = 0;
    virtual QString computerName() = 0;

    /// The default message box (application title as caption, OK).
    virtual void showError(const QString& text) = 0;
};

}  // namespace zel
