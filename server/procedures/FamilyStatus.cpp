#include "server/procedures/Procedures.h"

#include "data/DbError.h"
#include "server/procedures/EmployeeRecords.h"
#include "server/procedures/ProcedureArguments.h"
#include "server/schema/SqliteStatement.h"

#include <sqlite3.h>

namespace zel::server::procedures {

// The family status lives on the employee's relative rows (family_.id_family_status).
// The parameter names are historical: @OldStatus carries the status chosen,
// @NewStatus the employee key.
void updateFamilyStatus(ProcedureContext& context, const Arguments& arguments)
{
    const ProcedureArguments args(QStringLiteral("Update_Family_Staus"),
                                  {QStringLiteral("@OldStatus"), QStringLiteral("@NewStatus")}, arguments);
    const std::optional<qint64> status = args.optionalInteger(0);
    const std::optional<qint64> idTeacher = args.optionalInteger(1);
    if (!idTeacher)
        throw DbError(QStringLiteral("Не выбран сотрудник, для которого меняется семейное положение."));
    EmployeeRecords::requireEmployee(context.db, *idTeacher);
    if (status) {
        schema::SqliteStatement known(context.db, QStringLiteral("SELECT 1 FROM Family WHERE id_family = ?1"));
        known.bind(1, *status);
        if (!known.step())
            throw DbError(QStringLiteral("Семейное положение с кодом %1 не найдено.").arg(*status));
    }
    schema::SqliteStatement update(context.db, QStringLiteral(
        "UPDATE family_ SET id_family_status = ?1 WHERE id_teacher = ?2"));
    update.bind(1, status ? QVariant(*status) : QVariant());
    update.bind(2, *idTeacher);
    update.run();
    // Without a relative row there is nowhere to keep the status; say so
    // rather than report a change that the reloaded card would not show.
    if (sqlite3_changes(context.db) == 0)
        throw DbError(QStringLiteral(
            "Семейное положение хранится в сведениях о родственниках, а у сотрудника их нет.\r"
            "Добавьте хотя бы одного родственника и выберите семейное положение снова."));
}

}  // namespace zel::server::procedures
