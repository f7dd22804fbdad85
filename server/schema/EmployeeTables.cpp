#include "server/schema/SchemaBuilder.h"
#include "server/schema/SchemaParts.h"

namespace zel::server::schema::parts {

using namespace build;

std::vector<TableDefinition> employeeTables()
{
    std::vector<TableDefinition> tables;

    TableDefinition teacher = table("TEACHER", {
        identity("id_teacher"),
        column("p26", "varchar(50)"),
        column("p27", "varchar(50)"),
        column("p28", "varchar(50)"),
        zelUser(),
        zelUpdate(),
        column("status", "bit"),
    });
    teacher.cardRole = CardRole::Master;
    teacher.employeeKey = QStringLiteral("id_teacher");
    tables.push_back(withIndex(teacher, {"p26", "p27", "p28"}));

    tables.push_back(employeeTable("TEACHER_info", CardRole::SingleRow, "id_teacher", {
        identity("id_teacher_info"),
        column("id_teacher", "int"),
        column("id_uch_stepen", "int"),
        column("id_uch_zvanie", "int"),
        column("D_b", "datetime"),
        column("Phon_w", "varchar(15)"),
        column("Phone", "varchar(15)"),
        column("phone_mobile", "varchar(40)"),
        column("D_z", "datetime"),
        column("id_nationality", "int"),
        column("id_citizenship", "int"),
        column("id_pol", "int"),
        column("nauch_r", "varchar(200)"),
        column("id_rang", "int"),
        zelUser(),
        zelUpdate(),
        column("id_soc_pr", "int"),
        column("eMail", "varchar(30)"),
        column("first_p26", "varchar(25)"),
        column("num_date_f_p26", "varchar(35)"),
    }));

    tables.push_back(employeeTable("Pensioners", CardRole::SingleRow, "id_teacher", {
        identity("id_pensioner"),
        column("id_teacher", "int"),
        column("date", "datetime"),
        column("id_district", "int"),
        column("ZEL_user", "nchar(10)"),
        column("ZEL_update", "nchar(10)"),
        column("pensioner", "bit"),
    }));

    // A complete personal taxpayer number has 12 digits; the card checks the declared width.
    tables.push_back(employeeTable("Passport", CardRole::SingleRow, "id_teacher", {
        identity("id_pasport"),
        column("id_teacher", "int"),
        column("S_p", "varchar(10)"),
        column("N_p", "varchar(10)"),
        column("D_given_p", "datetime"),
        column("id_passport_organ", "int"),
        column("INN", "char(12)"),
        column("BessrochnyiPasport", "bit"),
        zelUser(),
        zelUpdate(),
    }));

    tables.push_back(employeeTable("photo", CardRole::SingleRow, "id_teacher", {
        identity("id_photo"),
        column("id_teacher", "int"),
        column("photo", "image"),
        zelUser(),
        zelUpdate(),
    }));

    // The entry form writes the employee key itself, as an integer that may be 0.
    tables.push_back(employeeTable("teacher_medosmotr", CardRole::MultiRow, "id_teacher", {
        identity("id_teacher_medosmotr"),
        column("id_teacher", "int"),
        column("medosmotr", "varchar(250)"),
        column("medosmotr_date", "datetime"),
        column("Descpintion", "varchar(250)"),
    }, false));

    // Written with key 0 when no employee is current, hence no foreign key.
    tables.push_back(employeeTable("obrazovanie_teacher", CardRole::MultiRow, "id_teacher", {
        identity("id_obrazovanie_teacher"),
        column("id_teacher", "int"),
        column("id_teacher_struktura", "int"),
        column("Dates", "datetime"),
        column("Number", "varchar(100)"),
        column("id_teacher_stepen", "int"),
        column("id_user", "int"),
    }, false));

    // The teaching workload drawn up for an employee; such employees must not be deleted.
    tables.push_back(employeeTable("Teacher_Nagruzka", CardRole::Protected, "id_teacher", {
        identity("id_nagruzka"),
        column("id_teacher", "int"),
        column("uch_god", "varchar(9)"),
        column("hours", "float"),
        column("kafedra", "varchar(100)"),
        zelUser(),
        zelUpdate(),
    }));

    return tables;
}

std::vector<ViewDefinition> views()
{
    return {
        {QStringLiteral("Teacher_Del"),
         QStringLiteral("SELECT DISTINCT id_teacher FROM Teacher_Nagruzka WHERE id_teacher IS NOT NULL")},
    };
}

}  // namespace zel::server::schema::parts
