#pragma once

#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"
#include "tests/card/CardSession.h"

#include <QStringList>

#include <memory>

struct sqlite3;

namespace cardtest {

/// The last row of the server's statement trace so far; 0 when it is empty.
inline qint64 traceMark(sqlite3* db)
{
    zel::server::schema::SqliteStatement select(db, QStringLiteral("SELECT coalesce(max(id), 0) FROM zel_trace"));
    return select.step() ? select.integer(0) : 0;
}

/// The statements the server received after the mark, in order.
inline QStringList tracedSince(sqlite3* db, qint64 mark)
{
    zel::server::schema::SqliteStatement select(db, QStringLiteral("SELECT statement FROM zel_trace WHERE id > ?1 ORDER BY id"));
    select.bind(1, mark);
    QStringList texts;
    while (select.step())
        texts << select.text(0);
    return texts;
}

/// The demo database file beside the tests, opened past the server, with the
/// server's statement trace switched on.
inline std::unique_ptr<zel::server::schema::SqliteConnection> openTracedDemoFile()
{
    const DemoDatabase& demo = DemoDatabase::instance();
    auto db = std::make_unique<zel::server::schema::SqliteConnection>(
        demo.folder + u'/' + demo.server, zel::server::schema::SqliteConnection::Mode::OpenExisting);
    zel::server::schema::execute(db->handle(),
                                 QStringLiteral("INSERT OR REPLACE INTO zel_settings (name, value) VALUES ('trace', '1')"));
    return db;
}

}  // namespace cardtest
