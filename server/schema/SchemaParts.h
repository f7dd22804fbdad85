#pragma once

#include "server/schema/TableDefinition.h"

#include <vector>

// The table lists, one file per area. Internal to server/schema.
namespace zel::server::schema::parts {

std::vector<TableDefinition> employeeTables();    ///< TEACHER, TEACHER_info, Pensioners, Passport, photo ...
std::vector<TableDefinition> sectionTables();     ///< the list and one-row sections of the card
std::vector<TableDefinition> dictionaryTables();  ///< reference dictionaries
std::vector<TableDefinition> addressTables();     ///< hierarchy, citizenship, country, address records
std::vector<TableDefinition> serviceTables();     ///< ZEL_LOG, VuzDefaults
std::vector<TableDefinition> internalTables();    ///< zel_settings, zel_trace, zel_logins, zel_users
std::vector<ViewDefinition> views();

}  // namespace zel::server::schema::parts
