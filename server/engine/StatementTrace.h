#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

namespace zel::server {

class EmbeddedSession;

/// Appends every statement text a session receives to zel_trace, with the time
/// it was received and the login, while the setting 'trace' is '1'. A statement
/// is recorded after it ran (also when it failed); the setting is read again only
/// when the database changed since it was last read, so that a trace that is off
/// costs no extra transaction.
class StatementTrace {
public:
    /// Never throws: a trace that cannot be written never fails a statement.
    /// receivedAtMs: when it arrived, milliseconds since the epoch.
    void record(EmbeddedSession& session, const QString& statement, qint64 receivedAtMs) noexcept;
    /// This session wrote: the setting may have changed.
    void invalidate() { m_known = false; }

    /// The rows recorded inside the client's transaction are stored with it; after a
    /// commit they need nothing more.
    void transactionCommitted() noexcept { m_heldBack.clear(); }
    /// The rollback took those rows away with the transaction: they are written again,
    /// since the server did receive those statements. Never throws.
    void transactionRolledBack(EmbeddedSession& session) noexcept;

    /// The text as the trace stores it: the password digests of a GET_USER call
    /// (second and third argument, or @password and @new_password) replaced by
    /// kMask. A text that cannot be read as tokens but names GET_USER keeps
    /// nothing after the procedure's name.
    static QString masked(const QString& statement);
    static constexpr QLatin1StringView kMask{"'***'"};

private:
    struct Entry {
        QString statement;
        qint64 receivedAtMs;
    };

    bool isOn(EmbeddedSession& session);
    void write(EmbeddedSession& session, const QString& statement, qint64 receivedAtMs) noexcept;

    bool m_known = false;
    bool m_on = false;
    unsigned m_dataVersion = 0;
    std::vector<Entry> m_heldBack;
};

}  // namespace zel::server
