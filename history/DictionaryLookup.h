#pragma once

#include <QString>

namespace zel {

/// A logged field that holds a dictionary key: the card shows the dictionary's
/// name for it, and so does the change history.
struct DictionaryLookup {
    QString section;    ///< ZEL_LOG.table, as the save sequence writes it ("Teacher_info")
    QString keyColumn;  ///< the section's field as logged ("id_nationality")
    QString table;      ///< the dictionary table ("nationality")
    QString tableKey;   ///< its key column ("IDNationality")
    QString nameField;  ///< the column the card shows ("Nationality")
};

}  // namespace zel
