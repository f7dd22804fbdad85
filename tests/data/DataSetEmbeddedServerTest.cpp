// The dataset model against the embedded server on a temporary demo database.

#include "data/DbError.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TADOStoredProc.h"
#include "data/dataset/TADOTable.h"
#include "data/dataset/TField.h"
#include "tests/data/EmbeddedDemoTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace zel::test {
namespace {

using namespace Qt::StringLiterals;

class EmbeddedServer : public EmbeddedDemoTest {
protected:
    void SetUp() override
    {
        connection.SetConnectionString(connectionString(1));
        teacher.SetConnection(&connection);
        teacher.DeclareFields({{.name = "id_teacher", .type = ftAutoInc, .readOnly = true},
                               {.name = "p26", .type = ftString, .size = 50},
                               {.name = "p27", .type = ftString, .size = 50},
                               {.name = "p28", .type = ftString, .size = 50},
                               {.name = "t_fio", .type = ftString, .size = 50},
                               {.name = "ZEL_User", .type = ftString, .size = 20},
                               {.name = "ZEL_Update", .type = ftDate},
                               {.name = "status", .type = ftBoolean}});
    }

    TADOConnection connection;
    TADOQuery teacher{"ADO_TEACHER"};
};

TEST_F(EmbeddedServer, InitialTextGivesColumnsWithoutRowsAndNoScroll)
{
    int scrolls = 0;
    teacher.AfterScroll = [&](TDataSet&) { ++scrolls; };
    teacher.SetSQL("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER");
    teacher.Open();
    EXPECT_EQ(teacher.RecordCount(), 0);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(teacher.FieldCount(), 8);
    EXPECT_EQ(teacher.FieldByName("p26")->AsString(), "");
}

TEST_F(EmbeddedServer, NewEmployeeThroughEditOnTheEmptyDataSet)
{
    teacher.SetSQL("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER");
    teacher.Open();
    teacher.AfterInsert = [](TDataSet& ds) {
        ds.FieldByName("ZEL_User")->SetAsString("ivanova");
        ds.FieldByName("ZEL_Update")->SetAsDateTime(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
    };
    teacher.Edit();
    ASSERT_EQ(teacher.State(), dsInsert);
    teacher.FieldByName("p26")->SetAsString(u"д'Артаньян"_s);
    teacher.FieldByName("p27")->SetAsString(u"Шарль"_s);
    teacher.FieldByName("t_fio")->SetAsString(u"не столбец таблицы"_s);
    teacher.Post();
    const int key = teacher.FieldByName("id_teacher")->AsInteger();
    EXPECT_GT(key, 1);
    const QString where = " from TEACHER where id_teacher=" + QString::number(key);
    EXPECT_EQ(serverValue("select p26" + where, "p26").toString(), u"д'Артаньян"_s);
    EXPECT_EQ(serverValue("select ZEL_User" + where, "ZEL_User").toString(), "ivanova");
    EXPECT_EQ(serverValue("select ZEL_Update" + where, "ZEL_Update").toDateTime().date(), QDate(2026, 12, 9));
}

TEST_F(EmbeddedServer, NewRowKeepsItsOwnKeyWhileTheStatementTraceIsOn)
{
    TADOConnection admin;
    admin.SetConnectionString(connectionString(3));
    // Trace rows numbered far from any employee key, so that a mix-up shows.
    admin.Execute("INSERT INTO zel_trace(at, login, statement) SELECT '2026-01-01', 'seed', 'seed' FROM TEACHER a, TEACHER b");
    admin.Execute("UPDATE zel_settings SET value = '1' WHERE name = 'trace'");
    struct TraceOff {
        TADOConnection& admin;
        ~TraceOff() { admin.Execute("UPDATE zel_settings SET value = '0' WHERE name = 'trace'"); }
    } traceOff{admin};

    teacher.SetSQL("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER");
    teacher.Open();
    teacher.Insert();
    teacher.FieldByName("p26")->SetAsString(u"Трассировкин"_s);
    teacher.Post();
    const int key = teacher.FieldByName("id_teacher")->AsInteger();
    EXPECT_LT(key, 1000);
    EXPECT_EQ(serverValue("select max(id_teacher) as id from TEACHER", "id").toInt(), key);
    const QString where = " from TEACHER where id_teacher=" + QString::number(key);
    EXPECT_EQ(serverValue("select p26" + where, "p26").toString(), u"Трассировкин"_s);

    // The next edit of the new row reaches that row, not a stranger's.
    teacher.Edit();
    teacher.FieldByName("p27")->SetAsString(u"Сергей"_s);
    teacher.Post();
    EXPECT_EQ(serverValue("select p27" + where, "p27").toString(), u"Сергей"_s);
    TADOQuery traced("traced");
    traced.SetConnection(&admin);
    traced.SetSQL("select count(*) as n from zel_trace where login <> 'seed'");
    traced.Open();
    EXPECT_GE(traced.FieldByName("n")->AsInteger(), 2);
}

TEST_F(EmbeddedServer, EditOfASearchResultWritesOnlyTheTableColumns)
{
    teacher.SetSQL("select teacher.*, p26 + ' ' + p27 + ' ' + p28 as t_fio from teacher where id_teacher <> 1");
    teacher.Open();
    ASSERT_GT(teacher.RecordCount(), 10);
    teacher.SetRecNo(3);
    const int key = teacher.FieldByName("id_teacher")->AsInteger();
    const QString user = teacher.FieldByName("ZEL_User")->AsString();
    teacher.Edit();
    teacher.FieldByName("p28")->SetAsString(u"Отчество-Новое"_s);
    teacher.FieldByName("t_fio")->SetAsString(u"x"_s);
    teacher.Post();
    const QString where = " from TEACHER where id_teacher=" + QString::number(key);
    EXPECT_EQ(serverValue("select p28" + where, "p28").toString(), u"Отчество-Новое"_s);
    EXPECT_EQ(serverValue("select ZEL_User" + where, "ZEL_User").toString(), user);
}

TEST_F(EmbeddedServer, RowDeletedByAnotherUserFailsThePost)
{
    TADOQuery family("ADOQ_family");
    family.SetConnection(&connection);
    family.SetSQL("Select * From family_ ORDER BY Date_of_birth");
    family.Open();
    ASSERT_GT(family.RecordCount(), 0);
    const int key = family.FieldByName("id_family")->AsInteger();
    TADOConnection other;
    other.SetConnectionString(connectionString(1));
    other.Execute("delete from family_ where id_family=" + QString::number(key));
    family.Edit();
    family.FieldByName("Address")->SetAsString(u"ул. Ленина, 1"_s);
    EXPECT_THROW(family.Post(), DataError);
    EXPECT_EQ(family.State(), dsEdit);
    family.Cancel();
    EXPECT_THROW(family.Delete(), DataError);
}

TEST_F(EmbeddedServer, TwoClerksOnOneCardLoseNoUpdate)
{
    TADOConnection secondClerk;
    secondClerk.SetConnectionString(connectionString(1));
    TADOQuery a("ADOQ_TEACHER_info");
    TADOQuery b("ADOQ_TEACHER_info");
    a.SetConnection(&connection);
    b.SetConnection(&secondClerk);
    const QString sql = "Select * From TEACHER_info where id_teacher = (select min(id_teacher) from TEACHER_info)";
    a.SetSQL(sql);
    b.SetSQL(sql);
    a.Open();
    b.Open();
    ASSERT_EQ(a.RecordCount(), 1);
    const QString where = " from TEACHER_info where id_teacher_info=" + a.FieldByName("id_teacher_info")->AsString();

    a.Edit();
    a.FieldByName("Phone")->SetAsString("10-10-10");
    a.Post();
    // A clerk's own earlier save is no conflict for the next one.
    a.Edit();
    a.FieldByName("Phone")->SetAsString("11-11-11");
    a.Post();
    EXPECT_EQ(serverValue("select Phone" + where, "Phone").toString(), "11-11-11");

    b.Edit();
    b.FieldByName("Phone")->SetAsString("22-22-22");
    try {
        b.Post();
        ADD_FAILURE() << "the second save overwrote the first";
    } catch (const DataError& e) {
        EXPECT_EQ(e.message(), u"Строка не найдена: запись изменена или удалена другим пользователем."_s);
    }
    EXPECT_EQ(b.State(), dsEdit);
    EXPECT_EQ(b.FieldByName("Phone")->AsString(), "22-22-22");
    EXPECT_EQ(serverValue("select Phone" + where, "Phone").toString(), "11-11-11");

    // A field the first clerk did not touch still saves.
    b.Cancel();
    b.Edit();
    b.FieldByName("eMail")->SetAsString("b@kadry.local");
    b.Post();
    EXPECT_EQ(serverValue("select eMail" + where, "eMail").toString(), "b@kadry.local");
    EXPECT_EQ(serverValue("select Phone" + where, "Phone").toString(), "11-11-11");

    // Deleting a row another clerk changed since it was read is refused too.
    a.Edit();
    a.FieldByName("phone_mobile")->SetAsString("+375 29 000");
    a.Post();
    EXPECT_THROW(b.Delete(), DataError);
    EXPECT_EQ(serverValue("select count(*) as n" + where, "n").toInt(), 1);
}

TEST_F(EmbeddedServer, ARowJustAddedCanBeChangedWhereTheServerFilledADefault)
{
    TADOQuery republics("ADOT_Republic");
    republics.SetConnection(&connection);
    republics.SetSQL("select * from Republics");
    republics.Open();
    republics.Insert();
    republics.FieldByName("republic")->SetAsString(u"Республика Тест"_s);
    republics.Post();  // "visible" was left to the server's default
    const QString where = " from Republics where id_republics=" + republics.FieldByName("id_republics")->AsString();
    EXPECT_EQ(serverValue("select visible" + where, "visible").toInt(), 1);

    republics.Edit();
    republics.FieldByName("visible")->SetAsBoolean(false);
    republics.Post();
    EXPECT_EQ(serverValue("select visible" + where, "visible").toInt(), 0);
}

TEST_F(EmbeddedServer, LookupFieldsOverADictionaryOfTheServer)
{
    TADOQuery relations("ADOQ_Family_s");
    relations.SetConnection(&connection);
    relations.SetSQL("Select * from Family_s");
    TADOQuery family("ADOQ_family");
    family.SetConnection(&connection);
    family.SetSQL("Select * From family_ ORDER BY Date_of_birth");
    family.DeclareFields({{.name = "id_family", .type = ftAutoInc, .readOnly = true},
                          {.name = "id_family_s", .type = ftInteger},
                          {.name = "family_s", .type = ftString, .size = 30, .kind = fkLookup,
                           .keyFields = "id_family_s", .lookupDataSet = &relations,
                           .lookupKeyFields = "id_family_s", .lookupResultField = "stepen"},
                          {.name = "id_teacher", .type = ftInteger},
                          {.name = "p26", .type = ftWideString, .size = 20, .fixedChar = true}});
    family.Open();
    EXPECT_TRUE(relations.Active());
    ASSERT_GT(family.RecordCount(), 0);
    family.Edit();
    family.FieldByName("id_family_s")->SetAsInteger(relations.FieldByName("id_family_s")->AsInteger());
    EXPECT_EQ(family.FieldByName("family_s")->AsString(), relations.FieldByName("stepen")->AsString());
    family.FieldByName("id_family_s")->SetAsInteger(999999);
    EXPECT_TRUE(family.FieldByName("family_s")->IsNull());
    family.Cancel();
}

TEST_F(EmbeddedServer, ReadOnlyAccountIsRefusedWithTheServersText)
{
    connection.SetConnectionString(connectionString(2));
    teacher.SetSQL("select teacher.*, p26 as t_fio from teacher where id_teacher <> 1");
    teacher.Open();
    teacher.Edit();
    teacher.FieldByName("p26")->SetAsString(u"Запрещено"_s);
    QString seen;
    teacher.OnPostError = [&](TDataSet& ds, const Error& error, TDataAction& action) {
        seen = error.message();
        action = daAbort;
        ds.Cancel();
    };
    EXPECT_THROW(teacher.Post(), AbortSignal);
    EXPECT_FALSE(seen.isEmpty());
    EXPECT_EQ(teacher.State(), dsBrowse);
    EXPECT_NE(teacher.FieldByName("p26")->AsString(), u"Запрещено"_s);
}

TEST_F(EmbeddedServer, FamilyStatusProcedureRunsWithPositionalParameters)
{
    TADOStoredProc proc("ADOStoredProc1");
    proc.SetConnection(&connection);
    proc.SetProcedureName("Update_Family_Staus;1");
    proc.Parameters() = {
        {"@RETURN_VALUE", db::SqlType::Int, TParameter::Direction::ReturnValue, true, {}},
        {"@OldStatus", db::SqlType::Int, TParameter::Direction::Input, true, {}},
        {"@NewStatus", db::SqlType::Int, TParameter::Direction::Input, true, {}},
    };
    teacher.SetSQL("select teacher.*, p26 as t_fio from teacher where id_teacher <> 1");
    teacher.Open();
    proc.Parameter(1).Value = 1;
    proc.Parameter(2).Value = teacher.FieldByName("id_teacher")->AsInteger();
    EXPECT_NO_THROW(proc.ExecProc());
}

TEST_F(EmbeddedServer, TableSortFilterInsertAndDelete)
{
    TADOTable republics("ADOT_Republic");
    republics.SetConnection(&connection);
    republics.SetTableName("Republics");
    republics.Open();
    republics.SetSort("republic");
    ASSERT_GT(republics.RecordCount(), 0);
    const int all = republics.RecordCount();
    republics.AfterInsert = [](TDataSet& ds) { ds.FieldByName("visible")->SetAsBoolean(true); };
    republics.Append();
    republics.FieldByName("republic")->SetAsString(u"Тестовая"_s);
    republics.Post();
    EXPECT_EQ(republics.RecordCount(), all + 1);
    const QVariant key = republics.FieldByName("id_republics")->Value();
    ASSERT_FALSE(key.isNull());
    republics.SetFilter("visible = 1 AND republic = 'тестовая'");
    republics.SetFiltered(true);
    EXPECT_EQ(republics.RecordCount(), 1);
    republics.SetFiltered(false);
    EXPECT_TRUE(republics.Locate("id_republics", key));
    republics.Delete();
    EXPECT_EQ(republics.RecordCount(), all);
    republics.Requery();
    EXPECT_EQ(republics.RecordCount(), all);
    EXPECT_FALSE(republics.Locate("id_republics", key));
}

}  // namespace
}  // namespace zel::test
