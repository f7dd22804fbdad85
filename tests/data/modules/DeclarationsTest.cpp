// The declarations of the data modules held against the record formats written out
// here: every statement text, every persistent field with its class, size, kind and
// lookup, the save sequence, the lists of PostModifiedSections and Cancel, and the
// card's load and empty statements. The field order drives the audit rows, so the
// order is compared too.
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TADOStoredProc.h"
#include "data/dataset/TADOTable.h"
#include "data/dataset/TAutoIncField.h"
#include "data/dataset/TBCDField.h"
#include "data/dataset/TBlobField.h"
#include "data/dataset/TBooleanField.h"
#include "data/dataset/TDateField.h"
#include "data/dataset/TField.h"
#include "data/dataset/TLargeintField.h"
#include "data/dataset/TSmallintField.h"
#include "data/dataset/TWideStringField.h"
#include "data/modules/CardStatements.h"
#include "data/modules/SaveSequence.h"
#include "data/modules/TDM.h"
#include "data/modules/TDM_PUM.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace zel;

namespace {

QString className(const TField& field)
{
    if (dynamic_cast<const TAutoIncField*>(&field))
        return QStringLiteral("TAutoIncField");
    if (dynamic_cast<const TSmallintField*>(&field))
        return QStringLiteral("TSmallintField");
    if (dynamic_cast<const TLargeintField*>(&field))
        return QStringLiteral("TLargeintField");
    if (dynamic_cast<const TIntegerField*>(&field))
        return QStringLiteral("TIntegerField");
    if (dynamic_cast<const TBCDField*>(&field))
        return QStringLiteral("TBCDField");
    if (dynamic_cast<const TFloatField*>(&field))
        return QStringLiteral("TFloatField");
    if (dynamic_cast<const TDateField*>(&field))
        return QStringLiteral("TDateField");
    if (dynamic_cast<const TDateTimeField*>(&field))
        return QStringLiteral("TDateTimeField");
    if (dynamic_cast<const TWideStringField*>(&field))
        return QStringLiteral("TWideStringField");
    if (dynamic_cast<const TStringField*>(&field))
        return QStringLiteral("TStringField");
    if (dynamic_cast<const TBooleanField*>(&field))
        return QStringLiteral("TBooleanField");
    if (dynamic_cast<const TBlobField*>(&field))
        return QStringLiteral("TBlobField");
    return QStringLiteral("?");
}

/// One field in the notation of the tables below:
/// name, class, size of a text (precision of a decimal), "ro", "fixed", "calc",
/// "fmt <display format>", "lookup <key>-><dictionary>.<dictionary key>:<result>".
QString describe(const TField& field)
{
    QString text = field.FieldName() + u' ' + className(field);
    if (const auto* decimal = dynamic_cast<const TBCDField*>(&field))
        text += QStringLiteral(" precision %1").arg(decimal->Precision());
    else if (dynamic_cast<const TStringField*>(&field))
        text += u' ' + QString::number(field.Size());
    if (field.ReadOnly())
        text += QStringLiteral(" ro");
    if (field.FixedChar())
        text += QStringLiteral(" fixed");
    if (field.FieldKind() == fkCalculated)
        text += QStringLiteral(" calc");
    if (!field.DisplayFormat().isEmpty())
        text += QStringLiteral(" fmt ") + field.DisplayFormat();
    if (field.FieldKind() == fkLookup)
        text += QStringLiteral(" lookup %1->%2.%3:%4")
                    .arg(field.KeyFields(), field.LookupDataSet() ? field.LookupDataSet()->Name() : QStringLiteral("?"),
                         field.LookupKeyFields(), field.LookupResultField());
    return text;
}

QStringList describeAll(const TDataSet& dataSet)
{
    QStringList list;
    for (const TField* field : dataSet.Fields())
        list << describe(*field);
    return list;
}

QStringList names(const std::vector<TDataSet*>& dataSets)
{
    QStringList list;
    for (const TDataSet* dataSet : dataSets)
        list << dataSet->Name();
    return list;
}

struct FieldTable {
    const char* dataSet;
    std::vector<const char*> fields;
};

struct Text {
    const char* dataSet;
    const char* text;  // lines joined by "\n"
};

class Declarations : public ::testing::Test {
protected:
    TDM_PUM dm;
    TDM dmx{dm};

