#include "card/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace zel {

namespace {
UrlOpener* g_current = nullptr;
}  // namespace

UrlOpener& UrlOpener::current()
{
    static DesktopUrlOpener desktop;
    return g_current ? *g_current : desktop;
}

void UrlOpener::setCurrent(UrlOpener* opener)
{
    g_current = opener;
}

bool DesktopUrlOpener::open(const QString& url)
{
    // Tolerant parsing keeps the address's own percent-encodings as they are.
    return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

}  // namespace zel
