#pragma once

#include "server/schema/SqliteConnection.h"
#include "tools/report/ReportService.h"

#include <QHostAddress>
#include <QString>

#include <memory>

class QHttpServer;

namespace zel::report {

/// The HTTP server of the printable card: serves the report page at
/// ReportServer::PagePath() from an embedded-server database file. Runs in the
/// thread of the event loop that owns it; every other path answers 404.
class ReportServer {
public:
    /// Opens the database; throws zel::DbError when it cannot be opened.
    explicit ReportServer(const QString& databasePath);
    ~ReportServer();
    ReportServer(const ReportServer&) = delete;
    ReportServer& operator=(const ReportServer&) = delete;

    static QString PagePath();

    /// Starts listening; port 0 picks a free one. Returns the port, or 0 when
    /// the address cannot be bound.
    quint16 listen(const QHostAddress& address, quint16 port);

private:
    server::schema::SqliteConnection m_connection;
    ReportService m_service;
    std::unique_ptr<QHttpServer> m_http;
};

}  // namespace zel::report
