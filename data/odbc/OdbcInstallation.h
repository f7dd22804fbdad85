#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace zel::db {

/// What the machine's ODBC configuration offers, as far as choosing a
/// connection string needs it. Filled by query(); tests build it by hand.
struct OdbcInstallation {
    /// Data sources from odbc.ini: name and the driver it uses ("FreeTDS").
    std::vector<std::pair<QString, QString>> dataSources;
    /// How to name the FreeTDS driver: "{FreeTDS}" when odbcinst.ini registers
    /// it, else the library path; empty when FreeTDS is not installed.
    QString freeTdsDriver;

    /// The driver of the data source called name (letter case ignored);
    /// nothing when there is no such data source.
    std::optional<QString> dataSourceDriver(const QString& name) const;

    /// Reads the data sources and drivers from the driver manager.
    static OdbcInstallation query();
};

}  // namespace zel::db