    TDataSet* find(const QString& name)
    {
        std::vector<TDataSet*> all = dm.AllDataSets();
        for (TDataSet* dataSet : {static_cast<TDataSet*>(&dmx.ADOQ_obrazovanie_teacher),
                                  static_cast<TDataSet*>(&dmx.ADOQ_teacher_struktura),
                                  static_cast<TDataSet*>(&dmx.ADOQ_teacher_stepen)})
            all.push_back(dataSet);
        for (TDataSet* dataSet : all)
            if (dataSet->Name() == name)
                return dataSet;
        return nullptr;
    }
};

// Persistent fields in declaration order, from the record formats of the master record,
// the detail tables, the documents and the dictionaries that declare fields.
const FieldTable kFieldTables[] = {
    {"ADO_TEACHER",
     {"id_teacher TAutoIncField ro",
      "p26 TStringField 50",
      "p27 TStringField 50",
      "p28 TStringField 50",
      "t_fio TStringField 50",
      "ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "status TBooleanField"}},
    {"ADOQ_Teacher_2",
     {"id_teacher_info TAutoIncField ro",
      "id_teacher TIntegerField",
      "id_uch_stepen TIntegerField",
      "id_uch_zvanie TIntegerField",
      "D_b TDateTimeField",
      "Phon_w TStringField 15",
      "Phone TStringField 15",
      "phone_mobile TStringField 40",
      "D_z TDateTimeField",
      "id_nationality TIntegerField",
      "id_citizenship TIntegerField",
      "id_pol TIntegerField",
      "nauch_r TStringField 200",
      "id_rang TIntegerField",
      "ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_soc_pr TIntegerField",
      "eMail TStringField 30",
      "first_p26 TStringField 25",
      "num_date_f_p26 TStringField 35"}},
    {"ADOQPensioner",
     {"id_pensioner TAutoIncField ro",
      "id_teacher TIntegerField",
      "date TDateTimeField",
      "id_district TIntegerField",
      "ZEL_user TWideStringField 10 fixed",
      "ZEL_update TWideStringField 10 fixed",
      "pensioner TBooleanField"}},
    {"ADOQ_Education",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_educ TAutoIncField ro",
      "id_edu TIntegerField",
      "Date_enter TDateTimeField",
      "Date_End TDateTimeField",
      "Faculty TStringField 80",
      "id_educ_t TIntegerField",
      "id_quit_course TIntegerField",
      "id_special TIntegerField",
      "id_teacher TIntegerField",
      "Diploma_No TStringField 20",
      "id_diploma_kval TIntegerField",
      "vuz TStringField 100",
      "RecInfo TStringField 200 calc"}},
    {"ADOQ_family",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_family TAutoIncField ro",
      "id_family_s TIntegerField",
      "Date_of_birth TDateTimeField",
      "Address TStringField 50",
      "Org_Address TStringField 50",
      "family_s TStringField 30 lookup id_family_s->ADOQ_Family_s.id_family_s:stepen",
      "id_teacher TIntegerField",
      "id_family_status TIntegerField",
      "id_family_job TIntegerField",
      "family_job TStringField 30 lookup id_family_job->ADOQ_Family_spec.id_family_job:job_specification",
      "p26 TWideStringField 20 fixed",
      "p27 TWideStringField 20 fixed",
      "p28 TWideStringField 20 fixed"}},
    {"ADOQ_Experience",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "Gov_Service TFloatField",
      "On_Owners TFloatField",
      "specialty_s TFloatField",
      "Total_s TFloatField",
      "Unbreakable TFloatField",
      "ID_TEACHER TIntegerField",
      "specialty TStringField 30",
      "id_experience TAutoIncField ro",
      "teacher_s TFloatField",
      "Total_sDate TDateField",
      "teacher_sDate TDateField"}},
    {"ADOQ_Kvalification",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_kvalification TAutoIncField ro",
      "place TStringField 50",
      "sertifikate TStringField 50",
      "ID_TEACHER TIntegerField",
      "date_1 TDateTimeField",
      "date_2 TDateTimeField",
      "kvalifikation TIntegerField",
      "Qualification TStringField 20 lookup kvalifikation->ADOQ_HighQualification.id_qualification:qualification",
      "theme TStringField 200",
      "id_trudoem TIntegerField",
      "Trudoem TStringField 10 lookup id_trudoem->ADOQ_Trudoem.id_trudoem:trudoem"}},
    {"ADOQ_Work",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_Work TAutoIncField ro",
      "Doljnost TStringField 50",
      "Name_org TStringField 50",
      "Adress TStringField 50",
      "Phone TStringField 15",
      "FIO_Dir TStringField 60",
      "Salary TBCDField precision 18",
      "Date_Enter TDateTimeField",
      "Date_Quit TDateTimeField",
      "ID_TEACHER TIntegerField",
      "id_type_job TIntegerField",
      "base TStringField 30 lookup id_type_job->ADOQ_experience_type_job.id_base_over:base_over",
      "descr TStringField 50",
      "Enter_numPrikaz TStringField 20",
      "Quit_numPrikaz TStringField 20",
      "First_Check TBooleanField"}},
    {"ADOQ_Nagrada",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_teacher TIntegerField",
      "By_who TStringField 30",
      "id_nagrada TAutoIncField ro",
      "nagrada TStringField 100",
      "date_get TDateTimeField"}},
    {"ADOQ_Abroad",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_abroad TAutoIncField ro",
      "purchose TStringField 50",
      "date_begin TDateTimeField",
      "date_end TDateTimeField",
      "id_teacher TIntegerField",
      "orderNum TStringField 10",
      "orderDate TDateField",
      "country TStringField 100"}},
    {"ADOQ_Elect_org",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_organ TAutoIncField ro",
      "address TStringField 50",
      "elected_as TStringField 30",
      "year_elect TStringField 15",
      "year_End TStringField 15",
      "id_teacher TIntegerField",
      "organ TStringField 50"}},
    {"ADOQ_Holiday",
     {"id_vacation TAutoIncField ro",
      "id_teacher TIntegerField",
      "Date_begin TDateTimeField",
      "Date_End TDateTimeField",
      "id_vacation_t TIntegerField",
      "Holiday_type TStringField 30 lookup id_vacation_t->ADOQ_Holliday_t.id_vacation_t:Holiday_type",
      "from_d TDateTimeField",
      "to_d TDateTimeField",
      "N_prikaz TWideStringField 10 fixed",
      "Date_Prikaz TDateTimeField",
      "otz_prik TStringField 10",
      "otz_from_d TDateTimeField",
      "ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "otz_pr_date TDateTimeField",
      "N_Days TIntegerField",
      "Not_used_days TIntegerField",
      "not_used_pay_days TIntegerField"}},
    {"ADOQ_mil_card",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_mil_card TAutoIncField ro",
      "id_mil_name TIntegerField",
      "id_valid TIntegerField",
      "voencom TStringField 50",
      "id_R_voisk TIntegerField",
      "Sostav TStringField 50",
      "id_teacher TIntegerField",
      "Voinsk_uchet TBooleanField",
      "Vus TStringField 250"}},
    {"ADOQ_Lang_options",
     {"ZEL_User TStringField 20",
      "ZEL_Update TDateField",
      "id_lang_options TAutoIncField ro",
      "id_lang TIntegerField",
      "id_level TIntegerField",
      "id_teacher TIntegerField",
      "language TStringField 30 lookup id_lang->ADOQ_languages.id_lang:lang",
      "level TStringField 30 lookup id_level->ADOQ_Level.id_Level:l_level"}},
    {"ADOQ_teacher_medosmotr",
     {"id_teacher_medosmotr TIntegerField",
      "id_teacher TIntegerField",
      "medosmotr TStringField 250",
      "medosmotr_date TDateTimeField fmt dd.MM.yyyy",
      "Descpintion TStringField 250"}},
    {"ADOQ_obrazovanie_teacher",
     {"id_obrazovanie_teacher TIntegerField",
      "id_teacher TIntegerField",
      "id_teacher_struktura TIntegerField",
      "Dates TDateTimeField fmt dd.MM.yyyy",
      "Number TStringField 100",
      "id_teacher_stepen TIntegerField",
      "teacher_stepen TStringField 250 lookup id_teacher_stepen->ADOQ_teacher_stepen.id_teacher_stepen:teacher_stepen",
      "id_user TIntegerField",
      "teacher_struktura TStringField 250 lookup id_teacher_struktura->ADOQ_teacher_struktura.id_teacher_struktura:teacher_struktura",
      "s_teacher_struktura TStringField 100 lookup id_teacher_struktura->ADOQ_teacher_struktura.id_teacher_struktura:s_teacher_struktura"}},
    {"ADOQ_Speciality",
     {"id_special TAutoIncField ro", "id_direction TIntegerField", "p25-1 TStringField 50",
      "p25-2 TStringField 300", "id_opl TIntegerField", "ZEL_User TStringField 30"}},
    {"ADOQ_Family_status",
     {"id_family TAutoIncField ro", "p15 TStringField 50", "oper TStringField 5", "u_date TDateTimeField"}},
    {"ADOQ_HighQualification", {"id_qualification TIntegerField ro", "qualification TStringField 20"}},
    {"ADOQ_Trudoem", {"id_trudoem TAutoIncField ro", "trudoem TWideStringField 50"}},
    {"ADOQ_teacher_struktura",
     {"id_teacher_struktura TIntegerField", "teacher_struktura TStringField 250",
      "s_teacher_struktura TStringField 100"}},
    {"ADOQ_teacher_stepen", {"id_teacher_stepen TIntegerField", "teacher_stepen TStringField 250"}},
    {"ADOQ_DEL", {"id_teacher TIntegerField"}},
};

