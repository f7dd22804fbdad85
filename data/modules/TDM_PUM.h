#pragma once

#include "data/Driver.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TADOStoredProc.h"
#include "data/dataset/TADOTable.h"
#include "data/dataset/TDataSource.h"

#include <QObject>

namespace zel {

/// The main data module: the program's one database connection ADO_PUM and the
/// card, dictionary and address datasets, each with its data source. Lives for the
/// whole run; every dataset uses ADO_PUM.
///
/// The field declarations and initial texts are set up by the constructor from the
/// declaration tables (master, sections, dictionaries, addresses, documents). The
/// posting rules that need the windows are installed separately (PostingRules).
class TDM_PUM : public QObject {
    Q_OBJECT
public:
    explicit TDM_PUM(QObject* parent = nullptr);
    ~TDM_PUM() override;

    /// Closed at creation, no connection string, never prompts.
    TADOConnection ADO_PUM;

    // -- employee master record --
    TADOQuery ADO_TEACHER{QStringLiteral("ADO_TEACHER")};
    TADOQuery ADOQ_Teacher_2{QStringLiteral("ADOQ_Teacher_2")};
    TADOQuery ADOQPensioner{QStringLiteral("ADOQPensioner")};
    TADOQuery ADOQ_DEL{QStringLiteral("ADOQ_DEL")};

    // -- card sections --
    TADOQuery ADOQ_Education{QStringLiteral("ADOQ_Education")};
    TADOQuery ADOQ_family{QStringLiteral("ADOQ_family")};
    TADOQuery ADOQ_Experience{QStringLiteral("ADOQ_Experience")};
    TADOQuery ADOQ_Kvalification{QStringLiteral("ADOQ_Kvalification")};
    TADOQuery ADOQ_Work{QStringLiteral("ADOQ_Work")};
    TADOQuery ADOQ_Nagrada{QStringLiteral("ADOQ_Nagrada")};
    TADOQuery ADOQ_Abroad{QStringLiteral("ADOQ_Abroad")};
    TADOQuery ADOQ_Elect_org{QStringLiteral("ADOQ_Elect_org")};
    TADOQuery ADOQ_Partiya{QStringLiteral("ADOQ_Partiya")};
    TADOQuery ADOQ_Holiday{QStringLiteral("ADOQ_Holiday")};
    TADOQuery ADOQ_mil_card{QStringLiteral("ADOQ_mil_card")};
    TADOQuery ADOQ_Lang_options{QStringLiteral("ADOQ_Lang_options")};

    // -- documents --
    TADOQuery ADOQ_Passport{QStringLiteral("ADOQ_Passport")};
    TADOQuery ADOQ_photo{QStringLiteral("ADOQ_photo")};
    TADOQuery ADOQ_teacher_medosmotr{QStringLiteral("ADOQ_teacher_medosmotr")};

    // -- dictionaries --
    TADOQuery ADOQ_Edu{QStringLiteral("ADOQ_Edu")};
    TADOQuery ADOQ_Educ_T{QStringLiteral("ADOQ_Educ_T")};
    TADOQuery ADOQ_Quit_Course{QStringLiteral("ADOQ_Quit_Course")};
    TADOQuery ADOQ_Speciality{QStringLiteral("ADOQ_Speciality")};
    TADOQuery ADOQ_diploma_kval{QStringLiteral("ADOQ_diploma_kval")};
    TADOQuery ADOQ_Family_s{QStringLiteral("ADOQ_Family_s")};
    TADOQuery ADOQ_Family_status{QStringLiteral("ADOQ_Family_status")};
    TADOQuery ADOQ_Family_spec{QStringLiteral("ADOQ_Family_spec")};
    TADOQuery ADOQ_Holliday_t{QStringLiteral("ADOQ_Holliday_t")};
    TADOQuery ADOQ_nationality{QStringLiteral("ADOQ_nationality")};
    TADOQuery ADOQ_pol{QStringLiteral("ADOQ_pol")};
    TADOQuery ADOQ_Soc_pr{QStringLiteral("ADOQ_Soc_pr")};
    TADOQuery ADOQ_Uch_step{QStringLiteral("ADOQ_Uch_step")};
    TADOQuery ADOQ_uch_zvanie{QStringLiteral("ADOQ_uch_zvanie")};
    TADOQuery ADOQ_Rang{QStringLiteral("ADOQ_Rang")};
    TADOQuery ADOQ_passport_organ{QStringLiteral("ADOQ_passport_organ")};
    TADOQuery ADOQ_Level{QStringLiteral("ADOQ_Level")};
    TADOQuery ADOQ_languages{QStringLiteral("ADOQ_languages")};
    TADOQuery ADOQ_Mil_name{QStringLiteral("ADOQ_Mil_name")};
    TADOQuery ADOQ_Mil_R_Voisk{QStringLiteral("ADOQ_Mil_R_Voisk")};
    TADOQuery ADOQ_Mil_valid{QStringLiteral("ADOQ_Mil_valid")};
    TADOQuery ADOQ_experience_type_job{QStringLiteral("ADOQ_experience_type_job")};
    TADOQuery ADOQ_HighQualification{QStringLiteral("ADOQ_HighQualification")};
    TADOQuery ADOQ_Trudoem{QStringLiteral("ADOQ_Trudoem")};
    TADOQuery ADOQ_vuz{QStringLiteral("ADOQ_vuz")};
    TADOQuery ADOQ_t_fio{QStringLiteral("ADOQ_t_fio")};

