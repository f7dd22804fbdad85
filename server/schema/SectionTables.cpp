#include "server/schema/SchemaBuilder.h"
#include "server/schema/SchemaParts.h"

namespace zel::server::schema::parts {

using namespace build;

std::vector<TableDefinition> sectionTables()
{
    std::vector<TableDefinition> tables;

    tables.push_back(employeeTable("Educ", CardRole::MultiRow, "id_teacher", {
        zelUser(),
        zelUpdate(),
        identity("id_educ"),
        column("id_edu", "int"),
        column("Date_enter", "datetime"),
        column("Date_End", "datetime"),
        column("Faculty", "varchar(80)"),
        column("id_educ_t", "int"),
        column("id_quit_course", "int"),
        column("id_special", "int"),
        column("id_teacher", "int"),
        column("Diploma_No", "varchar(20)"),
        column("id_diploma_kval", "int"),
        column("vuz", "varchar(100)"),
    }));

    tables.push_back(employeeTable("family_", CardRole::MultiRow, "id_teacher", {
        zelUser(),
        zelUpdate(),
        identity("id_family"),
        column("id_family_s", "int"),
        column("Date_of_birth", "datetime"),
        column("Address", "varchar(50)"),
        column("Org_Address", "varchar(50)"),
        column("id_teacher", "int"),
        column("id_family_status", "int"),
        column("id_family_job", "int"),
        column("p26", "nchar(20)"),
        column("p27", "nchar(20)"),
        column("p28", "nchar(20)"),
    }));

    tables.push_back(employeeTable("Experience", CardRole::SingleRow, "ID_TEACHER", {
        zelUser(),
        zelUpdate(),
        column("Gov_Service", "float"),
        column("On_Owners", "float"),
        column("specialty_s", "float"),
        column("Total_s", "float"),
        column("Unbreakable", "float"),
        column("ID_TEACHER", "int"),
        column("specialty", "varchar(30)"),
        identity("id_experience"),
        column("teacher_s", "float"),
        column("Total_sDate", "date"),
        column("teacher_sDate", "date"),
    }));

    tables.push_back(employeeTable("Kvalifikation", CardRole::MultiRow, "ID_TEACHER", {
        zelUser(),
        zelUpdate(),
        identity("id_kvalification"),
        column("place", "varchar(50)"),
        column("sertifikate", "varchar(50)"),
        column("ID_TEACHER", "int"),
        column("date_1", "datetime"),
        column("date_2", "datetime"),
        column("kvalifikation", "int"),
        column("theme", "varchar(200)"),
        column("id_trudoem", "int"),
    }));

    tables.push_back(employeeTable("Work", CardRole::MultiRow, "ID_TEACHER", {
        zelUser(),
        zelUpdate(),
        identity("id_Work"),
        column("Doljnost", "varchar(50)"),
        column("Name_org", "varchar(50)"),
        column("Adress", "varchar(50)"),
        column("Phone", "varchar(15)"),
        column("FIO_Dir", "varchar(60)"),
        column("Salary", "decimal(18,0)"),
        column("Date_Enter", "datetime"),
        column("Date_Quit", "datetime"),
        column("ID_TEACHER", "int"),
        column("id_type_job", "int"),
        column("descr", "varchar(50)"),
        column("Enter_numPrikaz", "varchar(20)"),
        column("Quit_numPrikaz", "varchar(20)"),
        column("First_Check", "bit"),
    }));

    tables.push_back(employeeTable("Nagrada", CardRole::MultiRow, "id_teacher", {
        zelUser(),
        zelUpdate(),
        column("id_teacher", "int"),
        column("By_who", "varchar(30)"),
        identity("id_nagrada"),
        column("nagrada", "varchar(100)"),
        column("date_get", "datetime"),
    }));

    tables.push_back(employeeTable("Abroad", CardRole::MultiRow, "id_teacher", {
        zelUser(),
        zelUpdate(),
        identity("id_abroad"),
        column("purchose", "varchar(50)"),
        column("date_begin", "datetime"),
        column("date_end", "datetime"),
        column("id_teacher", "int"),
        column("orderNum", "varchar(10)"),
        column("orderDate", "date"),
        column("country", "varchar(100)"),
    }));

    tables.push_back(employeeTable("Elect_org", CardRole::MultiRow, "id_teacher", {
        zelUser(),
        zelUpdate(),
        identity("id_organ"),
        column("address", "varchar(50)"),
        column("elected_as", "varchar(30)"),
        column("year_elect", "varchar(15)"),
        column("year_End", "varchar(15)"),
        column("id_teacher", "int"),
        column("organ", "varchar(50)"),
    }));

    tables.push_back(employeeTable("Partiya", CardRole::SingleRow, "id_teacher", {
        identity("id_partia"),
        column("id_teacher", "int"),
        column("name", "varchar(100)"),
        column("date", "datetime"),
        zelUser(),
        zelUpdate(),
    }));

    tables.push_back(employeeTable("Holiday", CardRole::MultiRow, "id_teacher", {
        identity("id_vacation"),
        column("id_teacher", "int"),
        column("Date_begin", "datetime"),
        column("Date_End", "datetime"),
        column("id_vacation_t", "int"),
        column("from_d", "datetime"),
        column("to_d", "datetime"),
        column("N_prikaz", "nchar(10)"),
        column("Date_Prikaz", "datetime"),
        column("otz_prik", "varchar(10)"),
        column("otz_from_d", "datetime"),
        zelUser(),
        zelUpdate(),
        column("otz_pr_date", "datetime"),
        column("N_Days", "int"),
        column("Not_used_days", "int"),
        column("not_used_pay_days", "int"),
    }));

    tables.push_back(employeeTable("mil_card_", CardRole::SingleRow, "id_teacher", {
        zelUser(),
        zelUpdate(),
        identity("id_mil_card"),
        column("id_mil_name", "int"),
        column("id_valid", "int"),
        column("voencom", "varchar(50)"),
        column("id_R_voisk", "int"),
        column("Sostav", "varchar(50)"),
        column("id_teacher", "int"),
        column("Voinsk_uchet", "bit"),
        column("Vus", "varchar(250)"),
    }));

    tables.push_back(employeeTable("Language_OPTIONS", CardRole::MultiRow, "id_teacher", {
        zelUser(),
        zelUpdate(),
        identity("id_lang_options"),
        column("id_lang", "int"),
        column("id_level", "int"),
        column("id_teacher", "int"),
    }));

    return tables;
}

}  // namespace zel::server::schema::parts
