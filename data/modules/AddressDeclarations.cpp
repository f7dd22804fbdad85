#include "data/modules/DataModuleDeclarations.h"
#include "data/modules/FieldDecls.h"
#include "data/modules/TDM_PUM.h"

namespace zel {

using namespace fields;

namespace {

/// The five name lookups of an address record.
struct AddressLists {
    TDataSet& republic;
    TDataSet& region;
    TDataSet& district;
    TDataSet& city;
    TDataSet& village;
    const char* regionKey;  // place_leave spells it id_ragionKR
    int cityVillageSize;
};

std::vector<TFieldDecl> nameLookups(const AddressLists& lists)
{
    return {
        lookup("REPUBLIC", 50, "id_republic", lists.republic, "id_republics", "republic"),
        lookup("AREA", 50, QString::fromLatin1(lists.regionKey), lists.region, "IDRegion", "NameRegion"),
        lookup("DISTRICT", 50, "id_districtKR", lists.district, "IDDistrict", "NameDistrict"),
        lookup("CITY", lists.cityVillageSize, "id_cityKR", lists.city, "IDCity", "NameCity"),
        lookup("VILLAGE", lists.cityVillageSize, "id_villageKR", lists.village, "IDVillage", "NameVillage"),
    };
}

std::vector<TFieldDecl> joined(std::vector<TFieldDecl> stored, const std::vector<TFieldDecl>& lookups)
{
    stored.insert(stored.end(), lookups.begin(), lookups.end());
    return stored;
}

}  // namespace

void declareAddressDataSets(TDM_PUM& dm)
{
    struct Text {
        TADOQuery* query;
        const char* sql;
    };
    const Text texts[] = {
        {&dm.ADOQ_Area, "Select * from RegionKR"},
        {&dm.ADOQ_Region, "Select * from DistrictKR"},
        {&dm.ADOQ_City, "Select * from CityKR"},
        {&dm.ADOQ_Village, "Select * from VillageKR"},
        {&dm.ADOQ_AreaNow, "Select * from RegionKR"},
        {&dm.ADOQ_RegionNow, "Select * from DistrictKR"},
        {&dm.ADOQ_CityNow, "Select * from CityKR"},
        {&dm.ADOQ_VillageNow, "Select * from VillageKR"},
        {&dm.ADOQ_RegionAdd, "Select * from RegionKR Order by NameRegion"},
        {&dm.ADOQ_DistrictAdd, "Select * from DistrictKR Order by NameDistrict"},
        {&dm.ADOQ_CityAdd, "Select * from CityKR Order by NameCity"},
        {&dm.ADOQ_VillageAdd, "Select * from VillageKR Order by NameVillage"},
        {&dm.ADOQ_cityzenship, "Select * from Citizenship"},
        {&dm.ADOQ_Country, "Select * from Country"},
        {&dm.ADOQ_Place_of_birth, "Select * from Place_of_birth"},
        {&dm.ADOQ_place_leave, "select * from place_leave"},
        {&dm.ADOQ_PlaceResidence, "Select *\nFrom Place_of_residence"},
    };
    for (const Text& entry : texts)
        entry.query->SetSQL(QString::fromUtf8(entry.sql));

    dm.ADOT_Republic.SetTableName(QStringLiteral("Republics"));
    dm.ADOT_Republic.DeclareFields({
        wide("ZEL_user", 20),
        autoInc("id_republics"),
        wide("republic", 50),
        boolean("visible"),
    });
    dm.ADOT_Republic2.SetTableName(QStringLiteral("Republics"));
    dm.ADOT_Republic2.DeclareFields({
        wide("ZEL_user", 20),
        autoInc("id_republics"),
        wide("republic", 50),
    });
    dm.ADOT_District.SetTableName(QStringLiteral("DistrictKR"));
    dm.ADOT_District.DeclareFields({
        smallint("IDDistrict", true),
        text("NameDistrict", 25),
    });

    const AddressLists birth{dm.ADOT_Republic, dm.ADOQ_Area, dm.ADOQ_Region, dm.ADOQ_City, dm.ADOQ_Village,
                             "id_regionKR", 50};
    dm.ADOQ_Place_of_birth.DeclareFields(joined(
        {
            text("ZEL_User", 20),
            date("ZEL_Update"),
            autoInc("id_place_of_birth"),
            integer("id_teacher"),
            smallint("id_regionKR"),
            smallint("id_districtKR"),
            integer("id_cityKR"),
            integer("id_villageKR"),
            integer("id_republic"),
        },
        nameLookups(birth)));

    const AddressLists living{dm.ADOT_Republic2, dm.ADOQ_AreaNow, dm.ADOQ_RegionNow, dm.ADOQ_CityNow,
                              dm.ADOQ_VillageNow, "id_ragionKR", 50};
    dm.ADOQ_place_leave.DeclareFields(joined(
        {
            text("ZEL_User", 20),
            date("ZEL_Update"),
            autoInc("id_place_leave"),
            integer("id_teacher"),
            smallint("id_ragionKR"),
            smallint("id_districtKR"),
            integer("id_cityKR"),
            integer("id_villageKR"),
            integer("id_republic"),
            text("Address", 40),
        },
        nameLookups(living)));

    // City and village names of the registration record are 20 characters wide.
    AddressLists registration = living;
    registration.regionKey = "id_regionKR";
    registration.cityVillageSize = 20;
    dm.ADOQ_PlaceResidence.DeclareFields(joined(
        {
            integer("id_teacher"),
            integer("id_republic"),
            integer("id_regionKR"),
            integer("id_districtKR"),
            integer("id_cityKR"),
            integer("id_villageKR"),
            text("Address", 40),
            text("ZEL_User", 20),
            dateTime("ZEL_Update"),
            integer("id_place_of_residence"),
        },
        nameLookups(registration)));
}

}  // namespace zel
