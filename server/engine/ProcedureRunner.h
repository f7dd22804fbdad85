#pragma once

#include "data/RowSet.h"
#include "server/ServerHooks.h"

#include <QString>

#include <vector>

namespace zel::server {

class EmbeddedSession;

/// Runs a native procedure inside one transaction: committed when it returns,
/// rolled back when it throws. The account's right to call it is checked first.
class ProcedureRunner {
public:
    /// result receives the procedure's rows when it returns some and result is
    /// not null; returns whether it did.
    static bool run(EmbeddedSession& session, const QString& name, const ProcedureInfo& info,
                    const std::vector<ProcedureArgument>& arguments, db::RowSet* result);
};

}  // namespace zel::server
