#include "history/ConnectionHistoryHost.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zel {

ConnectionHistoryHost::ConnectionHistoryHost(TADOConnection& connection) : m_reader(connection) {}

std::vector<HistoryEntry> ConnectionHistoryHost::ReadHistory(const HistoryRequest& request)
{
    return m_reader.Read(request);
}

void ConnectionHistoryHost::CopyText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace zel