    // -- address hierarchy, citizenship, country --
    TADOQuery ADOQ_Area{QStringLiteral("ADOQ_Area")};
    TADOQuery ADOQ_Region{QStringLiteral("ADOQ_Region")};
    TADOQuery ADOQ_City{QStringLiteral("ADOQ_City")};
    TADOQuery ADOQ_Village{QStringLiteral("ADOQ_Village")};
    TADOQuery ADOQ_AreaNow{QStringLiteral("ADOQ_AreaNow")};
    TADOQuery ADOQ_RegionNow{QStringLiteral("ADOQ_RegionNow")};
    TADOQuery ADOQ_CityNow{QStringLiteral("ADOQ_CityNow")};
    TADOQuery ADOQ_VillageNow{QStringLiteral("ADOQ_VillageNow")};
    TADOQuery ADOQ_RegionAdd{QStringLiteral("ADOQ_RegionAdd")};
    TADOQuery ADOQ_DistrictAdd{QStringLiteral("ADOQ_DistrictAdd")};
    TADOQuery ADOQ_CityAdd{QStringLiteral("ADOQ_CityAdd")};
    TADOQuery ADOQ_VillageAdd{QStringLiteral("ADOQ_VillageAdd")};
    TADOTable ADOT_Republic{QStringLiteral("ADOT_Republic")};
    TADOTable ADOT_Republic2{QStringLiteral("ADOT_Republic2")};
    TADOTable ADOT_District{QStringLiteral("ADOT_District")};
    TADOQuery ADOQ_cityzenship{QStringLiteral("ADOQ_cityzenship")};
    TADOQuery ADOQ_Country{QStringLiteral("ADOQ_Country")};
    /// The address picker's lists; the picker gives them their statements.
    TADOQuery ADOQ_Republic_Lookup{QStringLiteral("ADOQ_Republic_Lookup")};
    TADOQuery ADOQ_Region_Lookup{QStringLiteral("ADOQ_Region_Lookup")};
    TADOQuery ADOQ_District_Lookup{QStringLiteral("ADOQ_District_Lookup")};
    TADOQuery ADOQ_City_Lookup{QStringLiteral("ADOQ_City_Lookup")};
    TADOQuery ADOQ_Village_Lookup{QStringLiteral("ADOQ_Village_Lookup")};

    // -- the employee's three address records --
    TADOQuery ADOQ_Place_of_birth{QStringLiteral("ADOQ_Place_of_birth")};
    TADOQuery ADOQ_place_leave{QStringLiteral("ADOQ_place_leave")};
    TADOQuery ADOQ_PlaceResidence{QStringLiteral("ADOQ_PlaceResidence")};

    // -- tools --
    TADOStoredProc ADO_SP_Update_Family_Staus{QStringLiteral("ADO_SP_Update_Family_Staus")};
    /// Statement runner: its text is replaced before every use.
    TADOQuery ADOQ_Exec{QStringLiteral("ADOQ_Exec")};
    /// Scratch query for one-off reads; no initial text.
    TADOQuery ADOQ_Temp{QStringLiteral("ADOQ_Temp")};

