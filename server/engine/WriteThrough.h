#pragma once

#include "data/Driver.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace zel::server {

class EmbeddedSession;

/// The dataset's row writes: one UPDATE, INSERT or DELETE on a table with the
/// values bound, names resolved without regard to case and quoted.
class WriteThrough {
public:
    /// originals: columns that must still hold these values (NULL matches NULL),
    /// or the row is left alone and 0 is returned.
    static qint64 update(EmbeddedSession& session, const QString& table, const QString& keyColumn,
                         const QVariant& key, const std::vector<db::ColumnValue>& values,
                         const std::vector<db::ColumnValue>& originals = {});
    /// Returns the identity assigned, or a null variant when the table has none.
    static QVariant insert(EmbeddedSession& session, const QString& table, const std::vector<db::ColumnValue>& values,
                           const QString& identityColumn);
    static qint64 remove(EmbeddedSession& session, const QString& table, const QString& keyColumn,
                         const QVariant& key, const std::vector<db::ColumnValue>& originals = {});
};

}  // namespace zel::server
