#include "server/procedures/EmployeeRecords.h"

#include "data/DbError.h"
#include "server/schema/PersonnelSchema.h"
#include "server/schema/SqliteStatement.h"

namespace zel::server {

using schema::SqliteStatement;

std::optional<QString> EmployeeRecords::fullName(sqlite3* db, qint64 idTeacher)
{
    SqliteStatement select(db, QStringLiteral(
        "SELECT trim(ifnull(p26, '') || ' ' || ifnull(p27, '') || ' ' || ifnull(p28, '')) "
        "FROM TEACHER WHERE id_teacher = ?1"));
    select.bind(1, idTeacher);
    if (!select.step())
        return std::nullopt;
    return select.text(0);
}

QString EmployeeRecords::requireEmployee(sqlite3* db, qint64 idTeacher)
{
    const std::optional<QString> name = fullName(db, idTeacher);
    if (!name)
        throw DbError(QStringLiteral("Сотрудник с шифром %1 не найден.").arg(idTeacher));
    return *name;
}

bool EmployeeRecords::isProtected(sqlite3* db, qint64 idTeacher)
{
    SqliteStatement select(db, QStringLiteral("SELECT 1 FROM Teacher_Del WHERE id_teacher = ?1 LIMIT 1"));
    select.bind(1, idTeacher);
    return select.step();
}

qint64 EmployeeRecords::linkedRowCount(sqlite3* db, qint64 idTeacher)
{
    qint64 count = 0;
    for (const schema::TableDefinition* table : schema::PersonnelSchema::employeeTables()) {
        SqliteStatement select(db, QStringLiteral("SELECT count(*) FROM \"%1\" WHERE \"%2\" = ?1")
                                       .arg(table->name, table->employeeKey));
        select.bind(1, idTeacher);
        select.step();
        count += select.integer(0);
    }
    return count;
}

void EmployeeRecords::log(sqlite3* db, const QString& table, qint64 rowId, const QString& description,
                          const QString& login, const QString& workstation)
{
    SqliteStatement insert(db, QStringLiteral(
        "INSERT INTO ZEL_LOG (\"table\", row_id, descr, ZEL_User, comp) VALUES (?1, ?2, ?3, ?4, ?5)"));
    insert.bind(1, table);
    insert.bind(2, rowId);
    insert.bind(3, description);
    insert.bind(4, login.left(50));
    insert.bind(5, workstation.left(300));
    insert.run();
}

}  // namespace zel::server
