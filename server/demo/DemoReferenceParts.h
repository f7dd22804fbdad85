#pragma once

#include "server/demo/SeedTable.h"

#include <QDateTime>

// The reference data, one file per area. Internal to server/demo.
namespace zel::server::demo::parts {

std::vector<SeedTable> dictionaries();  ///< card dictionaries, universities, settings
std::vector<SeedTable> addresses();     ///< republics to villages, countries, citizenship

}  // namespace zel::server::demo::parts
