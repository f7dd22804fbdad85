#include "tools/report/ReportServer.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QUrlQuery>

namespace zel::report {

ReportServer::ReportServer(const QString& databasePath)
    : m_connection(databasePath, server::schema::SqliteConnection::Mode::OpenExisting),
      m_service(m_connection.handle()),
      m_http(std::make_unique<QHttpServer>())
{
    m_http->route(PagePath(), [this](const QHttpServerRequest& request) {
        const ReportReply reply = m_service.reply(request.query());
        QHttpServerResponse response(reply.contentType, reply.body,
                                     static_cast<QHttpServerResponse::StatusCode>(reply.status));
        // The card holds personal data: no cache may keep it.
        response.setHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store"));
        return response;
    });
}

ReportServer::~ReportServer() = default;

QString ReportServer::PagePath()
{
    return QStringLiteral("/reportserver/Pages/ReportViewer.aspx");
}

quint16 ReportServer::listen(const QHostAddress& address, quint16 port)
{
    return m_http->listen(address, port);
}

}  // namespace zel::report
