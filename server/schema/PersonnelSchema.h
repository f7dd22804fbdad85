#pragma once

#include "server/schema/TableDefinition.h"

#include <vector>

namespace zel::server::schema {

/// The one description of the personnel database. The embedded server's DDL
/// and the SQL Server script are both generated from it, so they cannot drift.
class PersonnelSchema {
public:
    /// Every table, personnel tables first, then the embedded server's own (internal) ones.
    static const std::vector<TableDefinition>& tables();
    static const std::vector<ViewDefinition>& views();
    /// Table by name without regard to letter case; nullptr when absent.
    static const TableDefinition* findTable(const QString& name);
    /// Tables that carry an employee key, except TEACHER itself.
    static std::vector<const TableDefinition*> employeeTables();
};

}  // namespace zel::server::schema