// Datasets that declare no fields and expose their statement's columns as they come.
const char* const kWithoutFields[] = {
    "ADOQ_Partiya", "ADOQ_Passport",  "ADOQ_photo",       "ADOQ_Edu",         "ADOQ_Educ_T",
    "ADOQ_Quit_Course", "ADOQ_diploma_kval", "ADOQ_Family_s", "ADOQ_Family_spec", "ADOQ_Holliday_t",
    "ADOQ_nationality", "ADOQ_pol", "ADOQ_Soc_pr", "ADOQ_Uch_step", "ADOQ_uch_zvanie", "ADOQ_Rang",
    "ADOQ_passport_organ", "ADOQ_Level", "ADOQ_languages", "ADOQ_Mil_name", "ADOQ_Mil_R_Voisk",
    "ADOQ_Mil_valid", "ADOQ_experience_type_job", "ADOQ_vuz", "ADOQ_t_fio",
};

// The texts the datasets hold when the data modules are created.
const Text kInitialTexts[] = {
    {"ADO_TEACHER", "SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER"},
    {"ADOQ_Teacher_2", "SELECT  TOP (0) PERCENT dbo.TEACHER_info.* FROM dbo.TEACHER_info"},
    {"ADOQPensioner", "Select * from Pensioners"},
    {"ADOQ_DEL", "SELECT     id_teacher\nFROM         dbo.Teacher_Del"},
    {"ADOQ_Education", "select TOP 0 * from Educ"},
    {"ADOQ_family", "Select  *\nFrom family_\nORDER BY Date_of_birth"},
    {"ADOQ_Experience", "Select * from Experience"},
    {"ADOQ_Kvalification", "Select * from Kvalifikation\nORDER BY date_1"},
    {"ADOQ_Work", "Select *\nFrom Work\nORDER BY Date_Enter\n"},
    {"ADOQ_Nagrada", "Select *\nFrom Nagrada\nORDER BY date_get"},
    {"ADOQ_Abroad", "Select * from Abroad"},
    {"ADOQ_Elect_org", "Select * from Elect_org"},
    {"ADOQ_Partiya", "select * from Partiya"},
    {"ADOQ_Holiday", "Select * from Holiday"},
    {"ADOQ_mil_card", "Select * from mil_card_"},
    {"ADOQ_Lang_options", "select * from Language_OPTIONS"},
    {"ADOQ_Passport", "Select * from Passport"},
    {"ADOQ_photo", "SELECT  TOP (0) PERCENT photo from photo"},
    {"ADOQ_teacher_medosmotr", ""},
    {"ADOQ_obrazovanie_teacher", ""},
    {"ADOQ_Edu", "select * from Edu"},
    {"ADOQ_Educ_T", "select * from Educ_t"},
    {"ADOQ_Quit_Course", "select * from Quit_Course"},
    {"ADOQ_Speciality", "select * from specialPUM"},
    {"ADOQ_diploma_kval", "select * from diploma_kval"},
    {"ADOQ_Family_s", "Select * from Family_s"},
    {"ADOQ_Family_status", "Select * from Family"},
    {"ADOQ_Family_spec", "Select * from Family_spec"},
    {"ADOQ_Holliday_t", "Select * from Holliday_t"},
    {"ADOQ_nationality", "Select * from nationality"},
    {"ADOQ_pol", "Select * from pol"},
    {"ADOQ_Soc_pr", "Select * from Soc_pr"},
    {"ADOQ_Uch_step", "Select * from Uch_step"},
    {"ADOQ_uch_zvanie", "select * from uch_zvanie"},
    {"ADOQ_Rang", "Select * from Rang"},
    {"ADOQ_passport_organ", "select * from MVD_pasport"},
    {"ADOQ_Level", "Select * from Level"},
    {"ADOQ_languages", "Select * from languages"},
    {"ADOQ_Mil_name", "Select * from Mil_name"},
    {"ADOQ_Mil_R_Voisk", "Select * from Mil_R_Voisk"},
    {"ADOQ_Mil_valid", "Select * from Mil_valid"},
    {"ADOQ_experience_type_job", "Select * from base"},
    {"ADOQ_HighQualification", "Select * from HighQualification order by qualification"},
    {"ADOQ_Trudoem", "select * from Trudoem"},
    {"ADOQ_teacher_struktura", "SELECT    *\nFROM       teacher_struktura"},
    {"ADOQ_teacher_stepen", "SELECT    *\nFROM       teacher_stepen"},
    {"ADOQ_vuz", "Select * from vuz"},
    {"ADOQ_t_fio", "select * from t_fio"},
    {"ADOQ_Exec", "select * from Trudoem"},
    {"ADOQ_Temp", ""},
    {"ADOQ_Area", "Select * from RegionKR"},
    {"ADOQ_Region", "Select * from DistrictKR"},
    {"ADOQ_City", "Select * from CityKR"},
    {"ADOQ_Village", "Select * from VillageKR"},
    {"ADOQ_AreaNow", "Select * from RegionKR"},
    {"ADOQ_RegionNow", "Select * from DistrictKR"},
    {"ADOQ_CityNow", "Select * from CityKR"},
    {"ADOQ_VillageNow", "Select * from VillageKR"},
    {"ADOQ_RegionAdd", "Select * from RegionKR Order by NameRegion"},
    {"ADOQ_DistrictAdd", "Select * from DistrictKR Order by NameDistrict"},
    {"ADOQ_CityAdd", "Select * from CityKR Order by NameCity"},
    {"ADOQ_VillageAdd", "Select * from VillageKR Order by NameVillage"},
    {"ADOQ_cityzenship", "Select * from Citizenship"},
    {"ADOQ_Country", "Select * from Country"},
    {"ADOQ_Republic_Lookup", ""},
    {"ADOQ_Region_Lookup", ""},
    {"ADOQ_District_Lookup", ""},
    {"ADOQ_City_Lookup", ""},
    {"ADOQ_Village_Lookup", ""},
    {"ADOQ_Place_of_birth", "Select * from Place_of_birth"},
    {"ADOQ_place_leave", "select * from place_leave"},
    {"ADOQ_PlaceResidence", "Select *\nFrom Place_of_residence"},
};

