#pragma once

#include "history/HistoryEntry.h"
#include "history/HistoryLookups.h"
#include "history/HistoryRequest.h"

#include <vector>

namespace zel {

class TADOConnection;

/// Reads an employee's change history through one call of the server's
/// ZEL_EmployeeHistory per request, never row by row, then the names of the
/// dictionary keys in it: one statement per dictionary that occurs in the rows.
/// Errors of the server propagate as DbError.
class EmployeeHistoryReader {
public:
    /// connection is not owned and outlives the reader. Without lookups every value
    /// is shown as logged.
    explicit EmployeeHistoryReader(TADOConnection& connection, HistoryLookups lookups = {});

    /// The statement sent for a request. The section name is the only text in it
    /// and is written as a literal with its quotes doubled.
    static QString Statement(const HistoryRequest& request);

    /// The rows, newest first, with their descriptions taken apart and the keys of
    /// lookup fields replaced by their names.
    std::vector<HistoryEntry> Read(const HistoryRequest& request) const;

private:
    TADOConnection& m_connection;
    HistoryLookups m_lookups;
};

}  // namespace zel
