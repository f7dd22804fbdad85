#include "server/procedures/Procedures.h"

#include "server/procedures/ProcedureArguments.h"
#include "server/procedures/ProcedureResult.h"
#include "server/schema/SqliteStatement.h"

namespace zel::server::procedures {

namespace {
struct Level {
    const char* procedure;
    const char* parameter;    ///< nullptr for the top level
    const char* keyColumn;    ///< as the picker reads it
    const char* nameColumn;
    int nameSize;
    const char* select;       ///< ?1 = the parent key
};

// Only places marked visible are offered; names in the server's collation order.
constexpr Level kRepublic{"Ab_RepublicProcSchool", nullptr, "id_republics", "republic", 50,
                          "SELECT id_republics, republic FROM Republics WHERE visible = 1 "
                          "ORDER BY republic, id_republics"};
constexpr Level kRegion{"ab_RegionProcSchool", "@id_republic", "RegionEducat", "NameRegion", 50,
                        "SELECT IDRegion, NameRegion FROM RegionKR WHERE id_republic = ?1 AND visible = 1 "
                        "ORDER BY NameRegion, IDRegion"};
constexpr Level kDistrict{"ab_DistrictProcSchool", "@id_region", "DistrictEducat", "NameDistrict", 25,
                          "SELECT IDDistrict, NameDistrict FROM DistrictKR WHERE IDRegion = ?1 AND visible = 1 "
                          "ORDER BY NameDistrict, IDDistrict"};
constexpr Level kCity{"ab_CityProcSchool", "@id_district", "CityEducat", "NameCity", 50,
                      "SELECT IDCity, NameCity FROM CityKR WHERE IDDistrict = ?1 AND visible = 1 "
                      "ORDER BY NameCity, IDCity"};
constexpr Level kVillage{"ab_VillageProcSchool", "@id_district", "VillageEducat", "NameVillage", 50,
                         "SELECT IDVillage, NameVillage FROM VillageKR WHERE IDDistrict = ?1 AND visible = 1 "
                         "ORDER BY NameVillage, IDVillage"};

void list(const Level& level, ProcedureContext& context, const Arguments& arguments)
{
    QStringList parameters;
    if (level.parameter)
        parameters << QString::fromLatin1(level.parameter);
    const ProcedureArguments args(QString::fromLatin1(level.procedure), parameters, arguments);
    ProcedureResult result(context.result, {{level.keyColumn, db::SqlType::Int},
                                            {level.nameColumn, db::SqlType::VarChar, level.nameSize}});
    schema::SqliteStatement select(context.db, QString::fromLatin1(level.select));
    if (level.parameter) {
        const std::optional<qint64> parent = args.optionalInteger(0);
        if (!parent)
            return;  // no parent chosen: nothing below it
        select.bind(1, *parent);
    }
    while (select.step())
        result.addRow({select.integer(0), select.isNull(1) ? QVariant() : QVariant(select.text(1))});
}
}  // namespace

void republicList(ProcedureContext& context, const Arguments& arguments)
{
    list(kRepublic, context, arguments);
}

void regionList(ProcedureContext& context, const Arguments& arguments)
{
    list(kRegion, context, arguments);
}

void districtList(ProcedureContext& context, const Arguments& arguments)
{
    list(kDistrict, context, arguments);
}

void cityList(ProcedureContext& context, const Arguments& arguments)
{
    list(kCity, context, arguments);
}

void villageList(ProcedureContext& context, const Arguments& arguments)
{
    list(kVillage, context, arguments);
}

}  // namespace zel::server::procedures
