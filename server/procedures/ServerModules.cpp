#include "server/procedures/ServerModules.h"

#include "server/accounts/DatabaseAccounts.h"
#include "server/procedures/EmployeeHistory.h"
#include "server/procedures/Procedures.h"

namespace zel::server {

void installServerModules()
{
    DatabaseAccounts::install();

    using namespace procedures;
    // GET_USER changes the password when asked to, hence a write; it is the
    // one procedure the bootstrap account may call.
    registerProcedure(QStringLiteral("GET_USER"), {&getUser, true, true});
    registerProcedure(QStringLiteral("CopyDataFromTeacher"), {&copyDataFromTeacher, true, false});
    registerProcedure(QStringLiteral("DeleteTeacher"), {&deleteTeacher, true, false});
    registerProcedure(QStringLiteral("DeleteTeacher2"), {&deleteTeacher2, true, false});
    registerProcedure(QStringLiteral("Update_Family_Staus"), {&updateFamilyStatus, true, false});
    // The stored-procedure component names it with its group number.
    registerProcedure(QStringLiteral("Update_Family_Staus;1"), {&updateFamilyStatus, true, false});
    registerProcedure(QStringLiteral("Ab_RepublicProcSchool"), {&republicList, false, false});
    registerProcedure(QStringLiteral("ab_RegionProcSchool"), {&regionList, false, false});
    registerProcedure(QStringLiteral("ab_DistrictProcSchool"), {&districtList, false, false});
    registerProcedure(QStringLiteral("ab_CityProcSchool"), {&cityList, false, false});
    registerProcedure(QStringLiteral("ab_VillageProcSchool"), {&villageList, false, false});
    registerProcedure(QStringLiteral("ZEL_EmployeeHistory"), {&employeeHistory, false, false});
}

}  // namespace zel::server
