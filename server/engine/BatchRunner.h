#pragma once

#include "data/RowSet.h"

#include <QString>

namespace zel::server {

class EmbeddedSession;

/// Runs a batch received from a client: traced, translated and checked as a
/// whole before anything runs; a batch that writes and has more than one
/// statement (or reads while it writes) runs in one transaction.
class BatchRunner {
public:
    /// result, when not null, receives the first result that has columns.
    /// Returns the rows the batch's writes affected, -1 when it wrote nothing.
    static qint64 run(EmbeddedSession& session, const QString& batch, db::RowSet* result);
};

}  // namespace zel::server
