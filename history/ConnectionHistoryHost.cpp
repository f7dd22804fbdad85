#include "history/ConnectionHistoryHost.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zel {

ConnectionHistoryHost::ConnectionHistoryHost(TADOConnection& connection, HistoryLookups lookups)
    : m_reader(connection, std::move(lookups))
{
}

std::vector<HistoryEntry> ConnectionHistoryHost::ReadHistory(const HistoryRequest& request)
{
    return m_reader.Read(request);
}

void ConnectionHistoryHost::CopyText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace zel