// The three address records: stored fields in dataset order, and the five name lookups.
struct AddressRecord {
    const char* dataSet;
    std::vector<const char*> stored;
    std::vector<const char*> lookups;
};

const AddressRecord kAddressRecords[] = {
    {"ADOQ_Place_of_birth",
     {"ZEL_User TStringField 20", "ZEL_Update TDateField", "id_place_of_birth TAutoIncField ro",
      "id_teacher TIntegerField", "id_regionKR TSmallintField", "id_districtKR TSmallintField",
      "id_cityKR TIntegerField", "id_villageKR TIntegerField", "id_republic TIntegerField"},
     {"REPUBLIC TStringField 50 lookup id_republic->ADOT_Republic.id_republics:republic",
      "AREA TStringField 50 lookup id_regionKR->ADOQ_Area.IDRegion:NameRegion",
      "DISTRICT TStringField 50 lookup id_districtKR->ADOQ_Region.IDDistrict:NameDistrict",
      "CITY TStringField 50 lookup id_cityKR->ADOQ_City.IDCity:NameCity",
      "VILLAGE TStringField 50 lookup id_villageKR->ADOQ_Village.IDVillage:NameVillage"}},
    {"ADOQ_place_leave",
     {"ZEL_User TStringField 20", "ZEL_Update TDateField", "id_place_leave TAutoIncField ro",
      "id_teacher TIntegerField", "id_ragionKR TSmallintField", "id_districtKR TSmallintField",
      "id_cityKR TIntegerField", "id_villageKR TIntegerField", "id_republic TIntegerField",
      "Address TStringField 40"},
     {"REPUBLIC TStringField 50 lookup id_republic->ADOT_Republic2.id_republics:republic",
      "AREA TStringField 50 lookup id_ragionKR->ADOQ_AreaNow.IDRegion:NameRegion",
      "DISTRICT TStringField 50 lookup id_districtKR->ADOQ_RegionNow.IDDistrict:NameDistrict",
      "CITY TStringField 50 lookup id_cityKR->ADOQ_CityNow.IDCity:NameCity",
      "VILLAGE TStringField 50 lookup id_villageKR->ADOQ_VillageNow.IDVillage:NameVillage"}},
    {"ADOQ_PlaceResidence",
     {"id_teacher TIntegerField", "id_republic TIntegerField", "id_regionKR TIntegerField",
      "id_districtKR TIntegerField", "id_cityKR TIntegerField", "id_villageKR TIntegerField",
      "Address TStringField 40", "ZEL_User TStringField 20", "ZEL_Update TDateTimeField",
      "id_place_of_residence TIntegerField"},
     {"REPUBLIC TStringField 50 lookup id_republic->ADOT_Republic2.id_republics:republic",
      "AREA TStringField 50 lookup id_regionKR->ADOQ_AreaNow.IDRegion:NameRegion",
      "DISTRICT TStringField 50 lookup id_districtKR->ADOQ_RegionNow.IDDistrict:NameDistrict",
      "CITY TStringField 20 lookup id_cityKR->ADOQ_CityNow.IDCity:NameCity",
      "VILLAGE TStringField 20 lookup id_villageKR->ADOQ_VillageNow.IDVillage:NameVillage"}},
};

}  // namespace

