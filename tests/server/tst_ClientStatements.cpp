// Every statement text the client program sends, run against the demo database
// through the embedded server: the columns it relies on and the shape of the rows.
#include "QtPrinters.h"
#include "data/ConnectionParams.h"
#include "data/DbError.h"
#include "data/PasswordHash.h"
#include "server/demo/DemoDatabase.h"
#include "server/engine/EmbeddedDriver.h"
#include "server/engine/TextFolding.h"
#include "server/procedures/ServerModules.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

using zel::DbError;
using zel::db::ConnectionParams;
using zel::db::RowSet;
using zel::server::EmbeddedDriver;

namespace {

class ClientStatements : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        zel::server::installServerModules();
        s_dir = new QTemporaryDir;
        s_path = s_dir->filePath(QStringLiteral("zel.db"));
        s_summary = zel::server::createDemoDatabase(s_path, 60, 4);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    std::unique_ptr<EmbeddedDriver> connect(const QString& login)
    {
        QString password;
        for (const auto& a : s_summary.databaseAccounts)
            if (a.login == login)
                password = a.password;
        auto driver = std::make_unique<EmbeddedDriver>();
        driver->open(ConnectionParams::parse(QStringLiteral("Provider=SQLOLEDB.1;User ID=%1;Password=%2;Initial Catalog=%3;Data Source=%4")
                                                 .arg(login, password, s_summary.databaseName, s_path)));
        return driver;
    }

    RowSet query(EmbeddedDriver& driver, const QString& sql)
    {
        RowSet rows;
        try {
            driver.query(sql, rows);
        } catch (const DbError& e) {
            ADD_FAILURE() << sql.toStdString() << "\n  -> " << e.message().toStdString();
        }
        return rows;
    }

    static void expectColumns(const RowSet& rows, const QStringList& names, const QString& sql)
    {
        for (const auto& name : names)
            EXPECT_GE(rows.columnIndex(name), 0) << sql.toStdString() << " lacks column " << name.toStdString();
    }

    // Rows are in ascending order of column (NULLs first, texts in the server's collation).
    static void expectOrdered(const RowSet& rows, const QString& column, const QString& sql)
    {
        const int c = rows.columnIndex(column);
        ASSERT_GE(c, 0) << sql.toStdString();
        for (int r = 1; r < rows.rowCount(); ++r) {
            if (rows.isNull(r - 1, c))
                continue;
            ASSERT_FALSE(rows.isNull(r, c)) << sql.toStdString() << " row " << r;
            if (rows.kindOf(c) == zel::db::CellKind::Text) {
                EXPECT_LE(zel::server::TextFolding::compare(rows.textView(r - 1, c), rows.textView(r, c)), 0)
                    << sql.toStdString() << " row " << r;
            } else {
                EXPECT_LE(rows.value(r - 1, c).toDouble() + rows.value(r - 1, c).toDateTime().toMSecsSinceEpoch(),
                          rows.value(r, c).toDouble() + rows.value(r, c).toDateTime().toMSecsSinceEpoch())
                    << sql.toStdString() << " row " << r;
            }
        }
    }

    static QTemporaryDir* s_dir;
    static QString s_path;
    static zel::server::DemoSummary s_summary;
};

QTemporaryDir* ClientStatements::s_dir = nullptr;
QString ClientStatements::s_path;
zel::server::DemoSummary ClientStatements::s_summary;

const char* const kSections[] = {"TEACHER",    "TEACHER_info", "Educ",         "family_",        "Experience",
                                 "Kvalifikation", "Work",      "Nagrada",      "Abroad",         "Elect_org",
                                 "Partiya",    "Holiday",      "mil_card_",    "Language_options", "Photo",
                                 "Place_of_birth", "place_leave", "Place_of_residence", "Passport"};

struct CardStatement {
    const char* prefix;
    const char* suffix;
    const char* orderedBy;  // nullptr: server order
};

