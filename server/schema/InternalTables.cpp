#include "server/schema/SchemaBuilder.h"
#include "server/schema/SchemaParts.h"

namespace zel::server::schema::parts {

using namespace build;

namespace {
TableDefinition internal(TableDefinition t)
{
    t.internal = true;
    return t;
}

ColumnDefinition textKey(const char* name)
{
    ColumnDefinition c = notNull(column(name, "TEXT"));
    c.primaryKey = true;
    return c;
}
}  // namespace

std::vector<TableDefinition> internalTables()
{
    std::vector<TableDefinition> tables;

    tables.push_back(internal(table("zel_settings", {
        textKey("name"),
        column("value", "TEXT"),
    })));
    tables.push_back(internal(table("zel_trace", {
        identity("id", "INTEGER"),
        column("at", "TEXT"),
        column("login", "TEXT"),
        column("statement", "TEXT"),
    })));
    // Database accounts: what a connection string's User ID and Password must match.
    tables.push_back(internal(table("zel_logins", {
        textKey("login"),
        notNull(column("salt", "BLOB")),
        notNull(column("verifier", "BLOB")),
        notNull(column("iterations", "INTEGER")),
        notNull(column("role", "TEXT")),
    })));
    // Clerks who sign in through GET_USER. The verifier is taken over the MD5
    // hash the client sends; the database password is kept shifted because
    // GET_USER hands it out in that form.
    tables.push_back(internal(table("zel_users", {
        textKey("login"),
        column("full_name", "TEXT"),
        notNull(column("salt", "BLOB")),
        notNull(column("verifier", "BLOB")),
        notNull(column("iterations", "INTEGER")),
        withDefault(notNull(column("must_change", "INTEGER")), "0", "0"),
        column("password_expires", "TEXT"),
        column("refusal_message", "TEXT"),
        notNull(column("db_login", "TEXT")),
        notNull(column("db_password_shifted", "TEXT")),
        column("last_sign_in", "TEXT"),
        column("last_workstation", "TEXT"),
    })));

    return tables;
}

}  // namespace zel::server::schema::parts
