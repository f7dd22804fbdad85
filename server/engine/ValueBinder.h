#pragma once

#include <QString>
#include <QVariant>

struct sqlite3_stmt;

namespace zel::server {

struct CatalogColumn;

/// Binds client values to statement parameters, never splicing them into text.
class ValueBinder {
public:
    /// Binds value as it is (null variant = NULL); dates as stored texts.
    static int bind(sqlite3_stmt* statement, int index, const QVariant& value);

    /// Converts value to what column stores (date texts per dateFormat, numbers
    /// from texts, bit as 0/1) and checks the declared length. Throws the
    /// server's conversion or truncation error; table names the message.
    static QVariant toColumn(const QVariant& value, const CatalogColumn& column, const QString& table,
                             const QString& databaseName, const QString& dateFormat);
};

}  // namespace zel::server
