#include "server/schema/SchemaBuilder.h"
#include "server/schema/SchemaParts.h"

namespace zel::server::schema::parts {

using namespace build;

std::vector<TableDefinition> serviceTables()
{
    std::vector<TableDefinition> tables;

    // The client writes the five named columns; the server stamps the time.
    tables.push_back(withIndex(table("ZEL_LOG", {
        identity("id_log"),
        column("table", "varchar(50)"),
        column("row_id", "int"),
        column("descr", "varchar(2000)"),
        column("ZEL_User", "varchar(50)"),
        column("comp", "varchar(300)"),
        withDefault(column("date_log", "datetime"), "GETDATE()",
                    "(strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime'))"),
    }), {"table", "row_id"}));

    // Institution-wide settings by fixed key; row 22 holds the report server's address.
    tables.push_back(table("VuzDefaults", {
        [] {
            ColumnDefinition key = notNull(column("id_vuz_defaults", "int"));
            key.primaryKey = true;
            return key;
        }(),
        column("name", "varchar(100)"),
        column("n_field", "varchar(250)"),
        column("i_field", "int"),
        column("d_field", "datetime"),
    }));

    return tables;
}

}  // namespace zel::server::schema::parts
