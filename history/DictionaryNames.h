#pragma once

#include "history/HistoryEntry.h"

#include <QStringList>

#include <vector>

namespace zel {

class HistoryLookups;
class TADOConnection;

/// Puts the dictionaries' names in place of the keys a change of a lookup field
/// logged ("3" → "русский"), as the card shows them. Reads each dictionary that
/// occurs in the rows once, with one statement, whatever the number of rows.
namespace DictionaryNames {

/// The statement reading the named columns of one dictionary table.
QString Statement(const QString& table, const QStringList& columns);

/// What is shown for a key its dictionary does not hold (a row deleted since).
QString MissingKeyText(const QString& key);

/// Replaces the old and new value of every field change whose field is a lookup,
/// keeping the logged keys in oldKey/newKey, and the keys of lookup fields in the
/// dump of a deleted row ("id_family_s[3]" → "id_family_s[Сын]"). An empty value
/// stays empty, NULL in a dump stays NULL. A dictionary the server refuses to read
/// leaves its keys as logged; the rows are shown all the same. Returns the number of
/// statements sent.
int Resolve(TADOConnection& connection, const HistoryLookups& lookups, std::vector<HistoryEntry>& entries);

}  // namespace DictionaryNames

}  // namespace zel
