#pragma once

#include "tools/report/PersonalCard.h"

#include <optional>

struct sqlite3;

namespace zel::report {

/// Reads an employee's printed card from an embedded-server database: the master
/// row, every card section with its dictionary texts looked up, and the three
/// addresses with the names of their republic, region, district, city and village.
namespace PersonalCardReader {

/// The card of the employee with this id_teacher; nothing when there is none.
/// Throws zel::DbError when the database cannot be read.
std::optional<PersonalCard> read(sqlite3* db, int key);

/// A stored value as the card prints it: dates "yyyy-MM-dd..." as "dd.MM.yyyy",
/// whole numbers stored as reals without ".0", blanks trimmed.
QString printable(const QVariant& value);

}  // namespace PersonalCardReader

}  // namespace zel::report
