#pragma once

struct sqlite3;

namespace zel::server {

/// Scalar functions that translated statements call: zel_add ("+" decided per
/// row), zel_convert (CAST/CONVERT), zel_getdate, zel_len, zel_charindex,
/// zel_year/month/day, zel_space, zel_replicate, zel_reverse.
void registerDialectFunctions(sqlite3* db);

}  // namespace zel::server
