#include "data/modules/TDM_PUM.h"

#include "data/modules/DataModuleDeclarations.h"

namespace zel {

TDM_PUM::TDM_PUM(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM_PUM"));
    for (TDataSet* dataSet : AllDataSets())
        dataSet->SetConnection(&ADO_PUM);
    declareMasterDataSets(*this);
    declareSectionDataSets(*this);
    declareDictionaryDataSets(*this);
    declareAddressDataSets(*this);
    declareDocumentDataSets(*this);
}

TDM_PUM::~TDM_PUM() = default;

std::vector<TDataSet*> TDM_PUM::AllDataSets()
{
    return {
        &ADO_TEACHER, &ADOQ_Teacher_2, &ADOQPensioner, &ADOQ_DEL,
        &ADOQ_Education, &ADOQ_family, &ADOQ_Experience, &ADOQ_Kvalification, &ADOQ_Work, &ADOQ_Nagrada,
        &ADOQ_Abroad, &ADOQ_Elect_org, &ADOQ_Partiya, &ADOQ_Holiday, &ADOQ_mil_card, &ADOQ_Lang_options,
        &ADOQ_Passport, &ADOQ_photo, &ADOQ_teacher_medosmotr,
        &ADOQ_Edu, &ADOQ_Educ_T, &ADOQ_Quit_Course, &ADOQ_Speciality, &ADOQ_diploma_kval, &ADOQ_Family_s,
        &ADOQ_Family_status, &ADOQ_Family_spec, &ADOQ_Holliday_t, &ADOQ_nationality, &ADOQ_pol, &ADOQ_Soc_pr,
        &ADOQ_Uch_step, &ADOQ_uch_zvanie, &ADOQ_Rang, &ADOQ_passport_organ, &ADOQ_Level, &ADOQ_languages,
        &ADOQ_Mil_name, &ADOQ_Mil_R_Voisk, &ADOQ_Mil_valid, &ADOQ_experience_type_job,
        &ADOQ_HighQualification, &ADOQ_Trudoem, &ADOQ_vuz, &ADOQ_t_fio,
        &ADOQ_Area, &ADOQ_Region, &ADOQ_City, &ADOQ_Village, &ADOQ_AreaNow, &ADOQ_RegionNow, &ADOQ_CityNow,
        &ADOQ_VillageNow, &ADOQ_RegionAdd, &ADOQ_DistrictAdd, &ADOQ_CityAdd, &ADOQ_VillageAdd,
        &ADOT_Republic, &ADOT_Republic2, &ADOT_District, &ADOQ_cityzenship, &ADOQ_Country,
        &ADOQ_Republic_Lookup, &ADOQ_Region_Lookup, &ADOQ_District_Lookup, &ADOQ_City_Lookup,
        &ADOQ_Village_Lookup,
        &ADOQ_Place_of_birth, &ADOQ_place_leave, &ADOQ_PlaceResidence,
        &ADO_SP_Update_Family_Staus, &ADOQ_Exec, &ADOQ_Temp,
    };
}

void TDM_PUM::OpenSignInDataSets()
{
    TDataSet* const inOrder[] = {
        &ADO_TEACHER, &ADOQ_Edu, &ADOQ_Educ_T, &ADOQ_Quit_Course, &ADOQ_Speciality, &ADOQ_Family_s,
        &ADOQ_Family_status, &ADOQ_Family_spec, &ADOQ_nationality, &ADOQ_Area, &ADOQ_City,
        &ADOQ_cityzenship, &ADOQ_Country, &ADOQ_Level, &ADOQ_languages, &ADOQ_Mil_name, &ADOQ_Mil_R_Voisk,
        &ADOQ_Mil_valid, &ADOQ_Region, &ADOQ_pol, &ADOQ_Rang, &ADOQ_Uch_step, &ADOQ_Village, &ADOQ_vuz,
        &ADOQ_Soc_pr, &ADOQ_uch_zvanie, &ADOQ_experience_type_job, &ADOQ_photo, &ADOQ_passport_organ,
        &ADOQ_t_fio, &ADOQ_diploma_kval, &ADOQ_RegionAdd, &ADOQ_DistrictAdd, &ADOQ_CityAdd,
        &ADOQ_VillageAdd, &ADOQ_RegionNow, &ADOQ_AreaNow, &ADOQ_CityNow, &ADOQ_VillageNow,
    };
    for (TDataSet* dataSet : inOrder)
        dataSet->Open();

    ADOT_District.Open();
    ADOT_District.SetSort(QStringLiteral("NameDistrict"));
    ADOT_Republic.Open();
    ADOT_Republic.SetSort(QStringLiteral("republic"));
    ADOT_Republic2.Open();
    ADOT_Republic2.SetSort(QStringLiteral("republic"));
}

}  // namespace zel
