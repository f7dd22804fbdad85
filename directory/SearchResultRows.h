#pragma once

#include "directory/ExportRow.h"

#include <QList>

#include <functional>
#include <optional>
#include <vector>

namespace zel {

class TADOConnection;
class TDM_PUM;

/// The rows of the current search result (ADO_TEACHER) with their first-tab fields,
/// in the order the directory lists them. The master dataset's cursor is not moved,
/// so the card does not follow.
class SearchResultRows {
public:
    /// How many keys one reading of the details names.
    static constexpr int kKeysPerStatement = 500;

    /// The details of these employees (integer keys only): one row per key found.
    static QString DetailsStatement(const QList<qint64>& keys);

    /// Reads the details in groups of kKeysPerStatement keys. progress (may be empty)
    /// is asked after each group with the rows read so far; when it returns false the
    /// reading stops and the result is nullopt. A server error propagates.
    static std::optional<std::vector<ExportRow>> Collect(TDM_PUM& dm,
                                                         const std::function<bool(int, int)>& progress);
};

}  // namespace zel