const CardStatement kCard[] = {
    {"Select TOP(1) Pensioners.* from Pensioners where id_teacher=", "", nullptr},
    {"Select * from Educ where id_teacher=", "", nullptr},
    {"Select * From family_ Where id_teacher=", " ORDER BY Date_of_birth", "Date_of_birth"},
    {"Select * from Experience where id_teacher=", "", nullptr},
    {"Select * From Kvalifikation Where id_teacher=", " ORDER BY date_1", "date_1"},
    {"Select * From Work Where id_teacher=", " ORDER BY Date_Enter", "Date_Enter"},
    {"Select * From Nagrada Where id_teacher=", " ORDER BY date_get", "date_get"},
    {"Select * From Abroad Where id_teacher=", " ORDER BY date_begin", "date_begin"},
    {"Select * From Elect_org Where id_teacher=", " ORDER BY year_elect", "year_elect"},
    {"Select * from Partiya where id_teacher=", "", nullptr},
    {"Select * From Holiday Where id_teacher=", " ORDER BY Date_begin", "Date_begin"},
    {"Select * from mil_card_ where id_teacher=", "", nullptr},
    {"Select * from LANGUAGE_OPTIONS where id_teacher=", "", nullptr},
    {"Select * from photo where id_teacher=", "", nullptr},
    {"Select * from Place_of_birth where id_teacher=", "", nullptr},
    {"Select * from place_leave where id_teacher=", "", nullptr},
    {"Select * from Place_of_residence where id_teacher=", "", nullptr},
    {"Select * from Teacher_info where id_teacher=", "", nullptr},
    {"Select * from Passport where id_teacher=", "", nullptr},
    {"Select * FROM dbo.family_ WHERE id_teacher =", " ORDER BY Date_of_birth ", "Date_of_birth"},
    {"Select * From teacher_medosmotr WHERE id_teacher =", " ORDER BY id_teacher_medosmotr", "id_teacher_medosmotr"},
    {"Select * FROM obrazovanie_teacher WHERE id_teacher =", " ORDER BY Dates", "Dates"},
};

struct Dictionary {
    const char* sql;
    const char* key;
    const char* text;
    const char* orderedBy;
};

const Dictionary kDictionaries[] = {
    {"select * from Edu", "id_edu", "education", nullptr},
    {"select * from Educ_t", "id_educ_t", "Educ_type", nullptr},
    {"select * from Quit_Course", "id_quit_course", "cource", nullptr},
    {"select * from specialPUM", "id_special", "p25-2", nullptr},
    {"select * from diploma_kval", "id_diploma_kval", "diploma_kval", nullptr},
    {"Select * from Family_s", "id_family_s", "stepen", nullptr},
    {"Select * from Family", "id_family", "p15", nullptr},
    {"Select * from Family_spec", "id_family_job", "job_specification", nullptr},
    {"Select * from Holliday_t", "id_vacation_t", "Holiday_type", nullptr},
    {"Select * from nationality", "IDNationality", "Nationality", nullptr},
    {"Select * from pol", "id_pol", "p17", nullptr},
    {"Select * from Soc_pr", "id_soc_pr", "soc_status", nullptr},
    {"Select * from Uch_step", "id_uch_stepen", "k5", nullptr},
    {"select * from uch_zvanie", "id_uch_zvanie", "k6", nullptr},
    {"Select * from Rang", "id_rang", "rang", nullptr},
    {"select * from MVD_pasport", "IDMVD", "CodeMVD", nullptr},
    {"Select * from Level", "id_Level", "l_level", nullptr},
    {"Select * from languages", "id_lang", "lang", nullptr},
    {"Select * from Mil_name", "ID_mil_name", "mil_name", nullptr},
    {"Select * from Mil_R_Voisk", "id_r_voisk", "R_voisk", nullptr},
    {"Select * from Mil_valid", "id_valid", "valid", nullptr},
    {"Select * from base", "id_base_over", "base_over", nullptr},
    {"Select * from HighQualification order by qualification", "id_qualification", "qualification", "qualification"},
    {"select * from Trudoem", "id_trudoem", "trudoem", nullptr},
    {"SELECT    *\nFROM       teacher_struktura", "id_teacher_struktura", "teacher_struktura", nullptr},
    {"SELECT    *\nFROM       teacher_stepen", "id_teacher_stepen", "teacher_stepen", nullptr},
    {"Select * from RegionKR", "NameRegion", "NameRegion", nullptr},
    {"Select * from DistrictKR", "NameDistrict", "NameDistrict", nullptr},
    {"Select * from CityKR", "NameCity", "NameCity", nullptr},
    {"Select * from VillageKR", "NameVillage", "NameVillage", nullptr},
    {"Select * from RegionKR Order by NameRegion", "NameRegion", "NameRegion", "NameRegion"},
    {"Select * from DistrictKR Order by NameDistrict", "NameDistrict", "NameDistrict", "NameDistrict"},
    {"Select * from CityKR Order by NameCity", "NameCity", "NameCity", "NameCity"},
    {"Select * from VillageKR Order by NameVillage", "NameVillage", "NameVillage", "NameVillage"},
    {"Select * from Citizenship", "citizenship", "citizenship", nullptr},
    {"Select * from Country", nullptr, nullptr, nullptr},
    {"Select * from vuz", nullptr, nullptr, nullptr},
    {"select * from t_fio", nullptr, nullptr, nullptr},
    {"Select * from Pensioners", "id_teacher", "id_teacher", nullptr},
    {"Select *\nFrom Place_of_residence", "id_place_of_residence", "id_teacher", nullptr},
    {"select * from place_leave", "id_place_leave", "id_teacher", nullptr},
    {"Select  *\nFrom family_\nORDER BY Date_of_birth", "id_teacher", "Date_of_birth", "Date_of_birth"},
    {"Select * from Kvalifikation\nORDER BY date_1", "id_teacher", "date_1", "date_1"},
    {"Select *\nFrom Work\nORDER BY Date_Enter\n", "id_teacher", "Date_Enter", "Date_Enter"},
    {"Select *\nFrom Nagrada\nORDER BY date_get", "id_teacher", "date_get", "date_get"},
    {"select * from Language_OPTIONS", "id_teacher", "id_teacher", nullptr},
};

}  // namespace

