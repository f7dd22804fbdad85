#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace zel::db {

/// A connection string split into its "Key=Value" pairs, in their order.
/// Keys match without regard to letter case; values are taken as they are
/// (the program inserts them unquoted, so a value ends at the next ';').
class ConnectionParams {
public:
    ConnectionParams() = default;
    static ConnectionParams parse(const QString& connectionString);

    QString value(const QString& key) const;  ///< empty when absent
    bool contains(const QString& key) const;
    const std::vector<std::pair<QString, QString>>& pairs() const { return m_pairs; }

    QString login() const { return value(QStringLiteral("User ID")); }
    QString password() const { return value(QStringLiteral("Password")); }
    QString database() const { return value(QStringLiteral("Initial Catalog")); }
    QString server() const { return value(QStringLiteral("Data Source")); }

private:
    std::vector<std::pair<QString, QString>> m_pairs;
};

}  // namespace zel::db
