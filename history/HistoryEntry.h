#pragma once

#include <QDateTime>
#include <QString>

namespace zel {

/// One row of an employee's change history: a ZEL_LOG row with its description
/// taken apart for reading.
struct HistoryEntry {
    enum class Kind {
        FieldChange,  ///< a field changed from one value to another
        Deletion,     ///< a row was deleted; oldValue holds its values
        Other,        ///< any other text (a photo, a copy); oldValue is empty
    };

    qint64 id = 0;             ///< id_log
    QDateTime when;            ///< date_log
    QString table;             ///< as logged
    qint64 rowId = 0;
    QString description;       ///< descr, as stored
    QString user;              ///< ZEL_User
    QString workstation;       ///< comp

    Kind kind = Kind::Other;
    QString field;
    QString oldValue;          ///< "" for a NULL value; a dictionary's name for its key
    QString newValue;
    /// The keys as logged, when the field holds a dictionary key; empty otherwise.
    QString oldKey;
    QString newKey;
};

}  // namespace zel
