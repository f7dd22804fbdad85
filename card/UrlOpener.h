#pragma once

#include <QString>

namespace zel {

/// Opens an address in the desktop's web browser. Windows ask through the current
/// opener, so that tests see the address instead of a browser starting.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;

    /// Hands the address to the browser; false when nothing could take it.
    virtual bool open(const QString& url) = 0;

    /// The opener in use; the desktop's own unless replaced.
    static UrlOpener& current();
    /// Replaces the opener (nullptr restores the desktop's); the caller keeps ownership.
    static void setCurrent(UrlOpener* opener);
};

/// The desktop's opener: QDesktopServices.
class DesktopUrlOpener : public UrlOpener {
public:
    bool open(const QString& url) override;
};

}  // namespace zel
