#pragma once

#include "history/HistoryEntry.h"
#include "history/HistoryRequest.h"

#include <vector>

namespace zel {

class TADOConnection;

/// Reads an employee's change history through one call of the server's
/// ZEL_EmployeeHistory per request, never row by row. Errors of the server
/// propagate as DbError.
class EmployeeHistoryReader {
public:
    /// connection is not owned and outlives the reader.
    explicit EmployeeHistoryReader(TADOConnection& connection);

    /// The statement sent for a request. The section name is the only text in it
    /// and is written as a literal with its quotes doubled.
    static QString Statement(const HistoryRequest& request);

    /// The rows, newest first, with their descriptions taken apart.
    std::vector<HistoryEntry> Read(const HistoryRequest& request) const;

private:
    TADOConnection& m_connection;
};

}  // namespace zel
