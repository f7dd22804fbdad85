#include "server/engine/StatementTrace.h"

#include "server/engine/DateText.h"
#include "server/engine/EmbeddedSession.h"
#include "server/engine/SchemaCatalog.h"

#include <QDateTime>

#include <sqlite3.h>

namespace zel::server {

namespace {

void bindText(sqlite3_stmt* st, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(st, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

}  // namespace

bool StatementTrace::isOn(EmbeddedSession& session)
{
    unsigned version = 0;
    sqlite3_file_control(session.db(), "main", SQLITE_FCNTL_DATA_VERSION, &version);
    if (m_known && version == m_dataVersion)
        return m_on;
    m_known = true;
    m_dataVersion = version;
    m_on = false;
    if (!session.catalog().find(QStringLiteral("zel_settings")) || !session.catalog().find(QStringLiteral("zel_trace")))
        return false;
    EmbeddedSession::Trusted trusted(session, false);
    sqlite3_stmt* setting =
        session.statements().prepare(QStringLiteral("SELECT value FROM zel_settings WHERE name = 'trace'"));
    if (!setting)
        return false;
    StatementReset reset(setting);
    if (sqlite3_step(setting) == SQLITE_ROW) {
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(setting, 0));
        m_on = value && std::string_view(value) == "1";
    }
    return m_on;
}

void StatementTrace::record(EmbeddedSession& session, const QString& statement, qint64 receivedAtMs) noexcept
{
    try {
        if (!isOn(session))
            return;
    } catch (...) {
        return;
    }
    EmbeddedSession::Trusted trusted(session, true);
    sqlite3_stmt* insert = session.statements().prepare(
        QStringLiteral("INSERT INTO zel_trace (at, login, statement) VALUES (?1, ?2, ?3)"));
    if (!insert)
        return;
    StatementReset reset(insert);
    bindText(insert, 1, DateText::storedDateTime(QDateTime::fromMSecsSinceEpoch(receivedAtMs)));
    bindText(insert, 2, session.account().login);
    bindText(insert, 3, statement);
    // The identity a caller reads back after its INSERT must stay the caller's.
    const sqlite3_int64 callersRow = sqlite3_last_insert_rowid(session.db());
    sqlite3_step(insert);
    sqlite3_set_last_insert_rowid(session.db(), callersRow);
}

}  // namespace zel::server
