#include "WorkstationIdentity.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QSysInfo>

namespace zel {

QString WorkstationIdentity::computerName()
{
    return QSysInfo::machineHostName();
}

QString WorkstationIdentity::ipAddress()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& nic : interfaces) {
        const auto flags = nic.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning)
            || (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : nic.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
                return address.toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

QString WorkstationIdentity::computerAndAddress()
{
    return computerName() + u'\\' + ipAddress();
}

}  // namespace zel
