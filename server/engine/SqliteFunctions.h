#pragma once

struct sqlite3;

namespace zel::server {

/// Installs on one connection what the server's text handling needs:
/// the collation "ZEL_CI" (case-insensitive for Latin and Cyrillic, "Ё" sorting
/// as "Е"), a LIKE that ignores case and knows bracket classes, and upper()/lower()
/// for every script, plus the scalar functions the dialect translation calls.
/// Call it on every connection opened on a server database.
void registerServerFunctions(sqlite3* db);

}  // namespace zel::server
