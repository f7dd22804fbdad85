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
    /// result, when not null, receives the first result that has columns: the
    /// batch is opened for its rows, and then no statement after a SELECT may
    /// change data (a text typed into a search cannot append a DELETE); such a
    /// batch is refused before anything runs. Returns the rows the batch's
    /// writes affected, -1 when it wrote nothing.
    static qint64 run(EmbeddedSession& session, const QString& batch, db::RowSet* result);
};

}  // namespace zel::server
