#include "server/procedures/Procedures.h"

#include "data/DbError.h"
#include "server/procedures/EmployeeRecords.h"
#include "server/procedures/ProcedureArguments.h"
#include "server/procedures/ProcedureResult.h"
#include "server/schema/PersonnelSchema.h"
#include "server/schema/SqliteStatement.h"

namespace zel::server::procedures {

using schema::SqliteStatement;

namespace {
const QStringList kParameters = {QStringLiteral("@id_teacher"), QStringLiteral("@zel_user"),
                                 QStringLiteral("@ip")};

void refuseReserved(qint64 idTeacher)
{
    if (idTeacher == EmployeeRecords::kReservedEmployee)
        throw DbError(QStringLiteral("Запись с шифром %1 служебная и не может быть удалена.").arg(idTeacher));
}

void deleteMaster(sqlite3* db, qint64 idTeacher)
{
    SqliteStatement remove(db, QStringLiteral("DELETE FROM TEACHER WHERE id_teacher = ?1"));
    remove.bind(1, idTeacher);
    remove.run();
}
}  // namespace

void deleteTeacher(ProcedureContext& context, const Arguments& arguments)
{
    const ProcedureArguments args(QStringLiteral("DeleteTeacher"), kParameters, arguments);
    const qint64 idTeacher = args.requiredInteger(0);
    refuseReserved(idTeacher);
    const QString name = EmployeeRecords::requireEmployee(context.db, idTeacher);

    ProcedureResult result(context.result, {{"deleted", db::SqlType::Int}});
    if (EmployeeRecords::linkedRowCount(context.db, idTeacher) > 0) {
        result.addRow({0});
        return;
    }
    schema::SqliteSavepoint savepoint(context.db, "delete_teacher");
    deleteMaster(context.db, idTeacher);
    EmployeeRecords::log(context.db, QStringLiteral("TEACHER"), idTeacher,
                         QStringLiteral("Удалён сотрудник \"%1\".").arg(name), args.text(1), args.text(2));
    savepoint.release();
    result.addRow({1});
}

void deleteTeacher2(ProcedureContext& context, const Arguments& arguments)
{
    const ProcedureArguments args(QStringLiteral("DeleteTeacher2"), kParameters, arguments);
    const qint64 idTeacher = args.requiredInteger(0);
    refuseReserved(idTeacher);
    const QString name = EmployeeRecords::requireEmployee(context.db, idTeacher);
    if (EmployeeRecords::isProtected(context.db, idTeacher))
        throw DbError(QStringLiteral("Невозможно удалить сотрудника \"%1\": на него составлена нагрузка.")
                          .arg(name));

    schema::SqliteSavepoint savepoint(context.db, "delete_teacher2");
    const qint64 linked = EmployeeRecords::linkedRowCount(context.db, idTeacher);
    for (const schema::TableDefinition* table : schema::PersonnelSchema::employeeTables()) {
        SqliteStatement remove(context.db, QStringLiteral("DELETE FROM \"%1\" WHERE \"%2\" = ?1")
                                               .arg(table->name, table->employeeKey));
        remove.bind(1, idTeacher);
        remove.run();
    }
    deleteMaster(context.db, idTeacher);
    EmployeeRecords::log(context.db, QStringLiteral("TEACHER"), idTeacher,
                         QStringLiteral("Удалён сотрудник \"%1\" вместе со связанными записями: %2.")
                             .arg(name)
                             .arg(linked),
                         args.text(1), args.text(2));
    savepoint.release();
}

}  // namespace zel::server::procedures
