#include "server/engine/SchemaCatalog.h"

#include "data/DbError.h"

#include <sqlite3.h>

namespace zel::server {

namespace {

QString columnText(sqlite3_stmt* st, int i)
{
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
    return t ? QString::fromUtf8(t, sqlite3_column_bytes(st, i)) : QString();
}

bool isInternalName(const QString& name)
{
    return name.startsWith(QLatin1String("zel_")) || name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

int readSchemaVersion(sqlite3* db)
{
    sqlite3_stmt* st = nullptr;
    int version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        version = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    return version;
}

}  // namespace

const CatalogColumn* CatalogTable::column(const QString& name) const
{
    for (const auto& c : columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const CatalogColumn* CatalogTable::identityColumn() const
{
    for (const auto& c : columns)
        if (c.identity)
            return &c;
    return nullptr;
}

void SchemaCatalog::refreshIfChanged()
{
    const int version = readSchemaVersion(m_db);
    if (version != m_schemaVersion) {
        load();
        m_schemaVersion = version;
    }
}

const CatalogTable* SchemaCatalog::find(const QString& name) const
{
    const auto it = m_tables.constFind(name.toLower());
    return it == m_tables.constEnd() ? nullptr : it->get();
}

void SchemaCatalog::load()
{
    m_tables.clear();
    ++m_generation;
    sqlite3_stmt* list = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT name, type FROM sqlite_master WHERE type IN ('table','view')", -1, &list,
                           nullptr) != SQLITE_OK)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
    while (sqlite3_step(list) == SQLITE_ROW) {
        auto table = std::make_shared<CatalogTable>();
        table->name = columnText(list, 0);
        table->view = columnText(list, 1) == QLatin1String("view");
        table->internal = isInternalName(table->name);
        m_tables.insert(table->name.toLower(), table);
    }
    sqlite3_finalize(list);

    sqlite3_stmt* info = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT name, type, \"notnull\", pk FROM pragma_table_info(?1)", -1, &info,
                           nullptr) != SQLITE_OK)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
    for (auto& table : m_tables) {
        const QByteArray name = table->name.toUtf8();
        sqlite3_bind_text(info, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        int keyColumns = 0;
        while (sqlite3_step(info) == SQLITE_ROW) {
            CatalogColumn c;
            c.name = columnText(info, 0);
            c.declaredType = columnText(info, 1);
            c.type = db::parseSqlTypeName(c.declaredType, &c.size, &c.precision, &c.scale);
            c.notNull = sqlite3_column_int(info, 2) != 0;
            c.primaryKey = sqlite3_column_int(info, 3) != 0;
            keyColumns += c.primaryKey ? 1 : 0;
            table->columns.push_back(std::move(c));
        }
        sqlite3_reset(info);
        // A single INTEGER PRIMARY KEY is the rowid: SQLite assigns it like an identity.
        if (keyColumns == 1 && !table->view)
            for (auto& c : table->columns)
                if (c.primaryKey && c.declaredType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0) {
                    c.identity = true;
                    c.notNull = true;
                }
    }
    sqlite3_finalize(info);
}

}  // namespace zel::server