TEST_F(ClientStatements, EmptyCardTextsGiveAllColumnsAndNoRows)
{
    auto editor = connect(QStringLiteral("zel_editor"));
    for (const char* table : kSections) {
        const QString t = QString::fromLatin1(table);
        const QString sql = t == QLatin1String("TEACHER")
            ? QStringLiteral("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER")
            : QStringLiteral("SELECT  TOP (0) PERCENT dbo.%1.* FROM dbo.%1").arg(t);
        const RowSet rows = query(*editor, sql);
        EXPECT_EQ(rows.rowCount(), 0) << sql.toStdString();
        expectColumns(rows, {QStringLiteral("id_teacher")}, sql);
        const RowSet card = query(*editor, QStringLiteral("select * from %1 where id_teacher=2").arg(t));
        EXPECT_EQ(rows.columnCount(), card.columnCount() + (t == QLatin1String("TEACHER") ? 1 : 0)) << sql.toStdString();
    }
    const RowSet photo = query(*editor, QStringLiteral("SELECT  TOP (0) PERCENT photo from photo"));
    EXPECT_EQ(photo.columnCount(), 1);
    EXPECT_EQ(photo.rowCount(), 0);
    EXPECT_EQ(query(*editor, QStringLiteral("select TOP 0 * from Educ")).rowCount(), 0);
}

TEST_F(ClientStatements, CardStatementsReturnTheEmployeesRowsInTheirOrder)
{
    auto editor = connect(QStringLiteral("zel_editor"));
    int rowsSeen = 0;
    for (int key = 2; key <= 30; ++key) {
        for (const auto& statement : kCard) {
            const QString sql = QString::fromUtf8(statement.prefix) + QString::number(key) + QString::fromUtf8(statement.suffix);
            const RowSet rows = query(*editor, sql);
            const int id = rows.columnIndex(QStringLiteral("id_teacher"));
            ASSERT_GE(id, 0) << sql.toStdString();
            for (int r = 0; r < rows.rowCount(); ++r)
                EXPECT_EQ(rows.integer(r, id), key) << sql.toStdString();
            if (statement.orderedBy)
                expectOrdered(rows, QString::fromLatin1(statement.orderedBy), sql);
            if (QByteArray(statement.prefix).contains("TOP(1)")) {
                EXPECT_LE(rows.rowCount(), 1);
            }
            rowsSeen += rows.rowCount();
        }
    }
    EXPECT_GT(rowsSeen, 29 * 5);
}

