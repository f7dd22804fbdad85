#include "server/demo/SeedWriter.h"
#include "server/schema/MssqlSchemaScript.h"
#include "server/schema/PersonnelSchema.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteSchemaWriter.h"
#include "server/schema/SqliteStatement.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace zel::server::schema;

namespace {
// Columns the program reads or writes, table by table.
const std::vector<std::pair<const char*, const char*>> kRequiredColumns = {
    {"TEACHER", "id_teacher p26 p27 p28 ZEL_User ZEL_Update status"},
    {"TEACHER_info", "id_teacher_info id_teacher id_uch_stepen id_uch_zvanie D_b Phon_w Phone phone_mobile D_z "
                     "id_nationality id_citizenship id_pol nauch_r id_rang ZEL_User ZEL_Update id_soc_pr eMail "
                     "first_p26 num_date_f_p26"},
    {"Pensioners", "id_pensioner id_teacher date id_district ZEL_user ZEL_update pensioner"},
    {"Teacher_Del", "id_teacher"},
    {"Educ", "ZEL_User ZEL_Update id_educ id_edu Date_enter Date_End Faculty id_educ_t id_quit_course id_special "
             "id_teacher Diploma_No id_diploma_kval vuz"},
    {"family_", "ZEL_User ZEL_Update id_family id_family_s Date_of_birth Address Org_Address id_teacher "
                "id_family_status id_family_job p26 p27 p28"},
    {"Experience", "ZEL_User ZEL_Update Gov_Service On_Owners specialty_s Total_s Unbreakable ID_TEACHER specialty "
                   "id_experience teacher_s Total_sDate teacher_sDate"},
    {"Kvalifikation", "ZEL_User ZEL_Update id_kvalification place sertifikate ID_TEACHER date_1 date_2 kvalifikation "
                      "theme id_trudoem"},
    {"Work", "ZEL_User ZEL_Update id_Work Doljnost Name_org Adress Phone FIO_Dir Salary Date_Enter Date_Quit ID_TEACHER "
             "id_type_job descr Enter_numPrikaz Quit_numPrikaz First_Check"},
    {"Nagrada", "ZEL_User ZEL_Update id_teacher By_who id_nagrada nagrada date_get"},
    {"Abroad", "ZEL_User ZEL_Update id_abroad purchose date_begin date_end id_teacher orderNum orderDate country"},
    {"Elect_org", "ZEL_User ZEL_Update id_organ address elected_as year_elect year_End id_teacher organ"},
    {"Partiya", "name date id_teacher ZEL_User id_partia"},
    {"Holiday", "id_vacation id_teacher Date_begin Date_End id_vacation_t from_d to_d N_prikaz Date_Prikaz otz_prik "
                "otz_from_d ZEL_User ZEL_Update otz_pr_date N_Days Not_used_days not_used_pay_days"},
    {"mil_card_", "ZEL_User ZEL_Update id_mil_card id_mil_name id_valid voencom id_R_voisk Sostav id_teacher "
                  "Voinsk_uchet Vus"},
    {"Language_OPTIONS", "ZEL_User ZEL_Update id_lang_options id_lang id_level id_teacher"},
    {"Passport", "id_pasport id_teacher S_p N_p D_given_p id_passport_organ INN BessrochnyiPasport ZEL_User"},
    {"photo", "id_photo id_teacher photo ZEL_User"},
    {"teacher_medosmotr", "id_teacher_medosmotr id_teacher medosmotr medosmotr_date Descpintion"},
    {"obrazovanie_teacher", "id_obrazovanie_teacher id_teacher id_teacher_struktura Dates Number id_teacher_stepen id_user"},
    {"Edu", "id_edu education"}, {"Educ_t", "id_educ_t Educ_type"}, {"Quit_Course", "id_quit_course cource"},
    {"specialPUM", "id_special id_direction p25-1 p25-2 id_opl ZEL_User"},
    {"diploma_kval", "id_diploma_kval diploma_kval ZEL_User"}, {"Family_s", "id_family_s stepen"},
    {"Family", "id_family p15 oper u_date"}, {"Family_spec", "id_family_job job_specification"},
    {"Holliday_t", "id_vacation_t Holiday_type"}, {"nationality", "IDNationality Nationality"},
    {"pol", "id_pol p17"}, {"Soc_pr", "id_soc_pr soc_status ZEL_User"}, {"Uch_step", "id_uch_stepen k5 ZEL_User"},
    {"uch_zvanie", "id_uch_zvanie k6 ZEL_User"}, {"Rang", "id_rang rang ZEL_User"},
    {"MVD_pasport", "IDMVD CodeMVD ZEL_User"}, {"Level", "id_Level l_level"}, {"languages", "id_lang lang"},
    {"Mil_name", "ID_mil_name mil_name ZEL_User"}, {"Mil_R_Voisk", "id_r_voisk R_voisk ZEL_User"},
    {"Mil_valid", "id_valid valid"}, {"base", "id_base_over base_over"},
    {"HighQualification", "id_qualification qualification"}, {"Trudoem", "id_trudoem trudoem"},
    {"teacher_struktura", "id_teacher_struktura teacher_struktura s_teacher_struktura"},
    {"teacher_stepen", "id_teacher_stepen teacher_stepen"}, {"vuz", ""}, {"t_fio", ""},
    {"Republics", "ZEL_user id_republics republic visible"}, {"RegionKR", "IDRegion NameRegion id_republic visible"},
    {"DistrictKR", "IDDistrict NameDistrict IDRegion visible"}, {"CityKR", "IDCity NameCity IDDistrict visible"},
    {"VillageKR", "IDVillage NameVillage IDDistrict visible"},
    {"Citizenship", "IDCitizenship Citizenship id_country"}, {"Country", ""},
    {"Place_of_birth", "ZEL_User ZEL_Update id_place_of_birth id_teacher id_regionKR id_districtKR id_cityKR "
                       "id_villageKR id_republic"},
    {"place_leave", "ZEL_User ZEL_Update id_place_leave id_teacher id_ragionKR id_districtKR id_cityKR id_villageKR "
                    "id_republic Address"},
    {"Place_of_residence", "id_teacher id_republic id_regionKR id_districtKR id_cityKR id_villageKR Address ZEL_User "
                           "ZEL_Update id_place_of_residence"},
    {"ZEL_LOG", "table row_id descr ZEL_User comp"}, {"VuzDefaults", "id_vuz_defaults n_field"},
};

QString declaredType(sqlite3* db, const QString& table, const QString& column)
{
    const char* type = nullptr;
    const char* collation = nullptr;
    int notNull = 0, primaryKey = 0, autoIncrement = 0;
    if (sqlite3_table_column_metadata(db, nullptr, table.toUtf8().constData(), column.toUtf8().constData(), &type,
                                      &collation, &notNull, &primaryKey, &autoIncrement) != SQLITE_OK)
        return {};
    return QString::fromUtf8(type) + QLatin1Char('|') + QString::fromUtf8(collation);
}

QString committedScript(const char* name)
{
    QFile file(qEnvironmentVariable("ZEL_SOURCE_DIR") + QStringLiteral("/sql/mssql/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing ") + file.fileName() + QLatin1Char('>');
    return QString::fromUtf8(file.readAll());
}

class SchemaTest : public ::testing::Test {
protected:
    void SetUp() override { SqliteSchemaWriter::create(connection.handle()); }
    SqliteConnection connection;
};
}  // namespace

TEST_F(SchemaTest, EveryColumnTheProgramUsesExists)
{
    for (const auto& [table, columns] : kRequiredColumns) {
        const bool isView = QLatin1String(table) == QLatin1String("Teacher_Del");
        if (isView) {
            EXPECT_NO_THROW(SqliteStatement(connection.handle(), QStringLiteral("SELECT %1 FROM %2")
                                                                     .arg(QLatin1String(columns), QLatin1String(table))));
            continue;
        }
        ASSERT_NE(PersonnelSchema::findTable(QString::fromLatin1(table)), nullptr) << table;
        for (const QString& column : QString::fromLatin1(columns).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            EXPECT_FALSE(declaredType(connection.handle(), QString::fromLatin1(table), column).isEmpty())
                << table << "." << column.toStdString();
    }
}

TEST_F(SchemaTest, DeclaredTypesKeepSqlServerNamesAndSizes)
{
    sqlite3* db = connection.handle();
    EXPECT_EQ(declaredType(db, "Passport", "INN"), QStringLiteral("char(12)|ZEL_CI"));
    EXPECT_EQ(declaredType(db, "TEACHER", "p26"), QStringLiteral("varchar(50)|ZEL_CI"));
    EXPECT_EQ(declaredType(db, "Pensioners", "ZEL_user"), QStringLiteral("nchar(10)|ZEL_CI"));
    EXPECT_EQ(declaredType(db, "family_", "p26"), QStringLiteral("nchar(20)|ZEL_CI"));
    EXPECT_EQ(declaredType(db, "Republics", "republic"), QStringLiteral("nvarchar(50)|ZEL_CI"));
    EXPECT_EQ(declaredType(db, "DistrictKR", "NameDistrict"), QStringLiteral("varchar(25)|ZEL_CI"));
    EXPECT_EQ(declaredType(db, "place_leave", "id_ragionKR"), QStringLiteral("smallint|BINARY"));
    EXPECT_EQ(declaredType(db, "Work", "Salary"), QStringLiteral("decimal(18,0)|BINARY"));
    EXPECT_EQ(declaredType(db, "photo", "photo"), QStringLiteral("image|BINARY"));
    EXPECT_EQ(declaredType(db, "TEACHER", "ZEL_Update"), QStringLiteral("date|BINARY"));
    EXPECT_EQ(declaredType(db, "Place_of_residence", "ZEL_Update"), QStringLiteral("datetime|BINARY"));
    EXPECT_EQ(declaredType(db, "Experience", "Total_s"), QStringLiteral("float|BINARY"));
    EXPECT_EQ(declaredType(db, "TEACHER", "status"), QStringLiteral("bit|BINARY"));
    EXPECT_EQ(declaredType(db, "TEACHER", "id_teacher"), QStringLiteral("INTEGER|BINARY"));
    EXPECT_EQ(SqliteSchemaWriter::declaredType(QStringLiteral("varbinary(max)")), QStringLiteral("varbinary"));
    EXPECT_EQ(SqliteSchemaWriter::declaredType(QStringLiteral("nvarchar(MAX)")), QStringLiteral("nvarchar"));
}

TEST_F(SchemaTest, EveryTextColumnComparesWithTheServerCollation)
{
    for (const TableDefinition& table : PersonnelSchema::tables())
        for (const ColumnDefinition& column : table.columns) {
            const QString type = declaredType(connection.handle(), table.name, column.name);
            ASSERT_FALSE(type.isEmpty()) << table.name.toStdString() << "." << column.name.toStdString();
            EXPECT_EQ(type.endsWith(QLatin1String("|ZEL_CI")), SqliteSchemaWriter::isTextType(column.type))
                << table.name.toStdString() << "." << column.name.toStdString();
        }
}

TEST_F(SchemaTest, IdentitiesAreAssignedAndEveryEmployeeKeyIsIndexed)
{
    execute(connection.handle(), QStringLiteral("INSERT INTO TEACHER (p26) VALUES ('Д''Арк')"));
    execute(connection.handle(), QStringLiteral("INSERT INTO TEACHER (p26) VALUES ('Иванов')"));
    SqliteStatement ids(connection.handle(), QStringLiteral("SELECT group_concat(id_teacher) FROM TEACHER"));
    ASSERT_TRUE(ids.step());
    EXPECT_EQ(ids.text(0), QStringLiteral("1,2"));

    for (const TableDefinition* table : PersonnelSchema::employeeTables()) {
        SqliteStatement indexed(connection.handle(), QStringLiteral(
            "SELECT count(*) FROM pragma_index_list(?1) l JOIN pragma_index_info(l.name) i "
            "WHERE i.seqno = 0 AND i.name = ?2 COLLATE NOCASE"));
        indexed.bind(1, table->name);
        indexed.bind(2, table->employeeKey);
        ASSERT_TRUE(indexed.step());
        EXPECT_GE(indexed.integer(0), 1) << table->name.toStdString();
    }
}

TEST_F(SchemaTest, TeacherDelListsEmployeesWithWorkload)
{
    sqlite3* db = connection.handle();
    execute(db, QStringLiteral("INSERT INTO TEACHER (p26) VALUES ('А'), ('Б')"));
    execute(db, QStringLiteral("INSERT INTO Teacher_Nagruzka (id_teacher, hours) VALUES (2, 300), (2, 120)"));
    SqliteStatement listed(db, QStringLiteral("SELECT group_concat(id_teacher) FROM Teacher_Del"));
    ASSERT_TRUE(listed.step());
    EXPECT_EQ(listed.text(0), QStringLiteral("2"));  // once, although two workload rows
}

TEST(MssqlScripts, CommittedScriptsAreTheGeneratedOnes)
{
    EXPECT_EQ(committedScript("01_schema.sql").toStdString(), MssqlSchemaScript::text().toStdString())
        << "run: zel4-admin mssql-scripts --out sql/mssql";
    EXPECT_EQ(committedScript("04_dictionaries.sql").toStdString(),
              zel::server::demo::SeedWriter::dictionaryScript().toStdString());
}

TEST(MssqlScripts, SchemaScriptDeclaresIdentitiesKeysAndLeavesOutInternalTables)
{
    const QString script = MssqlSchemaScript::text();
    EXPECT_TRUE(script.contains(QStringLiteral("[id_teacher] int IDENTITY(1,1) NOT NULL")));
    EXPECT_TRUE(script.contains(QStringLiteral("[IDDistrict] smallint IDENTITY(1,1) NOT NULL")));
    EXPECT_TRUE(script.contains(QStringLiteral("CONSTRAINT [PK_TEACHER] PRIMARY KEY CLUSTERED ([id_teacher])")));
    EXPECT_TRUE(script.contains(QStringLiteral("[p25-2] varchar(300) NULL")));
    EXPECT_TRUE(script.contains(QStringLiteral("CREATE OR ALTER VIEW [dbo].[Teacher_Del]")));
    EXPECT_TRUE(script.contains(QStringLiteral("[INN] char(12) NULL")));
    EXPECT_FALSE(script.contains(QStringLiteral("zel_")));
}

TEST(MssqlScripts, LiteralsDoubleQuotesAndKeepCyrillic)
{
    using zel::server::demo::SeedWriter;
    EXPECT_EQ(SeedWriter::tsqlLiteral(QStringLiteral("Д'Арк")), QStringLiteral("N'Д''Арк'"));
    EXPECT_EQ(SeedWriter::tsqlLiteral(QVariant()), QStringLiteral("NULL"));
    EXPECT_EQ(SeedWriter::tsqlLiteral(22), QStringLiteral("22"));
}

TEST(MssqlScripts, HandWrittenProceduresCoverEveryEmployeeTable)
{
    const QString procedures = committedScript("02_procedures.sql");
    for (const TableDefinition* table : PersonnelSchema::employeeTables())
        EXPECT_TRUE(procedures.contains(QStringLiteral("DELETE FROM [dbo].[%1] WHERE [%2] = @id_teacher")
                                            .arg(table->name, table->employeeKey)))
            << table->name.toStdString();
    for (const char* name : {"GET_USER", "CopyDataFromTeacher", "DeleteTeacher", "DeleteTeacher2",
                             "Update_Family_Staus", "Ab_RepublicProcSchool", "ab_RegionProcSchool",
                             "ab_DistrictProcSchool", "ab_CityProcSchool", "ab_VillageProcSchool"})
        EXPECT_TRUE(procedures.contains(QStringLiteral("CREATE OR ALTER PROCEDURE [dbo].[%1]").arg(QLatin1String(name)))) << name;
}

TEST_F(SchemaTest, DatesAreStoredInTheServersTextForm)
{
    SqliteStatement insert(connection.handle(), QStringLiteral(
        "INSERT INTO Passport (id_teacher, D_given_p, ZEL_Update) VALUES (NULL, ?1, ?2)"));
    insert.bind(1, QDateTime(QDate(2026, 1, 5), QTime(7, 8, 9, 12), Qt::UTC));
    insert.bind(2, QDate(987, 12, 31));
    insert.run();
    SqliteStatement select(connection.handle(), QStringLiteral("SELECT D_given_p, ZEL_Update FROM Passport"));
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.text(0), QStringLiteral("2026-01-05 07:08:09.012"));
    EXPECT_EQ(select.text(1), QStringLiteral("0987-12-31"));
}
