#include "server/schema/SchemaBuilder.h"
#include "server/schema/SchemaParts.h"

namespace zel::server::schema::parts {

using namespace build;

namespace {
// A key and a text; stamped dictionaries (edited from the card) also carry ZEL_User.
TableDefinition dictionary(const char* name, const char* key, const char* text, const char* textType,
                           bool stamped = false)
{
    TableDefinition t = table(name, {identity(key), column(text, textType)});
    if (stamped)
        t.columns.push_back(zelUser());
    return t;
}
}  // namespace

std::vector<TableDefinition> dictionaryTables()
{
    std::vector<TableDefinition> tables;

    tables.push_back(dictionary("Edu", "id_edu", "education", "varchar(100)"));
    tables.push_back(dictionary("Educ_t", "id_educ_t", "Educ_type", "varchar(50)"));
    tables.push_back(dictionary("Quit_Course", "id_quit_course", "cource", "varchar(50)"));
    tables.push_back(table("specialPUM", {
        identity("id_special"),
        column("id_direction", "int"),
        column("p25-1", "varchar(50)"),
        column("p25-2", "varchar(300)"),
        column("id_opl", "int"),
        column("ZEL_User", "varchar(30)"),
    }));
    tables.push_back(dictionary("diploma_kval", "id_diploma_kval", "diploma_kval", "varchar(100)", true));
    tables.push_back(dictionary("Family_s", "id_family_s", "stepen", "varchar(30)"));
    tables.push_back(table("Family", {
        identity("id_family"),
        column("p15", "varchar(50)"),
        column("oper", "varchar(5)"),
        column("u_date", "datetime"),
    }));
    tables.push_back(dictionary("Family_spec", "id_family_job", "job_specification", "varchar(30)"));
    tables.push_back(dictionary("Holliday_t", "id_vacation_t", "Holiday_type", "varchar(30)"));
    tables.push_back(dictionary("nationality", "IDNationality", "Nationality", "varchar(50)"));
    tables.push_back(dictionary("pol", "id_pol", "p17", "varchar(10)"));
    tables.push_back(dictionary("Soc_pr", "id_soc_pr", "soc_status", "varchar(50)", true));
    tables.push_back(dictionary("Uch_step", "id_uch_stepen", "k5", "varchar(100)", true));
    tables.push_back(dictionary("uch_zvanie", "id_uch_zvanie", "k6", "varchar(100)", true));
    tables.push_back(dictionary("Rang", "id_rang", "rang", "varchar(100)", true));
    tables.push_back(dictionary("MVD_pasport", "IDMVD", "CodeMVD", "varchar(150)", true));
    tables.push_back(dictionary("Level", "id_Level", "l_level", "varchar(30)"));
    tables.push_back(dictionary("languages", "id_lang", "lang", "varchar(30)"));
    tables.push_back(dictionary("Mil_name", "ID_mil_name", "mil_name", "varchar(50)", true));
    tables.push_back(dictionary("Mil_R_Voisk", "id_r_voisk", "R_voisk", "varchar(50)", true));
    tables.push_back(dictionary("Mil_valid", "id_valid", "valid", "varchar(50)"));
    tables.push_back(dictionary("base", "id_base_over", "base_over", "varchar(30)"));
    tables.push_back(dictionary("HighQualification", "id_qualification", "qualification", "varchar(20)"));
    tables.push_back(dictionary("Trudoem", "id_trudoem", "trudoem", "nvarchar(50)"));
    tables.push_back(table("teacher_struktura", {
        identity("id_teacher_struktura"),
        column("teacher_struktura", "varchar(250)"),
        column("s_teacher_struktura", "varchar(100)"),
    }));
    tables.push_back(dictionary("teacher_stepen", "id_teacher_stepen", "teacher_stepen", "varchar(250)"));
    // Read at sign-in and shown nowhere; they must exist all the same.
    tables.push_back(table("vuz", {
        identity("id_vuz"),
        column("vuz", "varchar(200)"),
        column("s_vuz", "varchar(50)"),
    }));
    tables.push_back(dictionary("t_fio", "id_t_fio", "t_fio", "varchar(50)"));

    return tables;
}

}  // namespace zel::server::schema::parts