TEST_F(Declarations, EveryStatementTextAsWritten)
{
    for (const Text& expected : kInitialTexts) {
        const auto* query = dynamic_cast<const TADOQuery*>(find(QString::fromLatin1(expected.dataSet)));
        ASSERT_NE(query, nullptr) << expected.dataSet;
        EXPECT_EQ(query->SQL().toStdString(), std::string(expected.text)) << expected.dataSet;
    }
}

TEST_F(Declarations, EveryPersistentFieldWithItsClassSizeKindAndLookup)
{
    for (const FieldTable& table : kFieldTables) {
        const TDataSet* dataSet = find(QString::fromLatin1(table.dataSet));
        ASSERT_NE(dataSet, nullptr) << table.dataSet;
        QStringList expected;
        for (const char* field : table.fields)
            expected << QString::fromUtf8(field);
        EXPECT_EQ(describeAll(*dataSet).join(u'\n').toStdString(), expected.join(u'\n').toStdString())
            << table.dataSet;
    }
    for (const char* name : kWithoutFields) {
        const TDataSet* dataSet = find(QString::fromLatin1(name));
        ASSERT_NE(dataSet, nullptr) << name;
        EXPECT_FALSE(dataSet->HasPersistentFields()) << name;
    }
}

TEST_F(Declarations, AddressRecordsAndTables)
{
    for (const AddressRecord& record : kAddressRecords) {
        const TDataSet* dataSet = find(QString::fromLatin1(record.dataSet));
        ASSERT_NE(dataSet, nullptr) << record.dataSet;
        QStringList stored, lookups, expectedStored, expectedLookups;
        for (const TField* field : dataSet->Fields())
            (field->FieldKind() == fkLookup ? lookups : stored) << describe(*field);
        for (const char* field : record.stored)
            expectedStored << QString::fromLatin1(field);
        for (const char* field : record.lookups)
            expectedLookups << QString::fromLatin1(field);
        lookups.sort();
        expectedLookups.sort();
        EXPECT_EQ(stored.join(u'\n').toStdString(), expectedStored.join(u'\n').toStdString()) << record.dataSet;
        EXPECT_EQ(lookups.join(u'\n').toStdString(), expectedLookups.join(u'\n').toStdString()) << record.dataSet;
    }

    const char* const tables[][3] = {
        {"ADOT_Republic", "Republics", "ZEL_user id_republics republic visible"},
        {"ADOT_Republic2", "Republics", "ZEL_user id_republics republic"},
        {"ADOT_District", "DistrictKR", "IDDistrict NameDistrict"},
    };
    for (const auto& table : tables) {
        const auto* dataSet = dynamic_cast<const TADOTable*>(find(QString::fromLatin1(table[0])));
        ASSERT_NE(dataSet, nullptr) << table[0];
        EXPECT_EQ(dataSet->TableName().toStdString(), std::string(table[1])) << table[0];
        QStringList fieldNames;
        for (const TField* field : dataSet->Fields())
            fieldNames << field->FieldName();
        EXPECT_EQ(fieldNames.join(u' ').toStdString(), std::string(table[2])) << table[0];
    }
    EXPECT_TRUE(dm.ADOT_District.FieldByName(QStringLiteral("IDDistrict"))->ReadOnly());
}

