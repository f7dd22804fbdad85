#pragma once

#include <QString>

#include <vector>

namespace zel {

/// The card sections as the audit log names them, with the Russian names a clerk
/// reads in the change history.
namespace HistorySections {

struct Section {
    const char* label;    ///< ZEL_LOG.table, as the save sequence and the photo write it
    const char* caption;  ///< UTF-8
};

/// Every section, in the card's order (personal data first).
const std::vector<Section>& All();

/// The Russian name of a logged table name, matched without regard to letter case;
/// an unknown name is returned as it stands.
QString Caption(const QString& label);

}  // namespace HistorySections

}  // namespace zel
