#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

namespace zel {

/// The order of values in sorts and filter comparisons, independent of the
/// workstation's locale.
namespace valueorder {

/// Text without regard to letter case, Ё sorting as Е (Russian dictionary order
/// within the alphabet, digits and Latin letters before Cyrillic).
int compareText(QStringView a, QStringView b);
/// The folded form compareText orders by (lower case, ё -> е).
QString foldText(QStringView text);

/// Compares two non-null canonical values of one field: numbers by value, texts by
/// compareText, dates by time, booleans false before true. NULL sorts first.
int compareValues(const QVariant& a, const QVariant& b);

}  // namespace valueorder
}  // namespace zel