TEST_F(Declarations, TheFamilyStatusProcedureAndItsParameters)
{
    const TADOStoredProc& procedure = dm.ADO_SP_Update_Family_Staus;
    EXPECT_EQ(procedure.ProcedureName(), QStringLiteral("Update_Family_Staus;1"));
    QStringList parameters;
    for (const TParameter& parameter : procedure.Parameters())
        parameters << parameter.Name + (parameter.Nullable ? QStringLiteral(" nullable") : QString());
    EXPECT_EQ(parameters.mid(1), (QStringList{QStringLiteral("@OldStatus nullable"), QStringLiteral("@NewStatus nullable")}));
    ASSERT_FALSE(parameters.isEmpty());
    EXPECT_TRUE(parameters.front().startsWith(QStringLiteral("@RETURN_VALUE")));
}

TEST_F(Declarations, SaveSequenceTableNamesAndKeys)
{
    const char* const expected[] = {
        "ADO_TEACHER Teacher id_teacher unlogged",
        "ADOQ_Education Educ id_educ logged",
        "ADOQ_family Family id_family logged",
        "ADOQ_Experience Experience id_experience logged",
        "ADOQ_Kvalification Kvalification id_kvalification logged",
        "ADOQ_Work Work id_Work logged",
        "ADOQ_Nagrada Nagrada id_nagrada logged",
        "ADOQ_Abroad Abroad id_abroad logged",
        "ADOQ_Elect_org Elect_org id_organ logged",
        "ADOQ_Partiya Partia id_partia logged",
        "ADOQ_Holiday Holiday id_vacation logged",
        "ADOQ_mil_card Mil_card id_mil_card logged",
        "ADOQ_Lang_options Language_options id_lang_options logged",
        "ADOQ_Place_of_birth Place_of_birth id_place_of_birth logged",
        "ADOQ_place_leave Place_leave id_place_leave logged",
        "ADOQ_PlaceResidence Place_of_residence id_place_of_residence logged",
        "ADOQ_Teacher_2 Teacher_info id_teacher_info logged",
        "ADOQ_Passport Pasport id_pasport logged",
        "ADOQPensioner Pensioners id_pensioner logged",
    };
    QStringList actual;
    for (const SaveSequence::Step& step : SaveSequence::Steps(dm))
        actual << step.dataSet->Name() + u' ' + step.tableName + u' ' + step.keyField
                + (step.logChanges ? QStringLiteral(" logged") : QStringLiteral(" unlogged"));
    QStringList wanted;
    for (const char* line : expected)
        wanted << QString::fromLatin1(line);
    EXPECT_EQ(actual.join(u'\n').toStdString(), wanted.join(u'\n').toStdString());
}

