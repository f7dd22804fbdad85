#pragma once

#include <QString>
#include <QUrl>

namespace zel {

/// Downloads one file over HTTP into a destination path, reading the body in
/// blocks. A connection failure, an HTTP error status or an empty body is a
/// failed download; the destination then holds no usable file.
class UpdateDownload {
public:
    struct Result {
        bool ok = false;
        qint64 bytes = 0;
        QString error;  ///< why it failed, for diagnostics
        /// The destination file could not be created or written: a fault of this
        /// workstation, not of the update server.
        bool fileFailed = false;
    };

    /// Blocks until the transfer ends (the window does not respond meanwhile).
    /// userAgent is the executable's file name.
    static Result fetch(const QUrl& source, const QString& destination, const QString& userAgent,
                        int timeoutMs = 30000);
};

}  // namespace zel
