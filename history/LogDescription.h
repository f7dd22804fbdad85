#pragma once

#include "history/HistoryEntry.h"

namespace zel {

/// Takes a stored ZEL_LOG description apart:
/// - Поле "F" изменило значение "A" на "B".  → a field change of F from A to B (NULL → "");
/// - Поле "F" изменило значение.             → a change of F without values (the photo);
/// - Запись с уникальным номером - 'N' была удалена - (dump).  → a deletion whose old
///   value is the dump without its parentheses;
/// - anything else is kept whole as the new value of an Other entry.
namespace LogDescription {

void Parse(HistoryEntry& entry);

}  // namespace LogDescription

}  // namespace zel
