#include "server/schema/SchemaBuilder.h"
#include "server/schema/SchemaParts.h"

namespace zel::server::schema::parts {

using namespace build;

namespace {
ColumnDefinition visibleFlag()
{
    return withDefault(notNull(column("visible", "bit")), "1", "1");
}
}  // namespace

std::vector<TableDefinition> addressTables()
{
    std::vector<TableDefinition> tables;

    tables.push_back(table("Republics", {
        column("ZEL_user", "nvarchar(20)"),
        identity("id_republics"),
        column("republic", "nvarchar(50)"),
        visibleFlag(),
    }));
    // No foreign keys between the levels: the picker stores fixed keys
    // (11, 300, 200, 2000) for an empty level, which need not exist.
    tables.push_back(withIndex(table("RegionKR", {
        identity("IDRegion", "smallint"),
        column("NameRegion", "varchar(50)"),
        column("id_republic", "int"),
        visibleFlag(),
    }), {"id_republic"}));
    tables.push_back(withIndex(table("DistrictKR", {
        identity("IDDistrict", "smallint"),
        column("NameDistrict", "varchar(25)"),
        column("IDRegion", "smallint"),
        visibleFlag(),
    }), {"IDRegion"}));
    tables.push_back(withIndex(table("CityKR", {
        identity("IDCity"),
        column("NameCity", "varchar(50)"),
        column("IDDistrict", "smallint"),
        visibleFlag(),
    }), {"IDDistrict"}));
    tables.push_back(withIndex(table("VillageKR", {
        identity("IDVillage"),
        column("NameVillage", "varchar(50)"),
        column("IDDistrict", "smallint"),
        visibleFlag(),
    }), {"IDDistrict"}));

    tables.push_back(table("Country", {
        identity("id_country"),
        column("country", "varchar(50)"),
        column("code", "char(3)"),
    }));
    tables.push_back(table("Citizenship", {
        identity("IDCitizenship"),
        column("Citizenship", "varchar(25)"),
        column("id_country", "int"),
    }));

    tables.push_back(employeeTable("Place_of_birth", CardRole::SingleRow, "id_teacher", {
        zelUser(),
        zelUpdate(),
        identity("id_place_of_birth"),
        column("id_teacher", "int"),
        column("id_regionKR", "smallint"),
        column("id_districtKR", "smallint"),
        column("id_cityKR", "int"),
        column("id_villageKR", "int"),
        column("id_republic", "int"),
    }));
    tables.push_back(employeeTable("place_leave", CardRole::SingleRow, "id_teacher", {
        zelUser(),
        zelUpdate(),
        identity("id_place_leave"),
        column("id_teacher", "int"),
        column("id_ragionKR", "smallint"),
        column("id_districtKR", "smallint"),
        column("id_cityKR", "int"),
        column("id_villageKR", "int"),
        column("id_republic", "int"),
        column("Address", "varchar(40)"),
    }));
    tables.push_back(employeeTable("Place_of_residence", CardRole::SingleRow, "id_teacher", {
        column("id_teacher", "int"),
        column("id_republic", "int"),
        column("id_regionKR", "int"),
        column("id_districtKR", "int"),
        column("id_cityKR", "int"),
        column("id_villageKR", "int"),
        column("Address", "varchar(40)"),
        zelUser(),
        column("ZEL_Update", "datetime"),
        identity("id_place_of_residence"),
    }));

    return tables;
}

}  // namespace zel::server::schema::parts
