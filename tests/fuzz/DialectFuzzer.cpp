// Statement texts into the embedded server's tokenizer, parser and translator.
// A text either translates or fails with the server's error; every statement it
// translates into must be one SQLite accepts, or one the server refuses in SQL
// Server's words for a fault of the statement's shape.

#include "../server/EditorTranslator.h"

#include "data/DbError.h"
#include "server/ServerHooks.h"
#include "server/engine/ServerErrors.h"
#include "server/schema/SqliteConnection.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using Server = EditorTranslator;

Server& server()
{
    static Server* s = new Server;  // lives for the whole run, as the fuzzer's process does
    return *s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return -1;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    Server& s = server();
    std::vector<zel::server::TranslatedStatement> statements;
    try {
        statements = s.translator.translate(text, QStringLiteral("mdy"));
    } catch (const zel::DbError& error) {
        if (error.message().isEmpty()) {
            std::fprintf(stderr, "server error without a message\n");
            std::abort();
        }
        return 0;
    }
    for (const auto& statement : statements) {
        if (statement.kind != zel::server::TranslatedStatement::Kind::Query
            && statement.kind != zel::server::TranslatedStatement::Kind::Write)
            continue;
        sqlite3_stmt* prepared = nullptr;
        const QByteArray sql = statement.sql.toUtf8();
        const int rc = sqlite3_prepare_v2(s.connection.handle(), sql.constData(), int(sql.size()), &prepared, nullptr);
        if (rc != SQLITE_OK) {
            // Some faults of a statement's shape SQLite finds only as it prepares it; the
            // server then refuses the statement as SQL Server does: nested too deeply,
            // a subquery of several columns as a value, an INSERT's select list that does
            // not match its columns, unequal UNION parts.
            const int refusal = zel::server::ServerErrors::fromSqlite(s.connection.handle(), rc, {}).nativeCode();
            if (refusal == 191 || refusal == 116 || refusal == 120 || refusal == 121 || refusal == 205)
                continue;
        }
        if (rc != SQLITE_OK) {
            std::fprintf(stderr, "translated statement refused by SQLite: %s\nsource: %s\nsqlite: %s\n",
                         sql.constData(), text.toUtf8().constData(), sqlite3_errmsg(s.connection.handle()));
            std::abort();
        }
        sqlite3_finalize(prepared);
    }
    return 0;
}
