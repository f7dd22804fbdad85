#pragma once

#include <QString>

namespace zel {

struct TFirstConnectInfo;

/// The connection string of every connection the program opens. The values are
/// inserted as they are, in this key order: the SQL Server route and the
/// embedded server both read it by key.
QString buildConnectionString(const QString& login, const QString& password, const QString& database,
                              const QString& server);
QString buildConnectionString(const TFirstConnectInfo& info);

/// The server's error text with every occurrence of the login removed
/// (exact, case-sensitive): the bootstrap login is never shown.
QString withoutLogin(const QString& errorText, const QString& login);

}  // namespace zel
