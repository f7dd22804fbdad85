#include "server/procedures/Procedures.h"

#include "data/DbError.h"
#include "data/SqlType.h"
#include "server/procedures/EmployeeRecords.h"
#include "server/procedures/ProcedureArguments.h"
#include "server/schema/PersonnelSchema.h"
#include "server/schema/SqliteStatement.h"

#include <sqlite3.h>

namespace zel::server::procedures {

using schema::CardRole;
using schema::SqliteStatement;
using schema::TableDefinition;

namespace {
QString quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

bool hasRows(sqlite3* db, const TableDefinition& table, qint64 idTeacher)
{
    SqliteStatement select(db, QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?1 LIMIT 1")
                                   .arg(quoted(table.name), quoted(table.employeeKey)));
    select.bind(1, idTeacher);
    return select.step();
}

/// Copies the employee's rows of one table; returns how many were copied.
int copyRows(sqlite3* db, const TableDefinition& table, qint64 from, qint64 to, const QString& login)
{
    QStringList targets;
    QStringList sources;
    bool stamped = false;  // the copies carry the login of who copied them
    for (const schema::ColumnDefinition& c : table.columns) {
        if (c.identity)
            continue;
        targets << quoted(c.name);
        if (c.name.compare(table.employeeKey, Qt::CaseInsensitive) == 0) {
            sources << QStringLiteral("?2");
        } else if (c.name.compare(QLatin1String("ZEL_User"), Qt::CaseInsensitive) == 0) {
            int size = 0;
            db::parseSqlTypeName(c.type, &size);
            stamped = true;
            sources << (size > 0 ? QStringLiteral("substr(?3, 1, %1)").arg(size) : QStringLiteral("?3"));
        } else {
            sources << quoted(c.name);
        }
    }
    const schema::ColumnDefinition* identity = table.identityColumn();
    SqliteStatement insert(db, QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %1 WHERE %4 = ?1 ORDER BY %5")
                                   .arg(quoted(table.name), targets.join(QLatin1String(", ")),
                                        sources.join(QLatin1String(", ")), quoted(table.employeeKey),
                                        identity ? quoted(identity->name) : QStringLiteral("rowid")));
    insert.bind(1, from);
    insert.bind(2, to);
    if (stamped)
        insert.bind(3, login);
    insert.run();
    return sqlite3_changes(db);
}
}  // namespace

// List sections are appended to the target's rows; a one-row section is
// copied only where the target has none, so nothing of the target is lost.
void copyDataFromTeacher(ProcedureContext& context, const Arguments& arguments)
{
    const ProcedureArguments args(QStringLiteral("CopyDataFromTeacher"),
                                  {QStringLiteral("@id_teacherFrom"), QStringLiteral("@id_teacherTo"),
                                   QStringLiteral("@zel_user"), QStringLiteral("@ip")},
                                  arguments);
    const qint64 from = args.requiredInteger(0);
    const qint64 to = args.requiredInteger(1);
    if (from == to)
        throw DbError(QStringLiteral("Нельзя копировать данные сотрудника на самого себя."));
    if (to == EmployeeRecords::kReservedEmployee)
        throw DbError(QStringLiteral("Запись с шифром %1 служебная, копировать на неё нельзя.").arg(to));
    const QString fromName = EmployeeRecords::requireEmployee(context.db, from);
    EmployeeRecords::requireEmployee(context.db, to);

    schema::SqliteSavepoint savepoint(context.db, "copy_data_from_teacher");
    int copied = 0;
    for (const TableDefinition* table : schema::PersonnelSchema::employeeTables()) {
        if (table->cardRole == CardRole::Protected)
            continue;  // the workload belongs to the employee who teaches it
        if (table->cardRole == CardRole::SingleRow && hasRows(context.db, *table, to))
            continue;
        copied += copyRows(context.db, *table, from, to, args.text(2));
    }
    EmployeeRecords::log(context.db, QStringLiteral("TEACHER"), to,
                         QStringLiteral("Скопированы данные сотрудника \"%1\" (шифр %2): записей - %3.")
                             .arg(fromName)
                             .arg(from)
                             .arg(copied),
                         args.text(2), args.text(3));
    savepoint.release();
}

}  // namespace zel::server::procedures
