#include "ConnectionString.h"

#include "BootstrapSettings.h"

namespace zel {

QString buildConnectionString(const QString& login, const QString& password, const QString& database,
                              const QString& server)
{
    return QStringLiteral("Provider=SQLOLEDB.1;Password=") + password
        + QStringLiteral(";Persist Security Info=True;User ID=") + login
        + QStringLiteral(";Initial Catalog=") + database + QStringLiteral(";Data Source=") + server
        + QStringLiteral(";Use Procedure for Prepare=1;Auto Translate=True;")
        + QStringLiteral("Packet Size=4096;Use Encryption for Data=False;")
        + QStringLiteral("Tag with column collation when possible=False");
}

QString buildConnectionString(const TFirstConnectInfo& info)
{
    return buildConnectionString(info.login, info.password, info.database, info.server);
}

QString withoutLogin(const QString& errorText, const QString& login)
{
    if (login.isEmpty())
        return errorText;
    QString text = errorText;
    text.remove(login, Qt::CaseSensitive);
    return text;
}

}  // namespace zel
