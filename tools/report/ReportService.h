#pragma once

#include <QByteArray>
#include <QString>

class QUrlQuery;
struct sqlite3;

namespace zel::report {

/// One answer of the report page: HTTP status, content type and body.
struct ReportReply {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
};

/// The report page of the printable card, without the HTTP around it. The query
/// names the report "/VUZ/zel4_1" and carries login, password (the 32-digit
/// password hash) and teacher; "rs:Format=PDF" asks for a PDF instead of HTML.
///
/// A missing or repeated parameter, an unknown login, a wrong hash or a clerk
/// whose sign-in is refused all give the same 403 page, which does not say which
/// part was wrong. An employee key that does not exist gives 404.
class ReportService {
public:
    /// db is not owned and outlives the service.
    explicit ReportService(sqlite3* db);

    /// The report the page renders, as the query names it (decoded).
    static QString ReportName();

    ReportReply reply(const QUrlQuery& query) const;

private:
    bool credentialsMatch(const QString& login, const QString& hash) const;

    sqlite3* m_db;
};

}  // namespace zel::report
