#include "DemoDatabaseFixture.h"

using zel::db::RowSet;

class AddressProceduresTest : public DemoDatabaseFixture {
protected:
    static QStringList names(const RowSet& rows)
    {
        QStringList out;
        for (int r = 0; r < rows.rowCount(); ++r)
            out << rows.text(r, 1);
        return out;
    }
};

TEST_F(AddressProceduresTest, RepublicsAreVisibleOnesInNameOrder)
{
    const RowSet rows = call(QStringLiteral("Ab_RepublicProcSchool"), {});
    ASSERT_EQ(rows.columnCount(), 2);
    EXPECT_EQ(rows.columns()[0].name, QStringLiteral("id_republics"));
    EXPECT_EQ(rows.columns()[1].name, QStringLiteral("republic"));
    const QStringList list = names(rows);
    EXPECT_EQ(qint64(list.size()), scalar(QStringLiteral("SELECT count(*) FROM Republics WHERE visible = 1")));
    QStringList sorted = list;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.toLower() < b.toLower(); });
    EXPECT_EQ(list, sorted);
}

TEST_F(AddressProceduresTest, EachLevelReturnsKeysOfItsTableUnderTheParent)
{
    const qint64 republic = scalar(QStringLiteral("SELECT id_republics FROM Republics WHERE republic = 'Кыргызская Республика'"));
    const RowSet regions = call(QStringLiteral("ab_RegionProcSchool"), {republic});
    EXPECT_EQ(regions.columns()[0].name, QStringLiteral("RegionEducat"));
    EXPECT_EQ(regions.columns()[1].name, QStringLiteral("NameRegion"));
    EXPECT_EQ(qint64(regions.rowCount()),
              scalar(QStringLiteral("SELECT count(*) FROM RegionKR WHERE id_republic = %1 AND visible = 1").arg(republic)));
    EXPECT_FALSE(names(regions).contains(QStringLiteral("Фрунзенская область")));  // hidden

    const qint64 region = regions.integer(0, 0);
    EXPECT_EQ(text(QStringLiteral("SELECT NameRegion FROM RegionKR WHERE IDRegion = %1").arg(region)), regions.text(0, 1));
    const RowSet districts = call(QStringLiteral("ab_DistrictProcSchool"), {region});
    EXPECT_EQ(districts.columns()[0].name, QStringLiteral("DistrictEducat"));
    EXPECT_GT(districts.rowCount(), 0);

    const qint64 sokuluk = scalar(QStringLiteral("SELECT IDDistrict FROM DistrictKR WHERE NameDistrict = 'Сокулукский район'"));
    const RowSet cities = call(QStringLiteral("ab_CityProcSchool"), {sokuluk});
    const RowSet villages = call(QStringLiteral("ab_VillageProcSchool"), {sokuluk});
    EXPECT_EQ(cities.columns()[0].name, QStringLiteral("CityEducat"));
    EXPECT_EQ(villages.columns()[0].name, QStringLiteral("VillageEducat"));
    EXPECT_EQ(names(cities), QStringList{QStringLiteral("Шопоков")});
    EXPECT_EQ(villages.rowCount(), 4);
}

TEST_F(AddressProceduresTest, EmptyDistrictAndMissingParentGiveNoRows)
{
    const qint64 ton = scalar(QStringLiteral("SELECT IDDistrict FROM DistrictKR WHERE NameDistrict = 'Тонский район'"));
    EXPECT_EQ(call(QStringLiteral("ab_CityProcSchool"), {ton}).rowCount(), 0);
    EXPECT_EQ(call(QStringLiteral("ab_VillageProcSchool"), {ton}).rowCount(), 0);
    EXPECT_EQ(call(QStringLiteral("ab_RegionProcSchool"), {QVariant()}).rowCount(), 0);
    EXPECT_EQ(call(QStringLiteral("ab_RegionProcSchool"), {999}).rowCount(), 0);
    EXPECT_THROW(call(QStringLiteral("ab_RegionProcSchool"), {1, 2}), zel::DbError);
}
