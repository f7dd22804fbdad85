#include "data/modules/DataModuleDeclarations.h"
#include "data/modules/FieldDecls.h"
#include "data/modules/TDM_PUM.h"

namespace zel {

using namespace fields;

void declareDictionaryDataSets(TDM_PUM& dm)
{
    struct Text {
        TADOQuery* query;
        const char* sql;
    };
    // Dictionaries without persistent fields expose their table's columns.
    const Text texts[] = {
        {&dm.ADOQ_Edu, "select * from Edu"},
        {&dm.ADOQ_Educ_T, "select * from Educ_t"},
        {&dm.ADOQ_Quit_Course, "select * from Quit_Course"},
        {&dm.ADOQ_Speciality, "select * from specialPUM"},
        {&dm.ADOQ_diploma_kval, "select * from diploma_kval"},
        {&dm.ADOQ_Family_s, "Select * from Family_s"},
        {&dm.ADOQ_Family_status, "Select * from Family"},
        {&dm.ADOQ_Family_spec, "Select * from Family_spec"},
        {&dm.ADOQ_Holliday_t, "Select * from Holliday_t"},
        {&dm.ADOQ_nationality, "Select * from nationality"},
        {&dm.ADOQ_pol, "Select * from pol"},
        {&dm.ADOQ_Soc_pr, "Select * from Soc_pr"},
        {&dm.ADOQ_Uch_step, "Select * from Uch_step"},
        {&dm.ADOQ_uch_zvanie, "select * from uch_zvanie"},
        {&dm.ADOQ_Rang, "Select * from Rang"},
        {&dm.ADOQ_passport_organ, "select * from MVD_pasport"},
        {&dm.ADOQ_Level, "Select * from Level"},
        {&dm.ADOQ_languages, "Select * from languages"},
        {&dm.ADOQ_Mil_name, "Select * from Mil_name"},
        {&dm.ADOQ_Mil_R_Voisk, "Select * from Mil_R_Voisk"},
        {&dm.ADOQ_Mil_valid, "Select * from Mil_valid"},
        {&dm.ADOQ_experience_type_job, "Select * from base"},
        {&dm.ADOQ_HighQualification, "Select * from HighQualification order by qualification"},
        {&dm.ADOQ_Trudoem, "select * from Trudoem"},
        {&dm.ADOQ_vuz, "Select * from vuz"},
        {&dm.ADOQ_t_fio, "select * from t_fio"},
    };
    for (const Text& entry : texts)
        entry.query->SetSQL(QString::fromUtf8(entry.sql));

    dm.ADOQ_Speciality.DeclareFields({
        autoInc("id_special"),
        integer("id_direction"),
        text("p25-1", 50),
        text("p25-2", 300),
        integer("id_opl"),
        text("ZEL_User", 30),
    });
    dm.ADOQ_Family_status.DeclareFields({
        autoInc("id_family"),
        text("p15", 50),
        text("oper", 5),
        dateTime("u_date"),
    });
    dm.ADOQ_HighQualification.DeclareFields({
        integer("id_qualification", true),
        text("qualification", 20),
    });
    dm.ADOQ_Trudoem.DeclareFields({
        autoInc("id_trudoem"),
        wide("trudoem", 50),
    });

    // The family-status procedure: parameters by position, position 0 the return value.
    dm.ADO_SP_Update_Family_Staus.SetProcedureName(QStringLiteral("Update_Family_Staus;1"));
    auto& parameters = dm.ADO_SP_Update_Family_Staus.Parameters();
    parameters.clear();
    parameters.push_back({.Name = QStringLiteral("@RETURN_VALUE"), .DataType = db::SqlType::Int,
                          .ParamDirection = TParameter::Direction::ReturnValue, .Value = {}});
    parameters.push_back({.Name = QStringLiteral("@OldStatus"), .DataType = db::SqlType::Int, .Value = {}});
    parameters.push_back({.Name = QStringLiteral("@NewStatus"), .DataType = db::SqlType::Int, .Value = {}});

    dm.ADOQ_Exec.SetSQL(QStringLiteral("select * from Trudoem"));
}

}  // namespace zel
