#pragma once

#include "server/engine/AccessPolicy.h"
#include "server/engine/DialectTranslator.h"
#include "server/engine/SchemaCatalog.h"
#include "server/procedures/ServerModules.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteSchemaWriter.h"

/// The statement translator alone, for an editor, over a fresh in-memory copy of
/// the server's own schema: what SQLite is given for a statement text.
struct EditorTranslator {
    EditorTranslator()
    {
        zel::server::installServerModules();
        zel::server::schema::SqliteSchemaWriter::create(connection.handle());
        catalog.refreshIfChanged();
    }

    zel::server::schema::SqliteConnection connection;
    zel::server::SchemaCatalog catalog{connection.handle()};
    zel::server::AccessPolicy editor{{QStringLiteral("editor"), zel::server::AccountRole::Editor},
                                     QStringLiteral("ZEL")};
    zel::server::DialectTranslator translator{catalog, editor};
};
