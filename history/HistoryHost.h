#pragma once

#include "history/HistoryEntry.h"
#include "history/HistoryRequest.h"

#include <vector>

namespace zel {

/// What the change-history window needs of the program: the rows of a request and
/// the clipboard. The card gives it ConnectionHistoryHost; tests give a fake.
class HistoryHost {
public:
    virtual ~HistoryHost() = default;

    /// The employee's rows for the request, newest first. A server error propagates.
    virtual std::vector<HistoryEntry> ReadHistory(const HistoryRequest& request) = 0;
    /// Puts text on the system clipboard.
    virtual void CopyText(const QString& text) = 0;
};

}  // namespace zel
