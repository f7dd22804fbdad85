#include "DemoDatabaseFixture.h"

#include "data/SqlType.h"
#include "server/demo/DemoNames.h"
#include "server/demo/DemoPhoto.h"
#include "server/schema/PersonnelSchema.h"

#include <QTemporaryDir>

using namespace zel::server;

class DemoDatabaseTest : public DemoDatabaseFixture {};

TEST_F(DemoDatabaseTest, HasTheRequestedEmployeesAndTheReservedRow)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM TEACHER")), kEmployees + 1);
    EXPECT_EQ(text(QStringLiteral("SELECT p26 FROM TEACHER WHERE id_teacher = 1")), QStringLiteral("Служебная запись"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM Teacher_Del WHERE id_teacher = 1")), 0);
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM Teacher_Del")), 0);
    EXPECT_EQ(text(QStringLiteral("SELECT n_field FROM VuzDefaults WHERE id_vuz_defaults = 22")),
              QStringLiteral("http://127.0.0.1:8089"));
    EXPECT_EQ(text(QStringLiteral("SELECT value FROM zel_settings WHERE name = 'database_name'")), QStringLiteral("ZEL"));
    EXPECT_EQ(s_summary.databaseAccounts.front().login, QStringLiteral("zel_boot"));
    EXPECT_EQ(s_summary.clerks.size(), 5u);
}

TEST_F(DemoDatabaseTest, CardsDifferSectionBySection)
{
    const auto without = [](const char* table) {
        return scalar(QStringLiteral("SELECT count(*) FROM TEACHER t WHERE id_teacher > 1 AND NOT EXISTS "
                                     "(SELECT 1 FROM %1 x WHERE x.id_teacher = t.id_teacher)").arg(QLatin1String(table)));
    };
    for (const char* table : {"photo", "family_", "Pensioners", "mil_card_", "Passport"}) {
        EXPECT_GT(without(table), 0) << table;
        EXPECT_LT(without(table), kEmployees) << table;
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM photo WHERE photo IS NOT NULL AND hex(substr(photo, 1, 2)) <> '424D'")), 0);
    // Relatives of one employee share the employee's family status.
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM (SELECT id_teacher FROM family_ GROUP BY id_teacher "
                                    "HAVING count(DISTINCT id_family_status) > 1)")), 0);
    // Addresses use the picker's fixed keys for the level not chosen.
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM Place_of_birth WHERE NOT (id_cityKR = 200 OR id_villageKR = 2000)")), 0);
}

TEST_F(DemoDatabaseTest, EveryKeyNamesAnExistingRow)
{
    const std::pair<const char*, const char*> references[] = {
        {"SELECT count(*) FROM TEACHER_info i LEFT JOIN pol p ON p.id_pol = i.id_pol WHERE p.id_pol IS NULL", ""},
        {"SELECT count(*) FROM Educ e LEFT JOIN specialPUM s ON s.id_special = e.id_special WHERE s.id_special IS NULL", ""},
        {"SELECT count(*) FROM Place_of_birth b LEFT JOIN DistrictKR d ON d.IDDistrict = b.id_districtKR WHERE d.IDDistrict IS NULL", ""},
        {"SELECT count(*) FROM Place_of_residence b LEFT JOIN RegionKR r ON r.IDRegion = b.id_regionKR WHERE r.IDRegion IS NULL", ""},
        {"SELECT count(*) FROM family_ f LEFT JOIN Family s ON s.id_family = f.id_family_status WHERE s.id_family IS NULL", ""},
        {"SELECT count(*) FROM Holiday h LEFT JOIN Holliday_t t ON t.id_vacation_t = h.id_vacation_t WHERE t.id_vacation_t IS NULL", ""},
        {"PRAGMA foreign_key_check", ""},
    };
    for (const auto& [sql, unused] : references) {
        Q_UNUSED(unused);
        EXPECT_LE(scalar(QString::fromLatin1(sql)), 0) << sql;
    }
}