TEST_F(ClientStatements, DictionaryAndListTextsGiveTheirKeyAndTextColumns)
{
    auto editor = connect(QStringLiteral("zel_editor"));
    for (const auto& d : kDictionaries) {
        const QString sql = QString::fromUtf8(d.sql);
        const RowSet rows = query(*editor, sql);
        EXPECT_GT(rows.columnCount(), 0) << d.sql;
        if (d.key)
            expectColumns(rows, {QString::fromLatin1(d.key), QString::fromLatin1(d.text)}, sql);
        if (d.orderedBy)
            expectOrdered(rows, QString::fromLatin1(d.orderedBy), sql);
    }
    const RowSet defaults = query(*editor, QStringLiteral("Select *  FROM [ZEL].[dbo].[VuzDefaults] Where id_vuz_defaults=22"));
    EXPECT_EQ(defaults.rowCount(), 1);
    const RowSet deleted = query(*editor, QStringLiteral("SELECT     id_teacher\nFROM         dbo.Teacher_Del"));
    expectColumns(deleted, {QStringLiteral("id_teacher")}, QStringLiteral("Teacher_Del"));
    EXPECT_EQ(query(*editor, QStringLiteral(" SELECT     id_teacher  FROM   dbo.Teacher_Del  WHERE     id_teacher = 2")).columnCount(), 1);
}

TEST_F(ClientStatements, SearchListsMatchingEmployeesByFullName)
{
    auto editor = connect(QStringLiteral("zel_editor"));
    const char* const columns[] = {"p26", "p27", "p28"};
    const char* const texts[] = {"ов", "Ан", "вич"};
    for (int i = 0; i < 3; ++i) {
        const QString column = QString::fromLatin1(columns[i]);
        const QString text = QString::fromUtf8(texts[i]);
        const QString sql = QStringLiteral(
            "Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')+' '+ISNULL(teacher.p28,'')) as t_fio from teacher "
            "where teacher.id_teacher <> 1 AND teacher.") + column + QStringLiteral(" LIKE '%") + text + QStringLiteral("%'")
            + QStringLiteral(" Order by t_fio");
        const RowSet rows = query(*editor, sql);
        EXPECT_GT(rows.rowCount(), 0) << sql.toStdString();
        const int id = rows.columnIndex(QStringLiteral("id_teacher"));
        const int searched = rows.columnIndex(column);
        for (int r = 0; r < rows.rowCount(); ++r) {
            EXPECT_NE(rows.integer(r, id), 1);
            EXPECT_TRUE(rows.text(r, searched).contains(text, Qt::CaseInsensitive)) << rows.text(r, searched).toStdString();
        }
        expectOrdered(rows, QStringLiteral("t_fio"), sql);
    }
}

