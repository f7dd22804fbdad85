#include "data/modules/DataModuleDeclarations.h"
#include "data/modules/FieldDecls.h"
#include "data/modules/TDM_PUM.h"

namespace zel {

using namespace fields;

namespace {

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList result;
    for (const char* line : texts)
        result << QString::fromUtf8(line);
    return result;
}

}  // namespace

void declareSectionDataSets(TDM_PUM& dm)
{
    dm.ADOQ_Education.SetSQL(QStringLiteral("select TOP 0 * from Educ"));
    dm.ADOQ_Education.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        autoInc("id_educ"),
        integer("id_edu"),
        dateTime("Date_enter"),
        dateTime("Date_End"),
        text("Faculty", 80, 80),
        integer("id_educ_t"),
        integer("id_quit_course"),
        integer("id_special"),
        integer("id_teacher"),
        text("Diploma_No", 20),
        integer("id_diploma_kval"),
        text("vuz", 100),
        calculated("RecInfo", 200),
    });

    dm.ADOQ_family.SetSQL(lines({"Select  *", "From family_", "ORDER BY Date_of_birth"}));
    dm.ADOQ_family.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        autoInc("id_family"),
        integer("id_family_s"),
        dateTime("Date_of_birth"),
        text("Address", 50),
        text("Org_Address", 50),
        lookup("family_s", 30, "id_family_s", dm.ADOQ_Family_s, "id_family_s", "stepen"),
        integer("id_teacher"),
        integer("id_family_status"),
        integer("id_family_job"),
        lookup("family_job", 30, "id_family_job", dm.ADOQ_Family_spec, "id_family_job", "job_specification"),
        fixedWide("p26", 20),
        fixedWide("p27", 20),
        fixedWide("p28", 20),
    });

    dm.ADOQ_Experience.SetSQL(QStringLiteral("Select * from Experience"));
    dm.ADOQ_Experience.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        floating("Gov_Service"),
        floating("On_Owners"),
        floating("specialty_s"),
        floating("Total_s"),
        floating("Unbreakable"),
        integer("ID_TEACHER"),
        text("specialty", 30),
        autoInc("id_experience"),
        floating("teacher_s"),
        date("Total_sDate"),
        date("teacher_sDate"),
    });

    dm.ADOQ_Kvalification.SetSQL(lines({"Select * from Kvalifikation", "ORDER BY date_1"}));
    dm.ADOQ_Kvalification.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        autoInc("id_kvalification"),
        text("place", 50),
        text("sertifikate", 50),
        integer("ID_TEACHER"),
        dateTime("date_1"),
        dateTime("date_2"),
        integer("kvalifikation"),
        lookup("Qualification", 20, "kvalifikation", dm.ADOQ_HighQualification, "id_qualification",
               "qualification"),
        text("theme", 200, 200),
        integer("id_trudoem"),
        lookup("Trudoem", 10, "id_trudoem", dm.ADOQ_Trudoem, "id_trudoem", "trudoem"),
    });

    dm.ADOQ_Work.SetSQL(lines({"Select *", "From Work", "ORDER BY Date_Enter", ""}));
    dm.ADOQ_Work.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        autoInc("id_Work"),
        text("Doljnost", 50),
        text("Name_org", 50),
        text("Adress", 50),
        text("Phone", 15),
        text("FIO_Dir", 60),
        bcd("Salary", 18),
        dateTime("Date_Enter"),
        dateTime("Date_Quit"),
        integer("ID_TEACHER"),
        integer("id_type_job"),
        lookup("base", 30, "id_type_job", dm.ADOQ_experience_type_job, "id_base_over", "base_over"),
        text("descr", 50),
        text("Enter_numPrikaz", 20),
        text("Quit_numPrikaz", 20),
        boolean("First_Check"),
    });

    dm.ADOQ_Nagrada.SetSQL(lines({"Select *", "From Nagrada", "ORDER BY date_get"}));
    dm.ADOQ_Nagrada.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        integer("id_teacher"),
        text("By_who", 30),
        autoInc("id_nagrada"),
        text("nagrada", 100),
        dateTime("date_get"),
    });

    dm.ADOQ_Abroad.SetSQL(QStringLiteral("Select * from Abroad"));
    dm.ADOQ_Abroad.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        autoInc("id_abroad"),
        text("purchose", 50),
        dateTime("date_begin"),
        dateTime("date_end"),
        integer("id_teacher"),
        text("orderNum", 10),
        date("orderDate"),
        text("country", 100),
    });

    dm.ADOQ_Elect_org.SetSQL(QStringLiteral("Select * from Elect_org"));
    dm.ADOQ_Elect_org.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        autoInc("id_organ"),
        text("address", 50),
        text("elected_as", 30),
        text("year_elect", 15),
        text("year_End", 15),
        integer("id_teacher"),
        text("organ", 50),
    });

    // Party membership exposes the table's columns as they come.
    dm.ADOQ_Partiya.SetSQL(QStringLiteral("select * from Partiya"));

    dm.ADOQ_Holiday.SetSQL(QStringLiteral("Select * from Holiday"));
    dm.ADOQ_Holiday.DeclareFields({
        autoInc("id_vacation"),
        integer("id_teacher"),
        dateTime("Date_begin"),
        dateTime("Date_End"),
        integer("id_vacation_t"),
        lookup("Holiday_type", 30, "id_vacation_t", dm.ADOQ_Holliday_t, "id_vacation_t", "Holiday_type"),
        dateTime("from_d"),
        dateTime("to_d"),
        fixedWide("N_prikaz", 10),
        dateTime("Date_Prikaz"),
        text("otz_prik", 10),
        dateTime("otz_from_d"),
        text("ZEL_User", 20),
        date("ZEL_Update"),
        dateTime("otz_pr_date"),
        integer("N_Days"),
        integer("Not_used_days"),
        integer("not_used_pay_days"),
    });

    dm.ADOQ_mil_card.SetSQL(QStringLiteral("Select * from mil_card_"));
    dm.ADOQ_mil_card.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        autoInc("id_mil_card"),
        integer("id_mil_name"),
        integer("id_valid"),
        text("voencom", 50),
        integer("id_R_voisk"),
        text("Sostav", 50),
        integer("id_teacher"),
        boolean("Voinsk_uchet"),
        text("Vus", 250),
    });

    dm.ADOQ_Lang_options.SetSQL(QStringLiteral("select * from Language_OPTIONS"));
    dm.ADOQ_Lang_options.DeclareFields({
        text("ZEL_User", 20),
        date("ZEL_Update"),
        autoInc("id_lang_options"),
        integer("id_lang"),
        integer("id_level"),
        integer("id_teacher"),
        lookup("language", 30, "id_lang", dm.ADOQ_languages, "id_lang", "lang"),
        lookup("level", 30, "id_level", dm.ADOQ_Level, "id_Level", "l_level"),
    });
}

}  // namespace zel
