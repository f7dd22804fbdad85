#pragma once

#include "server/demo/DemoDatabase.h"

namespace zel::server::demo {

/// The demo's database accounts (bootstrap, editor, read-only, administrator)
/// and its clerks: an editor, a read-only user, one who must change the
/// password, one whose password expires soon and one who is refused.
class DemoAccounts {
public:
    static void write(sqlite3* db, DemoSummary& summary);
};

}  // namespace zel::server::demo
