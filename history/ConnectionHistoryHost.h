#pragma once

#include "history/EmployeeHistoryReader.h"
#include "history/HistoryHost.h"

namespace zel {

/// The history host of the running program: reads through the program's connection
/// and copies to the system clipboard.
class ConnectionHistoryHost : public HistoryHost {
public:
    /// connection is not owned and outlives the host; lookups name the dictionary keys.
    explicit ConnectionHistoryHost(TADOConnection& connection, HistoryLookups lookups = {});

    std::vector<HistoryEntry> ReadHistory(const HistoryRequest& request) override;
    void CopyText(const QString& text) override;

private:
    EmployeeHistoryReader m_reader;
};

}  // namespace zel
