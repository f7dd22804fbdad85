#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace zel::report {

/// One part of the printed card: either labelled facts or a table of rows.
struct CardSection {
    QString title;
    /// Label and value pairs, printed as a two-column list (facts sections).
    QList<QPair<QString, QString>> facts;
    /// Column titles and rows (table sections); no headers = a facts section.
    QStringList headers;
    QList<QStringList> rows;

    bool isTable() const { return !headers.isEmpty(); }
};

/// Everything the printed personal card of one employee shows, already as text.
struct PersonalCard {
    int key = 0;  ///< id_teacher
    QString institution;
    QString surname;
    QString name;
    QString patronymic;
    QString filledIn;  ///< the date the card was filled in, "dd.MM.yyyy" or empty
    QByteArray photo;  ///< the stored picture bytes (BMP, JPEG or PNG); empty = none
    QList<CardSection> sections;

    QString fullName() const;
};

}  // namespace zel::report
