#pragma once

#include <QStringList>

namespace zel::server::schema {

/// Indexes of the audit log beyond its (table, row_id) index: a partial index over
/// the logged row deletions, so that an employee's deleted rows are found without
/// reading the whole log. Idempotent statements; part of every new database.
QStringList logIndexStatements();

}  // namespace zel::server::schema