TEST_F(ClientStatements, SignInAddressAndEmployeeProcedures)
{
    auto boot = connect(QStringLiteral("zel_boot"));
    const QString hash = zel::passwordHash(QStringLiteral("ivanova1"));
    const RowSet user = query(*boot, QStringLiteral("EXEC GET_USER 'ivanova','%1',NULL, 'ZEL 4', '10.0.0.1', 'PC-01', 'ivanova','0','4'").arg(hash));
    ASSERT_EQ(user.rowCount(), 1);
    EXPECT_GE(user.columnCount(), 6);

    auto editor = connect(QStringLiteral("zel_editor"));
    editor->execute(QStringLiteral("SET DATEFORMAT dmy"));
    const RowSet republics = query(*editor, QStringLiteral("exec Ab_RepublicProcSchool "));
    expectColumns(republics, {QStringLiteral("id_republics"), QStringLiteral("republic")}, QStringLiteral("republics"));
    ASSERT_GT(republics.rowCount(), 0);
    const QString republic = republics.value(0, republics.columnIndex(QStringLiteral("id_republics"))).toString();
    const RowSet regions = query(*editor, QStringLiteral("exec ab_RegionProcSchool ") + republic);
    expectColumns(regions, {QStringLiteral("RegionEducat"), QStringLiteral("NameRegion")}, QStringLiteral("regions"));
    if (regions.rowCount() > 0) {
        const QString region = regions.value(0, regions.columnIndex(QStringLiteral("RegionEducat"))).toString();
        const RowSet districts = query(*editor, QStringLiteral("exec ab_DistrictProcSchool ") + region);
        expectColumns(districts, {QStringLiteral("DistrictEducat"), QStringLiteral("NameDistrict")}, QStringLiteral("districts"));
        if (districts.rowCount() > 0) {
            const QString district = districts.value(0, 0).toString();
            expectColumns(query(*editor, QStringLiteral("exec ab_CityProcSchool ") + district),
                          {QStringLiteral("CityEducat"), QStringLiteral("NameCity")}, QStringLiteral("cities"));
            expectColumns(query(*editor, QStringLiteral("exec ab_VillageProcSchool ") + district),
                          {QStringLiteral("VillageEducat"), QStringLiteral("NameVillage")}, QStringLiteral("villages"));
        }
    }

    const QString login = QStringLiteral("ivanova");
    const QString ip = QStringLiteral("PC-01\\10.0.0.1");
    auto sectionRows = [&](int key) {
        qint64 n = 0;
        for (const char* table : kSections)
            n += query(*editor, QStringLiteral("select * from %1 where id_teacher=%2").arg(QString::fromLatin1(table)).arg(key)).rowCount();
        return n;
    };
    const qint64 before = sectionRows(4);
    EXPECT_NO_THROW(editor->execute(QStringLiteral("EXEC CopyDataFromTeacher @id_teacherFrom = 3, @id_teacherTo = 4, @zel_user = '%1', @ip = '%2'")
                                        .arg(login, ip)));
    EXPECT_GT(sectionRows(4), before);
    // Copying onto the same employee is refused, and leaves the rows as they were.
    const qint64 copied = sectionRows(4);
    EXPECT_THROW(editor->execute(QStringLiteral("EXEC CopyDataFromTeacher @id_teacherFrom = 4, @id_teacherTo = 4, @zel_user = '%1', @ip = '%2'")
                                     .arg(login, ip)),
                 DbError);
    EXPECT_EQ(sectionRows(4), copied);

    // DeleteTeacher answers one row, 1 when it deleted the employee; DeleteTeacher2
    // deletes or refuses with a message, and a refusal leaves the employee in place.
    auto exists = [&](int key) {
        return query(*editor, QStringLiteral("select * from teacher where id_teacher=%1").arg(key)).rowCount() == 1;
    };
    const RowSet check = query(*editor, QStringLiteral("EXEC [DeleteTeacher] @id_teacher = 5, @zel_user = '%1', @ip = '%2'").arg(login, ip));
    ASSERT_EQ(check.rowCount(), 1);
    EXPECT_EQ(exists(5), check.value(0, 0).toInt() != 1);
    for (int key = 6; key <= 12; ++key) {
        try {
            editor->execute(QStringLiteral("EXEC DeleteTeacher2 @id_teacher=%1, @zel_user = '%2', @ip = '%3'").arg(key).arg(login, ip));
            EXPECT_FALSE(exists(key));
        } catch (const DbError& e) {
            EXPECT_FALSE(e.message().isEmpty());
            EXPECT_TRUE(exists(key)) << e.message().toStdString();
        }
    }

    std::vector<zel::db::ProcedureParameter> family(3);
    family[0].direction = zel::db::ProcedureParameter::Direction::ReturnValue;
    family[1].name = QStringLiteral("@OldStatus");
    family[1].value = 1;
    family[2].name = QStringLiteral("@NewStatus");
    family[2].value = 2;
    EXPECT_NO_THROW(editor->callProcedure(QStringLiteral("Update_Family_Staus;1"), family));

    EXPECT_EQ(editor->execute(QStringLiteral(
                  "INSERT INTO ZEL_LOG([table], [row_id], [descr], [ZEL_User], [comp]) VALUES('Educ', 5, "
                  "'Поле \"Faculty\" изменило значение \"A\" на \"B\".', 'ivanova', 'PC-01\\10.0.0.1')")),
              1);
    auto reader = connect(QStringLiteral("zel_reader"));
    EXPECT_THROW(reader->execute(QStringLiteral("EXEC DeleteTeacher2 @id_teacher=7, @zel_user = 'petrov', @ip = 'PC'")), DbError);
    EXPECT_EQ(query(*reader, QStringLiteral("select * from teacher where id_teacher=7")).rowCount(), 1);
}