TEST_F(DemoDatabaseTest, EveryTextFitsItsDeclaredWidth)
{
    for (const schema::TableDefinition& table : schema::PersonnelSchema::tables())
        for (const schema::ColumnDefinition& column : table.columns) {
            int size = 0;
            const zel::db::SqlType type = zel::db::parseSqlTypeName(column.type, &size);
            if (!zel::db::isTextType(type) || size <= 0)
                continue;
            const qint64 longest = scalar(QStringLiteral("SELECT ifnull(max(length(\"%1\")), 0) FROM \"%2\"")
                                              .arg(column.name, table.name));
            EXPECT_LE(longest, size) << table.name.toStdString() << "." << column.name.toStdString();
        }
}

TEST_F(DemoDatabaseTest, NamesCoverBothSexesYoAndApostrophes)
{
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM TEACHER_info WHERE id_pol = 1")), 0);
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM TEACHER_info WHERE id_pol = 2")), 0);
    std::mt19937 random(3);
    bool yo = false;
    bool apostrophe = false;
    for (int i = 0; i < 2000; ++i) {
        const demo::PersonName name = demo::DemoNames::random(random, i % 2 == 0);
        const QString all = name.surname + name.name + name.patronymic;
        yo = yo || all.contains(QStringLiteral("ё")) || all.contains(QStringLiteral("Ё"));
        apostrophe = apostrophe || all.contains(QLatin1Char('\''));
    }
    EXPECT_TRUE(yo);
    EXPECT_TRUE(apostrophe);
    EXPECT_EQ(demo::DemoNames::femaleSurname(QStringLiteral("Королёв")), QStringLiteral("Королёва"));
    EXPECT_EQ(demo::DemoNames::femaleSurname(QStringLiteral("Достоевский")), QStringLiteral("Достоевская"));
    EXPECT_EQ(demo::DemoNames::femaleSurname(QStringLiteral("Д'Арк")), QStringLiteral("Д'Арк"));
}

TEST(DemoPhoto, IsAWellFormedBitmap)
{
    const QByteArray bmp = demo::DemoPhoto::bitmap(3);
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    const auto u32 = [&](int at) {
        return quint32(quint8(bmp[at])) | quint32(quint8(bmp[at + 1])) << 8 | quint32(quint8(bmp[at + 2])) << 16
            | quint32(quint8(bmp[at + 3])) << 24;
    };
    EXPECT_EQ(u32(2), quint32(bmp.size()));
    EXPECT_EQ(u32(18), quint32(demo::DemoPhoto::kWidth));
    EXPECT_EQ(u32(22), quint32(demo::DemoPhoto::kHeight));
    EXPECT_EQ(u32(10) + u32(34), quint32(bmp.size()));
    EXPECT_EQ(demo::DemoPhoto::bitmap(3), demo::DemoPhoto::bitmap(3 + demo::DemoPhoto::kVariants));
    EXPECT_NE(demo::DemoPhoto::bitmap(3), demo::DemoPhoto::bitmap(4));
}

TEST(DemoFile, SameSeedSameDataAndExistingFilesAreKept)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("a.db"));
    const QString second = dir.filePath(QStringLiteral("b.db"));
    createDemoDatabase(first, 25, 7);
    createDemoDatabase(second, 25, 7);
    const auto names = [](const QString& path) {
        schema::SqliteConnection connection(path, schema::SqliteConnection::Mode::OpenExisting);
        schema::SqliteStatement select(connection.handle(),
                                       QStringLiteral("SELECT group_concat(p26 || p27, ',') FROM TEACHER"));
        select.step();
        return select.text(0);
    };
    EXPECT_EQ(names(first), names(second));
    EXPECT_FALSE(names(first).isEmpty());

    EXPECT_THROW(createDemoDatabase(first, 5, 1), zel::DbError);
    EXPECT_EQ(names(first), names(second));  // the existing file is untouched
}
