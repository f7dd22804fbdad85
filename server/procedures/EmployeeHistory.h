#pragma once

#include "server/ServerHooks.h"

#include <QStringList>

#include <vector>

// The change history of one employee, read by one call.
namespace zel::server::procedures {

/// ZEL_EmployeeHistory @id_teacher, @date_from, @date_to, @table: every ZEL_LOG row
/// that belongs to the employee, newest first (date_log, then id_log, descending).
/// A row belongs to the employee through its section's key: row_id names a row of
/// the section table whose employee key is @id_teacher, or a deleted section row
/// whose logged dump names the employee. @date_from and @date_to ("yyyy-MM-dd",
/// NULL = open) bound the day of date_log, both included; @table (NULL = every
/// section) keeps one section's rows. Columns: id_log, date_log, table, row_id,
/// descr, ZEL_User, comp. Reads only.
void employeeHistory(ProcedureContext& context, const std::vector<ProcedureArgument>& arguments);

}  // namespace zel::server::procedures
