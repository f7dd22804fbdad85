#pragma once

#include "server/ServerHooks.h"

// The native procedures of the embedded server. Each runs inside the
// transaction the engine opened for the call and raises zel::DbError with a
// message for the client. Registered by installServerModules().
namespace zel::server::procedures {

using Arguments = std::vector<ProcedureArgument>;

/// Sign-in: login, password hash, new password hash or NULL, program, IP,
/// computer, login, mode, length of argument 3. One row of six columns.
void getUser(ProcedureContext& context, const Arguments& arguments);

/// @id_teacherFrom, @id_teacherTo, @zel_user, @ip: copies the card sections.
void copyDataFromTeacher(ProcedureContext& context, const Arguments& arguments);
/// @id_teacher, @zel_user, @ip: one row, 1 when deleted, 0 when rows are linked.
void deleteTeacher(ProcedureContext& context, const Arguments& arguments);
/// @id_teacher, @zel_user, @ip: deletes the employee with every linked row.
void deleteTeacher2(ProcedureContext& context, const Arguments& arguments);
/// @OldStatus (the chosen family status), @NewStatus (the employee key).
void updateFamilyStatus(ProcedureContext& context, const Arguments& arguments);

/// The address picker's lists: key and name of the next level down.
void republicList(ProcedureContext& context, const Arguments& arguments);
void regionList(ProcedureContext& context, const Arguments& arguments);
void districtList(ProcedureContext& context, const Arguments& arguments);
void cityList(ProcedureContext& context, const Arguments& arguments);
void villageList(ProcedureContext& context, const Arguments& arguments);

}  // namespace zel::server::procedures
