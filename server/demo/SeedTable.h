#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace zel::server::demo {

/// Rows for one table, keys included, as the demo database and the SQL Server
/// dictionary script both load them.
struct SeedTable {
    QString table;
    QStringList columns;
    std::vector<QVariantList> rows;
};

/// Reference data of the demo: dictionaries, address hierarchy, citizenship,
/// countries, universities and the institution's settings (VuzDefaults).
class DemoReferenceData {
public:
    static const std::vector<SeedTable>& tables();
    static const SeedTable* find(const QString& table);  ///< nullptr when absent
    /// Rows of one table, for generators picking keys.
    static int rowCount(const QString& table);
};

}  // namespace zel::server::demo
