// zel4-admin report-server: serves the printable card from an embedded-server database.
#include "AdminCommand.h"

#include "data/DbError.h"
#include "server/procedures/ServerModules.h"
#include "tools/report/ReportServer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>

namespace zel::tools {

namespace {

constexpr quint16 kDefaultPort = 8089;

/// "HOST:PORT" or "PORT"; false when either part is not valid.
bool parseListen(const QString& text, QHostAddress& address, quint16& port)
{
    const qsizetype colon = text.lastIndexOf(u':');
    const QString host = colon < 0 ? QStringLiteral("127.0.0.1") : text.left(colon);
    bool ok = false;
    const uint number = text.mid(colon + 1).toUInt(&ok);
    if (!ok || number > 65535 || !address.setAddress(host))
        return false;
    port = quint16(number);
    return true;
}

int reportServer(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString usage = QStringLiteral("usage: zel4-admin report-server --db PATH [--listen 127.0.0.1:PORT]\n");
    const QString given = optionValue(args, QStringLiteral("--db"));
    if (given.isEmpty()) {
        err << usage;
        return 2;
    }
    QHostAddress address(QHostAddress::LocalHost);
    quint16 port = kDefaultPort;
    const QString listen = optionValue(args, QStringLiteral("--listen"));
    if (!listen.isEmpty() && !parseListen(listen, address, port)) {
        err << "zel4-admin report-server: --listen ожидает адрес и порт, например 127.0.0.1:" << kDefaultPort
            << "\n";
        return 2;
    }
    try {
        server::installServerModules();
        report::ReportServer server(QFileInfo(given).absoluteFilePath());
        const quint16 bound = server.listen(address, port);
        if (bound == 0) {
            err << "zel4-admin report-server: не удалось занять " << address.toString() << ":" << port << "\n";
            return 1;
        }
        out << "Сервер отчётов: http://" << address.toString() << ":" << bound << report::ReportServer::PagePath()
            << " (база " << given << ")\n";
        out.flush();
        return QCoreApplication::exec();
    } catch (const Error& error) {
        err << "zel4-admin report-server: " << error.message() << "\n";
        return 1;
    }
}

const AdminCommandRegistration registration({
    "report-server",
    "report-server --db PATH [--listen 127.0.0.1:PORT]   serve the printable card over HTTP",
    &reportServer,
    true,
});
}  // namespace

}  // namespace zel::tools
