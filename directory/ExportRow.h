#pragma once

#include <QDate>
#include <QString>

namespace zel {

/// One employee of a search result as it is exported: the full name, the key and
/// the main fields of the card's first tab.
struct ExportRow {
    QString fullName;
    qint64 key = 0;
    QDate birthDate;          ///< null when not known
    QString nationality;
    QString citizenship;
    QString phoneHome;
    QString phoneMobile;
    QString phoneWork;
    QString passportSeries;
    QString passportNumber;
    QString email;
    bool working = false;     ///< "Сотрудник работает"
};


}  // namespace zel
