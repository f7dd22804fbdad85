#pragma once

#include <QString>

namespace zel {

/// The statements of the employee directory, built as text. No widgets, no
/// database: the window sets them into its datasets.
namespace DirectorySearch {

/// The name part a search looks in.
enum class Field {
    Surname,     ///< p26
    FirstName,   ///< p27
    Patronymic,  ///< p28
};

/// The TEACHER column of a name part ("p26", "p27", "p28").
QString ColumnName(Field field);

/// The typed text made safe inside an apostrophe literal: every apostrophe is
/// doubled, everything else stays as typed ("%" and "_" keep acting as wildcards).
QString LiteralText(const QString& typed);

/// Every employee but the service row 1 whose name part contains the typed text,
/// with the full name t_fio, in t_fio order.
QString SearchStatement(Field field, const QString& typed);

/// The medical examinations of one employee; key is the id_teacher in decimal.
QString ExaminationsStatement(const QString& key);

}  // namespace DirectorySearch

}  // namespace zel
