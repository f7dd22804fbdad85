#include "data/odbc/OdbcConnectionString.h"

#include "data/DbError.h"

namespace zel::db {

namespace {
const QString kTdsVersion = QStringLiteral("7.4");
const QString kTextSize = QStringLiteral("2147483647");

bool needsBraces(const QString& value)
{
    if (value.isEmpty())
        return false;
    if (value.front().isSpace() || value.back().isSpace())
        return true;
    for (const QChar c : value)
        if (c == u';' || c == u'{' || c == u'}')
            return true;
    return false;
}

bool isTrue(const QString& value)
{
    const QString v = value.trimmed();
    return v.compare(u"true", Qt::CaseInsensitive) == 0 || v.compare(u"yes", Qt::CaseInsensitive) == 0
        || v == u"1";
}

bool isFreeTdsDriver(const QString& driver)
{
    return driver.contains(u"tds", Qt::CaseInsensitive);
}
}  // namespace

QString OdbcConnectionString::attribute(const QString& key, const QString& value, bool freeTds)
{
    if (value.contains(u"};"))
        throw DbError(QStringLiteral("Значение %1 в строке подключения содержит \"};\", которое драйвер ODBC "
                                     "принять не может; выберите другое значение.")
                          .arg(key));
    if (!needsBraces(value))
        return key + u'=' + value + u';';
    QString escaped = value;
    if (!freeTds)
        escaped.replace(u'}', QStringLiteral("}}"));
    return key + QStringLiteral("={") + escaped + QStringLiteral("};");
}

OdbcConnectionString::ServerAddress OdbcConnectionString::parseServer(const QString& dataSource)
{
    QString rest = dataSource.trimmed();
    if (rest.startsWith(u"tcp:", Qt::CaseInsensitive))
        rest = rest.mid(4).trimmed();

    ServerAddress address;
    const qsizetype comma = rest.indexOf(u',');
    if (comma >= 0) {
        const QString portText = rest.mid(comma + 1).trimmed();
        bool ok = false;
        const int port = portText.toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            throw DbError(QStringLiteral("В адресе сервера \"%1\" неверный порт \"%2\".")
                              .arg(dataSource, portText));
        address.port = port;
        rest = rest.left(comma).trimmed();
    }
    const qsizetype slash = rest.indexOf(u'\\');
    if (slash >= 0) {
        address.instance = rest.mid(slash + 1).trimmed();
        rest = rest.left(slash).trimmed();
    }
    if (rest == u"." || rest.compare(u"(local)", Qt::CaseInsensitive) == 0)
        rest = QStringLiteral("127.0.0.1");
    if (rest.isEmpty())
        throw DbError(QStringLiteral("В строке подключения не указан сервер базы данных (Data Source пуст)."));
    address.host = rest;
    return address;
}

bool OdbcConnectionString::targetsFreeTds(const ConnectionParams& params, const OdbcInstallation& installation)
{
    const QString dataSource = params.server().trimmed();
    if (const auto dsnDriver = installation.dataSourceDriver(dataSource); dsnDriver && !dataSource.isEmpty())
        return isFreeTdsDriver(*dsnDriver);
    return true;
}

QString OdbcConnectionString::build(const ConnectionParams& params, const OdbcInstallation& installation)
{
    const QString dataSource = params.server().trimmed();
    const QString database = params.database();

    if (const auto dsnDriver = installation.dataSourceDriver(dataSource); dsnDriver && !dataSource.isEmpty()) {
        const bool freeTds = isFreeTdsDriver(*dsnDriver);
        QString s = attribute(QStringLiteral("DSN"), dataSource, freeTds);
        s += attribute(QStringLiteral("UID"), params.login(), freeTds);
        s += attribute(QStringLiteral("PWD"), params.password(), freeTds);
        if (!database.isEmpty())
            s += attribute(QStringLiteral("Database"), database, freeTds);
        if (freeTds) {
            s += QStringLiteral("ClientCharset=UTF-8;TextSize=") + kTextSize + u';';
        }
        return s;
    }

    if (installation.freeTdsDriver.isEmpty())
        throw DbError(QStringLiteral("\"%1\" не является источником данных ODBC, а драйвер ODBC FreeTDS, "
                                     "через который к нему можно обратиться как к серверу, не установлен.")
                          .arg(dataSource),
                      DbError::Kind::ConnectionLost);

    const ServerAddress address = parseServer(dataSource);
    QString s = QStringLiteral("Driver=") + installation.freeTdsDriver + u';';
    if (address.port != 0) {
        s += attribute(QStringLiteral("Server"), address.host, true);
        s += QStringLiteral("Port=%1;").arg(address.port);
    } else if (!address.instance.isEmpty()) {
        s += attribute(QStringLiteral("Server"), address.host + u'\\' + address.instance, true);
    } else {
        s += attribute(QStringLiteral("Server"), address.host, true);
    }
    if (!database.isEmpty())
        s += attribute(QStringLiteral("Database"), database, true);
    s += attribute(QStringLiteral("UID"), params.login(), true);
    s += attribute(QStringLiteral("PWD"), params.password(), true);
    s += QStringLiteral("TDS_Version=") + kTdsVersion + u';';
    s += QStringLiteral("ClientCharset=UTF-8;TextSize=") + kTextSize + u';';
    s += QStringLiteral("Encryption=")
        + (isTrue(params.value(QStringLiteral("Use Encryption for Data"))) ? QStringLiteral("require")
                                                                           : QStringLiteral("off"))
        + u';';
    bool packetOk = false;
    const int packetSize = params.value(QStringLiteral("Packet Size")).trimmed().toInt(&packetOk);
    if (packetOk && packetSize >= 512 && packetSize <= 32767)
        s += QStringLiteral("PacketSize=%1;").arg(packetSize);
    return s;
}

}  // namespace zel::db
