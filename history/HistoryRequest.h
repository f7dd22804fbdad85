#pragma once

#include <QDate>
#include <QString>

namespace zel {

/// What one reading of an employee's history asks for.
struct HistoryRequest {
    qint64 employee = 0;   ///< id_teacher
    QString section;       ///< a logged table name; empty = every section
    QDate from;            ///< first day included; null = open
    QDate to;              ///< last day included; null = open
};

}  // namespace zel