    // -- data sources --
    TDataSource DS_TEACHER{&ADO_TEACHER}, DS_Teacher_2{&ADOQ_Teacher_2}, DSPensioner{&ADOQPensioner},
        DS_DEL{&ADOQ_DEL};
    TDataSource DS_Education{&ADOQ_Education}, DS_family{&ADOQ_family}, DS_Experience{&ADOQ_Experience},
        DS_Kvalification{&ADOQ_Kvalification}, DS_Work{&ADOQ_Work}, DS_Nagrada{&ADOQ_Nagrada},
        DS_Abroad{&ADOQ_Abroad}, DS_Elect_org{&ADOQ_Elect_org}, DS_Partiya{&ADOQ_Partiya},
        DS_Holiday{&ADOQ_Holiday}, DS_mil_card{&ADOQ_mil_card}, DS_Lang_options{&ADOQ_Lang_options};
    TDataSource DS_Passport{&ADOQ_Passport}, DS_photo{&ADOQ_photo},
        DS_teacher_medosmotr{&ADOQ_teacher_medosmotr};
    TDataSource DS_Edu{&ADOQ_Edu}, DS_Educ_T{&ADOQ_Educ_T}, DS_Quit_Course{&ADOQ_Quit_Course},
        DS_Speciality{&ADOQ_Speciality}, DS_diploma_kval{&ADOQ_diploma_kval}, DS_Family_s{&ADOQ_Family_s},
        DS_Family_status{&ADOQ_Family_status}, DS_Family_spec{&ADOQ_Family_spec},
        DS_Holliday_t{&ADOQ_Holliday_t}, DS_nationality{&ADOQ_nationality}, DS_pol{&ADOQ_pol},
        DS_Soc_pr{&ADOQ_Soc_pr}, DS_Uch_step{&ADOQ_Uch_step}, DS_uch_zvanie{&ADOQ_uch_zvanie},
        DS_Rang{&ADOQ_Rang}, DS_passport_organ{&ADOQ_passport_organ}, DS_Level{&ADOQ_Level},
        DS_languages{&ADOQ_languages}, DS_Mil_name{&ADOQ_Mil_name}, DS_Mil_R_Voisk{&ADOQ_Mil_R_Voisk},
        DS_Mil_valid{&ADOQ_Mil_valid}, DS_experience_type_job{&ADOQ_experience_type_job},
        DS_Trudoem{&ADOQ_Trudoem}, DS_vuz{&ADOQ_vuz}, DS_t_fio{&ADOQ_t_fio};
    TDataSource DS_Area{&ADOQ_Area}, DS_Region{&ADOQ_Region}, DS_City{&ADOQ_City}, DS_Village{&ADOQ_Village},
        DS_AreaNow{&ADOQ_AreaNow}, DS_RegionNow{&ADOQ_RegionNow}, DS_CityNow{&ADOQ_CityNow},
        DS_VillageNow{&ADOQ_VillageNow}, DS_RegionAdd{&ADOQ_RegionAdd}, DS_DistrictAdd{&ADOQ_DistrictAdd},
        DS_CityAdd{&ADOQ_CityAdd}, DS_VillageAdd{&ADOQ_VillageAdd}, DS_Republic{&ADOT_Republic},
        DS_Republic2{&ADOT_Republic2}, DS_District{&ADOT_District}, DS_cityzenship{&ADOQ_cityzenship},
        DS_Country{&ADOQ_Country}, DS_Republic_Lookup{&ADOQ_Republic_Lookup},
        DS_Region_Lookup{&ADOQ_Region_Lookup}, DS_District_Lookup{&ADOQ_District_Lookup},
        DS_City_Lookup{&ADOQ_City_Lookup}, DS_Village_Lookup{&ADOQ_Village_Lookup};
    TDataSource DS_Place_of_birth{&ADOQ_Place_of_birth}, DS_place_leave{&ADOQ_place_leave},
        DS_PlaceResidence{&ADOQ_PlaceResidence};

    /// Every dataset of the module, in declaration order (for tests and tools).
    std::vector<TDataSet*> AllDataSets();

    /// Opens the datasets a successful sign-in opens, in their order, then the three
    /// tables, each sorted right after it opened. The first failure propagates.
    void OpenSignInDataSets();
};

}  // namespace zel
