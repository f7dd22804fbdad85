#pragma once

#include <QString>

namespace zel {

/// The workstation as the server and the audit rows see it. Asked of the
/// system each time, so that a changed address is seen at once.
class WorkstationIdentity {
public:
    /// The computer name as the system reports it.
    static QString computerName();
    /// The first active, non-loopback IPv4 address in dotted form; "127.0.0.1"
    /// when the host has none.
    static QString ipAddress();
    /// "<computer name>\<IP address>", as audit rows and procedures take it.
    static QString computerAndAddress();
};

}  // namespace zel
