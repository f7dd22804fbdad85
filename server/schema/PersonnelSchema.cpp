#include "server/schema/PersonnelSchema.h"

#include "server/schema/SchemaParts.h"

namespace zel::server::schema {

const ColumnDefinition* TableDefinition::findColumn(const QString& column) const
{
    for (const ColumnDefinition& c : columns)
        if (c.name.compare(column, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const ColumnDefinition* TableDefinition::identityColumn() const
{
    for (const ColumnDefinition& c : columns)
        if (c.identity)
            return &c;
    return nullptr;
}

const std::vector<TableDefinition>& PersonnelSchema::tables()
{
    static const std::vector<TableDefinition> all = [] {
        std::vector<TableDefinition> out;
        for (auto part : {parts::employeeTables, parts::sectionTables, parts::addressTables,
                          parts::dictionaryTables, parts::serviceTables, parts::internalTables}) {
            std::vector<TableDefinition> tables = part();
            out.insert(out.end(), tables.begin(), tables.end());
        }
        return out;
    }();
    return all;
}

const std::vector<ViewDefinition>& PersonnelSchema::views()
{
    static const std::vector<ViewDefinition> all = parts::views();
    return all;
}

const TableDefinition* PersonnelSchema::findTable(const QString& name)
{
    for (const TableDefinition& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

std::vector<const TableDefinition*> PersonnelSchema::employeeTables()
{
    std::vector<const TableDefinition*> out;
    for (const TableDefinition& t : tables())
        if (!t.employeeKey.isEmpty() && t.cardRole != CardRole::Master)
            out.push_back(&t);
    return out;
}

}  // namespace zel::server::schema
