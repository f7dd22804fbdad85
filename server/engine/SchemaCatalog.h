#pragma once

#include "data/SqlType.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

struct sqlite3;

namespace zel::server {

struct CatalogColumn {
    QString name;
    QString declaredType;   ///< as the DDL wrote it: "varchar(50)", "INTEGER"
    db::SqlType type = db::SqlType::Unknown;
    int size = 0;
    int precision = 0;
    int scale = 0;
    bool notNull = false;
    bool primaryKey = false;
    bool identity = false;  ///< INTEGER PRIMARY KEY: the server assigns it
};

struct CatalogTable {
    QString name;           ///< as stored
    bool view = false;
    bool internal = false;  ///< the server's own bookkeeping, hidden from clerks
    std::vector<CatalogColumn> columns;

    /// Column by name without regard to case; nullptr when absent.
    const CatalogColumn* column(const QString& name) const;
    const CatalogColumn* identityColumn() const;
};

/// The tables and views of one connection's database with their columns,
/// looked up without regard to letter case. Reloaded when the schema changes.
class SchemaCatalog {
public:
    explicit SchemaCatalog(sqlite3* db) : m_db(db) {}

    /// Reloads when another connection (or this one) changed the schema.
    void refreshIfChanged();
    /// nullptr when there is no such table or view.
    const CatalogTable* find(const QString& name) const;
    /// Changes whenever the catalog was reloaded; translations cached before are stale.
    int generation() const { return m_generation; }

private:
    void load();

    sqlite3* m_db;
    int m_schemaVersion = -1;
    int m_generation = 0;
    QHash<QString, std::shared_ptr<CatalogTable>> m_tables;  // key: lower-case name
};

}  // namespace zel::server
