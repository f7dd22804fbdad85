#pragma once

#include <QString>

namespace zel::test {

/// A SQLite file system that passes everything to the system's own, except that it
/// can fail one chosen operation: the Nth write, sync or lock from the moment it is
/// armed. Installed as the default, so every connection the embedded server opens
/// afterwards goes through it. One process-wide instance; arm it from one thread.
class FaultInjectingVfs {
public:
    enum class Operation { Write, Sync, Lock };
    enum class Failure {
        IoError,   ///< the operation's own I/O error code
        DiskFull,  ///< SQLITE_FULL (writes only; other operations report an I/O error)
    };

    /// Registers the shim as the default file system (idempotent).
    static void install();

    /// The nth operation of that kind from now (1 = the next one) fails once.
    static void arm(Operation operation, int nth, Failure failure);
    /// No further failures.
    static void disarm();
    /// Whether the armed failure has happened.
    static bool fired();
    /// Operations of the armed kind seen since arm().
    static int seen();

    static QString describe(Operation operation, Failure failure);
};

}  // namespace zel::test
