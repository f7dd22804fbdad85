#pragma once

#include "BootstrapSettings.h"

#include <QString>

#include <functional>

namespace zel {

/// Opens a connection with the given settings. reopen closes the connection,
/// assigns the connection string and opens it (throwing zel::Error on failure).
/// Returns the text for the sign-in window's message label: empty when the
/// connection opened, otherwise the error text with the login removed. The
/// error goes no further.
QString openConnection(const TFirstConnectInfo& info,
                       const std::function<void(const QString& connectionString)>& reopen);

}  // namespace zel
