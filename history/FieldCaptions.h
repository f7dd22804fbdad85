#pragma once

#include <QString>

namespace zel {

/// The Russian names of the logged fields a clerk meets most, as the card labels
/// them; a field without one keeps its column name.
namespace FieldCaptions {

/// section: the logged table name; field: the column name as logged (any letter case).
QString Caption(const QString& section, const QString& field);

}  // namespace FieldCaptions

}  // namespace zel
