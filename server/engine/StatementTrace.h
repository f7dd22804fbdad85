#pragma once

#include <QString>

namespace zel::server {

class EmbeddedSession;

/// Appends every statement text a session receives to zel_trace, with the time
/// and the login, while the setting 'trace' is '1'. Off, it costs one lookup.
class StatementTrace {
public:
    static void record(EmbeddedSession& session, const QString& statement);
};

}  // namespace zel::server
