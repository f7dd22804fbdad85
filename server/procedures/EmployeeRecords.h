#pragma once

#include <QString>

#include <optional>

struct sqlite3;

namespace zel::server {

/// What the employee procedures need to know about TEACHER rows, and the
/// audit rows they write.
class EmployeeRecords {
public:
    /// The row the directory hides; it is never copied onto, nor deleted.
    static constexpr qint64 kReservedEmployee = 1;

    /// "Фамилия Имя Отчество" of an existing employee; nullopt when there is none.
    static std::optional<QString> fullName(sqlite3* db, qint64 idTeacher);
    /// fullName() or a DbError "Сотрудник с шифром N не найден."
    static QString requireEmployee(sqlite3* db, qint64 idTeacher);
    /// Whether the employee is listed in Teacher_Del (workload drawn up).
    static bool isProtected(sqlite3* db, qint64 idTeacher);
    /// Rows of every per-employee table that carry the key.
    static qint64 linkedRowCount(sqlite3* db, qint64 idTeacher);

    /// One ZEL_LOG row, as the client writes them.
    static void log(sqlite3* db, const QString& table, qint64 rowId, const QString& description,
                    const QString& login, const QString& workstation);
};

}  // namespace zel::server