TEST_F(Declarations, PostModifiedSectionsAndCancelLists)
{
    EXPECT_EQ(names(SaveSequence::ModifiedSectionsOrder(dm)).join(u' ').toStdString(),
              "ADO_TEACHER ADOQ_Education ADOQ_family ADOQ_Experience ADOQ_Kvalification ADOQ_Work ADOQ_Nagrada "
              "ADOQ_Abroad ADOQ_Elect_org ADOQ_Partiya ADOQ_Holiday ADOQ_mil_card ADOQ_Lang_options "
              "ADOQ_Place_of_birth ADOQ_place_leave ADOQ_PlaceResidence ADOQ_Teacher_2");
    EXPECT_EQ(names(SaveSequence::CancelOrder(dm)).join(u' ').toStdString(),
              "ADOQ_Education ADOQ_family ADOQ_Experience ADOQ_Kvalification ADOQ_Work ADOQ_Nagrada ADOQ_Abroad "
              "ADOQ_Elect_org ADOQ_Partiya ADOQ_Holiday ADOQ_mil_card ADOQ_Lang_options ADOQ_photo ADOQ_Teacher_2");
}

TEST_F(Declarations, CardLoadAndEmptyStatements)
{
    const char* const expected[][3] = {
        {"ADOQPensioner", "Select TOP(1) Pensioners.* from Pensioners where id_teacher=42", ""},
        {"ADOQ_Education", "Select * from Educ where id_teacher=42", "SELECT  TOP (0) PERCENT dbo.Educ.* FROM dbo.Educ"},
        {"ADOQ_family", "Select * From family_ Where id_teacher=42 ORDER BY Date_of_birth",
         "SELECT  TOP (0) PERCENT dbo.family_.* FROM dbo.family_"},
        {"ADOQ_Experience", "Select * from Experience where id_teacher=42",
         "SELECT  TOP (0) PERCENT dbo.Experience.* FROM dbo.Experience"},
        {"ADOQ_Kvalification", "Select * From Kvalifikation Where id_teacher=42 ORDER BY date_1",
         "SELECT  TOP (0) PERCENT dbo.Kvalifikation.* FROM dbo.Kvalifikation"},
        {"ADOQ_Work", "Select * From Work Where id_teacher=42 ORDER BY Date_Enter",
         "SELECT  TOP (0) PERCENT dbo.Work.* FROM dbo.Work"},
        {"ADOQ_Nagrada", "Select * From Nagrada Where id_teacher=42 ORDER BY date_get",
         "SELECT  TOP (0) PERCENT dbo.Nagrada.* FROM dbo.Nagrada"},
        {"ADOQ_Abroad", "Select * From Abroad Where id_teacher=42 ORDER BY date_begin",
         "SELECT  TOP (0) PERCENT dbo.Abroad.* FROM dbo.Abroad"},
        {"ADOQ_Elect_org", "Select * From Elect_org Where id_teacher=42 ORDER BY year_elect",
         "SELECT  TOP (0) PERCENT dbo.Elect_org.* FROM dbo.Elect_org"},
        {"ADOQ_Partiya", "Select * from Partiya where id_teacher=42",
         "SELECT  TOP (0) PERCENT dbo.Partiya.* FROM dbo.Partiya"},
        {"ADOQ_Holiday", "Select * From Holiday Where id_teacher=42 ORDER BY Date_begin",
         "SELECT  TOP (0) PERCENT dbo.Holiday.* FROM dbo.Holiday"},
        {"ADOQ_mil_card", "Select * from mil_card_ where id_teacher=42",
         "SELECT  TOP (0) PERCENT dbo.mil_card_.* FROM dbo.mil_card_"},
        {"ADOQ_Lang_options", "Select * from LANGUAGE_OPTIONS where id_teacher=42",
         "SELECT  TOP (0) PERCENT dbo.Language_options.* FROM dbo.Language_options"},
        {"ADOQ_photo", "Select * from photo where id_teacher=42", "SELECT  TOP (0) PERCENT dbo.Photo.* FROM dbo.Photo"},
        {"ADOQ_Place_of_birth", "Select * from Place_of_birth where id_teacher=42",
         "SELECT  TOP (0) PERCENT dbo.Place_of_birth.* FROM dbo.Place_of_birth"},
        {"ADOQ_place_leave", "Select * from place_leave where id_teacher=42",
         "SELECT  TOP (0) PERCENT dbo.place_leave.* FROM dbo.place_leave"},
        {"ADOQ_PlaceResidence", "Select * from Place_of_residence where id_teacher=42",
         "SELECT  TOP (0) PERCENT dbo.Place_of_residence.* FROM dbo.Place_of_residence"},
        {"ADOQ_Teacher_2", "Select * from Teacher_info where id_teacher=42",
         "SELECT  TOP (0) PERCENT dbo.TEACHER_info.* FROM dbo.TEACHER_info"},
        {"ADOQ_Passport", "Select * from Passport where id_teacher=42",
         "SELECT  TOP (0) PERCENT dbo.Passport.* FROM dbo.Passport"},
    };
    const std::vector<CardStatements::Section> sections = CardStatements::Sections(dm);
    ASSERT_EQ(sections.size(), std::size(expected));
    for (std::size_t i = 0; i < sections.size(); ++i) {
        EXPECT_EQ(sections[i].query->Name().toStdString(), std::string(expected[i][0])) << i;
        EXPECT_EQ(sections[i].LoadText(QStringLiteral("42")).toStdString(), std::string(expected[i][1])) << i;
        EXPECT_EQ(sections[i].emptyText.toStdString(), std::string(expected[i][2])) << i;
    }
}
